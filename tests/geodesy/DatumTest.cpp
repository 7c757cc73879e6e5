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
    char** names = nullptr;
    char** descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        double d[3], s[3];
        EXPECT_TRUE(GxDatum::GetDatumShift(names[i], d[0], d[1], d[2]));
        EXPECT_TRUE(GxDatum::GetDatumSigma(names[i], s[0], s[1], s[2]));
        char numbers[200];
        std::snprintf(numbers, sizeof numbers, "|%g %g %g|%g %g %g", d[0], d[1], d[2], s[0], s[1],
                      s[2]);
        rows.push_back(std::string(names[i]) + "|" + descriptions[i] + "|" +
                       GxDatum::GetEllipsoid(names[i]) + numbers);
    }
    GxDatum::FreeDatumNames(count, names, descriptions);
    return rows;
}

TEST_F(DatumTable, TrickyLines) {
    const std::string x200(200, 'x');
    const std::string fits199 = "FITS,CD,1,2,3,4,5,6," + std::string(179, ' ');
    ASSERT_TRUE(Load(
        "Datum list\n# comment\n\n   \n" // not headers: skipped
        "\t\tTitle, Area,third,ignored\n\t\tSPACED,   IN, 1.5,\t-2.25 ,3e2,0.5,0.25,0.125,tail\n"
        "\tTrailing,space,x,\nTRAIL,CD ,1,2,3,4,5,6,\n"
        "\tBad,numbers,x,\nBADNUM,cd,abc,inf,nan,1e999,,-0,\n"
        "\tFirst,copy,x,\nDUP,CC,1,1,1,1,1,1,\n\tSecond,copy,x,\nDUP,WE,2,2,2,2,2,2,\n"
        "\tlower,case,x,\nalpha,BR,1,2,3,1,1,1,\n\tUpper,case,x,\nZulu ,BR,4,5,6,1,1,1,\n"
        "\tCarriage,return,x,\r\nCRLF,KA,7,8,9,1,2,3,\r\n"
        "\tA,B,x,\n" +
        fits199 +
        "\n"
        // Dropped whole: short header (with its data line), short data line, empty
        // name, over-long header, over-long data line.
        "\tShort,header\nSHORTHDR,CD,1,2,3,4,5,6,\n\tShort,data,x,\nSHORTDATA,CD,1,2,3,4,5\n"
        "\tNo,name,x,\n,CD,1,2,3,4,5,6,\n\tLong,header,x," +
        x200 +
        "\nLONGHDR,CD,1,2,3,4,5,6,\n"
        "\tLong,data,x,\nLONGDATA,CD,1,2,3,4,5,6," +
        x200 + "\n" + x200 +
        "\n"
        "\tAfter,damage,x,\nAFTER,HO,1,2,3,4,5,6,\n"
        "\tDangling,header,x,\n"));
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
    for (const char* miss : {"dup", "DU", "DUP ", "Zulu", "", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(GxDatum::GetDatumShift(miss, x, y, z) ||
                     GxDatum::GetDatumSigma(miss, x, y, z));
        EXPECT_EQ(GxDatum::GetEllipsoid(miss), nullptr);
    }
    EXPECT_TRUE(x == 11 && y == 12 && z == 13);
    EXPECT_EQ(Table().size(), expected.size()); // misses add nothing
}

TEST_F(DatumTable, LoadAndCleanupLifecycle) {
    EXPECT_TRUE(Table().empty());
    EXPECT_FALSE(GxDatum::InitDatum(nullptr));
    EXPECT_FALSE(GxDatum::InitDatum((m_dir / "missing.txt").string().c_str()));
    EXPECT_FALSE(GxDatum::InitDatum(m_dir.string().c_str())); // a directory
    EXPECT_FALSE(GxDatum::IsInitialized());

    const std::string one = Write("1.txt", "\tOne,x,x,\nONE,CD,1,2,3,4,5,6,\n");
    const std::string two = Write("2.txt", "\tTwo,x,x,\nTWO,CD,1,2,3,4,5,6,\n");
    ASSERT_TRUE(GxDatum::InitDatum(one.c_str()));
    EXPECT_TRUE(GxDatum::InitDatum(two.c_str())); // already loaded: reads nothing
    EXPECT_TRUE(GxDatum::IsInitialized());
    EXPECT_EQ(Table().size(), 1u);
    EXPECT_NE(GxDatum::GetEllipsoid("ONE"), nullptr);

    GxDatum::CleanupDatum();
    EXPECT_FALSE(GxDatum::IsInitialized());
    EXPECT_EQ(GxDatum::GetEllipsoid("ONE"), nullptr);
    GxDatum::CleanupDatum();
    ASSERT_TRUE(GxDatum::InitDatum(two.c_str()));
    EXPECT_NE(GxDatum::GetEllipsoid("TWO"), nullptr);
    EXPECT_EQ(GxDatum::GetEllipsoid("ONE"), nullptr);
}

TEST_F(DatumTable, ShippedFile) {
    ASSERT_TRUE(LoadShipped());
    const std::vector<std::string> rows = Table();
    EXPECT_GE(rows.size(), 15u);
    std::set<std::string> ids;
    for (const std::string& row : rows)
        ids.insert(GxDatum::GetEllipsoid(row.substr(0, row.find('|')).c_str()));
    EXPECT_GE(ids.size(), 10u);
    EXPECT_EQ(ids.count("Unknown"), 0u);
    double x, y, z;
    ASSERT_TRUE(GxDatum::GetDatumShift("NAS-C", x, y, z));
    EXPECT_TRUE(x == -8 && y == 160 && z == 176);
    EXPECT_STREQ(GxDatum::GetEllipsoid("OGB-M"), "airy");
}

} // namespace
