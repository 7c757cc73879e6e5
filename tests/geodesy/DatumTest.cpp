#include <geoframe/geodesy/GxDatum.h>

#include "geodesy/DatumFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using DatumTable = DatumFixture;

struct Names {
    std::vector<std::string> names, descriptions;
};

Names ListNames() {
    char** names = nullptr;
    char** descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    Names list;
    for (int i = 0; i < count; ++i) {
        list.names.emplace_back(names[i]);
        list.descriptions.emplace_back(descriptions[i]);
    }
    GxDatum::FreeDatumNames(count, names, descriptions);
    return list;
}

std::string Ellipsoid(const char* name) {
    const char* id = GxDatum::GetEllipsoid(name);
    return id ? id : "(null)";
}

std::vector<double> Shift(const char* name) {
    double x = 0, y = 0, z = 0;
    if (!GxDatum::GetDatumShift(name, x, y, z))
        return {};
    return {x, y, z};
}

std::vector<double> Sigma(const char* name) {
    double x = 0, y = 0, z = 0;
    if (!GxDatum::GetDatumSigma(name, x, y, z))
        return {};
    return {x, y, z};
}

TEST_F(DatumTable, OneRecord) {
    ASSERT_TRUE(Load("\tArc 1950,Botswana,extra,\nARF-A,CD,-138,-105,-289,3,5,3,\n"));
    EXPECT_TRUE(GxDatum::IsInitialized());
    const Names list = ListNames();
    ASSERT_EQ(list.names, std::vector<std::string>{"ARF-A"});
    EXPECT_EQ(list.descriptions[0], "Arc 1950 Botswana");
    EXPECT_EQ(Ellipsoid("ARF-A"), "clrk80");
    EXPECT_EQ(Shift("ARF-A"), (std::vector<double>{-138, -105, -289}));
    EXPECT_EQ(Sigma("ARF-A"), (std::vector<double>{3, 5, 3}));
}

