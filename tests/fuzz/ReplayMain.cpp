// Runs a fuzz target once on each file named on the command line, or on each
// file of each folder named there: the corpus and every input that once failed,
// replayed by the ordinary test suite without libFuzzer.

#include "Fuzz.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> paths = {argv[i]};
        if (std::filesystem::is_directory(paths[0]))
            paths.assign(std::filesystem::directory_iterator(paths[0]), {});
        for (const std::filesystem::path& path : paths) {
            std::ifstream in(path, std::ios::binary);
            Require(std::filesystem::is_regular_file(path) && in); // else it cannot be read
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++runs;
        }
    }
    std::printf("replayed %d inputs\n", runs);
    return runs > 0 ? 0 : 1;
}
