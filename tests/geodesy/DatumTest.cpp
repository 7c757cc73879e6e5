#include <geoframe/geodesy/GxDatum.h>

#include "geodesy/DatumFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using DatumTable = DatumFixture;

/// "name|description|ellipsoid|dx dy dz|sx sy sz" for every datum, in table order.
std::vector<std::string> Table() {
    char **names = nullptr, **descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        double d[6] = {-1, -1, -1, -1, -1, -1};
        GxDatum::GetDatumShift(names[i], d[0], d[1], d[2]);
        GxDatum::GetDatumSigma(names[i], d[3], d[4], d[5]);
        char row[400];
        std::snprintf(row, sizeof row, "%s|%s|%s|%g %g %g|%g %g %g", names[i], descriptions[i],
                      GxDatum::GetEllipsoid(names[i]), d[0], d[1], d[2], d[3], d[4], d[5]);
        rows.push_back(row);
    }
    GxDatum::FreeDatumNames(count, names, descriptions);
    return rows;
}

TEST_F(DatumTable, TrickyLines) {
    // Lines of 199 characters (line end not counted) are read, of 200 dropped.
    auto pad = [](std::string line, std::size_t size) {
        line.resize(size, ' ');
        return line;
    };
    ASSERT_TRUE(Load(
        "Datum list\n# comment\n\n   \n" // not headers: skipped
        "\t\tTitle, Area,third,ignored\n\t\tSPACED,   IN, 1.5,\t-2.25 ,3e2,0.5,0.25,0.125,tail\n"
        "\tTrailing,space,x,\nTRAIL,CD ,1,2,3,4,5,6,\n"
        "\tBad,numbers,x,\nBADNUM,cd,abc,inf,nan,1e999,,-0,\n"
        "\tFirst,copy,x,\nDUP,CC,1,1,1,1,1,1,\n\tSecond,copy,x,\nDUP,WE,2,2,2,2,2,2,\n"
        "\tlower,case,x,\nalpha,BR,1,2,3,1,1,1,\n\tUpper,case,x,\nZulu ,BR,4,5,6,1,1,1,\n"
        "\tCarriage,return,x,\r\nCRLF,KA,7,8,9,1,2,3,\r\n\tA,B,x,\r\n" +
        pad("FITS,CD,1,2,3,4,5,6,", 199) + "\r\n" +
        // Dropped whole: short header (with its data line), short data line, empty
        // name, over-long header, over-long data line.
        "\tShort,header\nSHORTHDR,CD,1,2,3,4,5,6,\n\tShort,data,x,\nSHORTDATA,CD,1,2,3,4,5\n"
        "\tNo,name,x,\n,CD,1,2,3,4,5,6,\n" +
        pad("\tLong,header,x,", 200) + "\nLONGHDR,CD,1,2,3,4,5,6,\n\tLong,data,x,\n" +
        pad("LONGDATA,CD,1,2,3,4,5,6,", 200) +
        "\n\tAfter,damage,x,\nAFTER,HO,1,2,3,4,5,6,\n\tDangling,header,x,\n"));
    const std::vector<std::string> expected = {
        "AFTER|After damage|hough|1 2 3|4 5 6",
        "BADNUM|Bad numbers|Unknown|0 0 0|0 0 -0",
        "CRLF|Carriage return|krass|7 8 9|1 2 3",
        "DUP|Second copy|WGS84|2 2 2|2 2 2",
        "FITS|A B|clrk80|1 2 3|4 5 6",
        "SPACED|Title  Area|intl|1.5 -2.25 300|0.5 0.25 0.125",
        "TRAIL|Trailing space|Unknown|1 2 3|4 5 6",
        "Zulu |Upper case|bessel|4 5 6|1 1 1",
        "alpha|lower case|bessel|1 2 3|1 1 1",
    };
    EXPECT_EQ(Table(), expected);

    double x = 11, y = 12, z = 13;
    for (const char* miss : {"dup", "DU", "DUP ", "Zulu", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(GxDatum::GetDatumShift(miss, x, y, z) ||
                     GxDatum::GetDatumSigma(miss, x, y, z) || GxDatum::GetEllipsoid(miss));
    EXPECT_TRUE(x == 11 && y == 12 && z == 13);
    EXPECT_EQ(Table().size(), expected.size()); // misses add nothing
}

TEST_F(DatumTable, LoadAndCleanupLifecycle) {
    EXPECT_FALSE(GxDatum::InitDatum(nullptr));
    EXPECT_FALSE(GxDatum::InitDatum((m_dir / "missing.txt").string().c_str()));
    EXPECT_FALSE(GxDatum::InitDatum(m_dir.string().c_str())); // a directory
    EXPECT_FALSE(GxDatum::IsInitialized());

    const std::string one = "\tOne,x,x,\nONE,CD,1,2,3,4,5,6,\n",
                      two = "\tTwo,x,x,\nTWO,CD,1,2,3,4,5,6,\n";
    ASSERT_TRUE(Load(one));
    EXPECT_TRUE(Load(two)); // already loaded: reads nothing
    EXPECT_TRUE(GxDatum::IsInitialized() && GxDatum::GetEllipsoid("ONE") && Table().size() == 1);
    GxDatum::CleanupDatum();
    EXPECT_FALSE(GxDatum::IsInitialized() || GxDatum::GetEllipsoid("ONE"));
    ASSERT_TRUE(Load(two));
    EXPECT_TRUE(GxDatum::GetEllipsoid("TWO") && !GxDatum::GetEllipsoid("ONE"));
}

TEST_F(DatumTable, ShippedFile) {
    // Fifteen and more datums on at least ten known ellipsoids.
    ASSERT_TRUE(LoadShipped());
    std::set<std::string> ids;
    for (const std::string& row : Table())
        ids.insert(GxDatum::GetEllipsoid(row.substr(0, row.find('|')).c_str()));
    EXPECT_TRUE(Table().size() >= 15 && ids.size() >= 10 && !ids.count("Unknown"));
    EXPECT_STREQ(GxDatum::GetEllipsoid("OGB-M"), "airy");
}

} // namespace