TEST_F(DatumTable, TrickyLines) {
    const std::string longTail(200, 'x');
    ASSERT_TRUE(Load(
        // Headings, comments and blank lines between records.
        "Datum list\n# comment\n\n   \n"
        // Leading TABs on both lines, a second field with its own leading space, a
        // code with leading spaces, text after the last comma, white space before
        // numbers.
        "\t\tTitle, Area,third,ignored\n"
        "\t\tSPACED,   IN, 1.5,\t-2.25 ,3e2,0.5,0.25,0.125,comment\n"
        // A code with a trailing space is not recognised.
        "\tTrailing,Space,x,\nTRAIL,CD ,1,2,3,4,5,6,\n"
        // Unknown codes, lower-case codes and numbers that are not numbers.
        "\tBad,Numbers,x,\nBADNUM,cd,abc,inf,nan,1e999,,-0,\n"
        // Duplicate: the later record replaces the earlier one.
        "\tFirst,Copy,x,\nDUP,CC,1,1,1,1,1,1,\n"
        "\tSecond,Copy,x,\nDUP,WE,2,2,2,2,2,2,\n"
        // Lower-case names sort after upper-case ones; a space is part of a name.
        "\tlower,case,x,\nalpha,BR,1,2,3,1,1,1,\n"
        "\tUpper,case,x,\nZulu ,BR,4,5,6,1,1,1,\n"
        // Windows line ends.
        "\tCarriage,Return,x,\r\nCRLF,KA,7,8,9,1,2,3,\r\n"
        // Header without its three commas: dropped with its data line.
        "\tShort,header\nSHORTHDR,CD,1,2,3,4,5,6,\n"
        // Data line with only seven fields: dropped.
        "\tShort,data,x,\nSHORTDATA,CD,1,2,3,4,5\n"
        // Empty datum name: dropped.
        "\tNo,name,x,\n,CD,1,2,3,4,5,6,\n"
        // Over-long header, and over-long data line: dropped.
        "\tLong,header,x," +
        longTail + "\nLONGHDR,CD,1,2,3,4,5,6,\n" + "\tLong,data,x,\nLONGDATA,CD,1,2,3,4,5,6," +
        longTail +
        "\n"
        // An over-long line without a TAB is skipped like any other non-header.
        + longTail +
        "\n"
        // The record after all that damage still reads.
        "\tAfter,damage,x,\nAFTER,HO,1,2,3,4,5,6,\n"
        // A header line at the very end has no data line.
        "\tDangling,header,x,\n"));

    const Names list = ListNames();
    EXPECT_EQ(list.names, (std::vector<std::string>{"AFTER", "BADNUM", "CRLF", "DUP", "SPACED",
                                                    "TRAIL", "Zulu ", "alpha"}));
    EXPECT_EQ(Ellipsoid("SPACED"), "intl");
    EXPECT_EQ(Shift("SPACED"), (std::vector<double>{1.5, -2.25, 300}));
    EXPECT_EQ(Sigma("SPACED"), (std::vector<double>{0.5, 0.25, 0.125}));
    EXPECT_EQ(list.descriptions[4], "Title  Area"); // one space added, one kept

    EXPECT_EQ(Ellipsoid("TRAIL"), "Unknown");
    EXPECT_EQ(Ellipsoid("BADNUM"), "Unknown");
    EXPECT_EQ(Shift("BADNUM"), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(Sigma("BADNUM"), (std::vector<double>{0, 0, 0}));

    EXPECT_EQ(Ellipsoid("DUP"), "WGS84");
    EXPECT_EQ(Shift("DUP"), (std::vector<double>{2, 2, 2}));
    EXPECT_EQ(list.descriptions[3], "Second Copy");

    EXPECT_EQ(Ellipsoid("CRLF"), "krass");
    EXPECT_EQ(Sigma("CRLF"), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Ellipsoid("Zulu "), "bessel");
    EXPECT_EQ(Ellipsoid("Zulu"), "(null)");
}

TEST_F(DatumTable, LineLengthLimitIsInclusiveAt199) {
    // Data lines of exactly 199 and 200 characters.
    auto dataLine = [](const std::string& name, std::size_t length) {
        std::string line = name + ",CD,1,2,3,4,5,6,";
        line += std::string(length - line.size(), ' ');
        return line;
    };
    ASSERT_EQ(dataLine("FITS", 199).size(), 199u);
    ASSERT_TRUE(Load("\tA,B,C,\n" + dataLine("FITS", 199) + "\n\tA,B,C,\n" +
                     dataLine("TOOLONG", 200) + "\n"));
    EXPECT_EQ(ListNames().names, std::vector<std::string>{"FITS"});
}

TEST_F(DatumTable, LookupsMatchWholeNamesExactly) {
    ASSERT_TRUE(Load("\tEuropean 1950,Mean,x,\nEUR-M,IN,-87,-98,-121,3,3,3,\n"));
    double x = 11, y = 12, z = 13;
    for (const char* miss : {"eur-m", "EUR", "EUR-M ", "", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(GxDatum::GetDatumShift(miss, x, y, z));
        EXPECT_FALSE(GxDatum::GetDatumSigma(miss, x, y, z));
        EXPECT_EQ(GxDatum::GetEllipsoid(miss), nullptr);
    }
    EXPECT_EQ(x, 11);
    EXPECT_EQ(y, 12);
    EXPECT_EQ(z, 13);
    // Misses add nothing to the table.
    EXPECT_EQ(ListNames().names.size(), 1u);
}

TEST_F(DatumTable, LoadAndCleanupLifecycle) {
    // Empty before any load.
    EXPECT_FALSE(GxDatum::IsInitialized());
    char** names = nullptr;
    char** descriptions = nullptr;
    EXPECT_EQ(GxDatum::GetDatumNames(names, descriptions), 0);
    GxDatum::FreeDatumNames(0, names, descriptions);

    // Files that cannot be read leave the table unloaded.
    EXPECT_FALSE(GxDatum::InitDatum(nullptr));
    EXPECT_FALSE(GxDatum::InitDatum((m_dir / "missing.txt").string().c_str()));
    EXPECT_FALSE(GxDatum::InitDatum(m_dir.string().c_str())); // a directory
    EXPECT_FALSE(GxDatum::IsInitialized());

    const std::string first = Write("first.txt", "\tOne,x,x,\nONE,CD,1,2,3,4,5,6,\n");
    const std::string second = Write("second.txt", "\tTwo,x,x,\nTWO,CD,1,2,3,4,5,6,\n");
    ASSERT_TRUE(GxDatum::InitDatum(first.c_str()));
    // A second load is a no-op that succeeds, whatever the path.
    EXPECT_TRUE(GxDatum::InitDatum(second.c_str()));
    EXPECT_TRUE(GxDatum::InitDatum(nullptr));
    EXPECT_EQ(ListNames().names, std::vector<std::string>{"ONE"});

    GxDatum::CleanupDatum();
    EXPECT_FALSE(GxDatum::IsInitialized());
    EXPECT_EQ(GxDatum::GetEllipsoid("ONE"), nullptr);
    EXPECT_TRUE(ListNames().names.empty());
    GxDatum::CleanupDatum(); // twice is harmless

    ASSERT_TRUE(GxDatum::InitDatum(second.c_str()));
    EXPECT_EQ(ListNames().names, std::vector<std::string>{"TWO"});

    // An empty file loads as an empty table.
    GxDatum::CleanupDatum();
    EXPECT_TRUE(GxDatum::InitDatum(Write("empty.txt", "").c_str()));
    EXPECT_TRUE(GxDatum::IsInitialized());
    EXPECT_TRUE(ListNames().names.empty());
}

TEST_F(DatumTable, ShippedFile) {
    ASSERT_TRUE(LoadShipped());
    const Names list = ListNames();
    ASSERT_GE(list.names.size(), 15u);
    std::set<std::string> ellipsoids;
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        const std::string id = Ellipsoid(list.names[i].c_str());
        ellipsoids.insert(id);
        std::vector<double> sigma = Sigma(list.names[i].c_str());
        ASSERT_EQ(sigma.size(), 3u);
        for (double s : sigma)
            EXPECT_GE(s, 0.0) << list.names[i];
        if (i > 0) {
            EXPECT_LT(list.names[i - 1], list.names[i]);
        }
    }
    EXPECT_GE(ellipsoids.size(), 8u);
    EXPECT_EQ(Ellipsoid("NAS-C"), "clrk66");
    EXPECT_EQ(Shift("NAS-C"), (std::vector<double>{-8, 160, 176}));
    EXPECT_EQ(Ellipsoid("OGB-M"), "airy");
    EXPECT_EQ(Shift("OGB-M"), (std::vector<double>{375, -111, 431}));
    EXPECT_EQ(Shift("WGE"), (std::vector<double>{0, 0, 0}));
}

TEST(Datum, ObjectsCarryNoState) {
    GxDatum a("ignored");
    GxDatum b(a);
    GxDatum c;
    (void)b;
    (void)c;
    EXPECT_EQ(GxDatum::GetEllipsoid("anything"), nullptr);
}

} // namespace
