// Reads a file of hand-typed angle texts with the strict reader and prints each
// one as decimal degrees and as canonical degree-minute-second text, or says that
// it was refused.
//
//   geoframe_angle_text data/angles.txt

#include <geoframe/geoframe.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " ANGLE_FILE\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[0] << ": cannot open " << argv[1] << "\n";
        return 1;
    }

    std::printf("%-22s %16s  %s\n", "text", "decimal degrees", "degrees minutes seconds");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        GxGeoAngle angle;
        if (!angle.SetAngleText(line.c_str())) {
            std::printf("%-22s %16s\n", line.c_str(), "(refused)");
            continue;
        }
        char* dms = angle.GetDMSString(2);
        std::printf("%-22s %16.9f  %s\n", line.c_str(), angle.GetDecimalDegrees(), dms);
        angle.FreeString(dms);
    }
    return 0;
}
