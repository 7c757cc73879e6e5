// geoframe-convert: reading lines, the command line, the conversions between every
// kind of coordinates, the pipeline in process with tiny chunks and many threads,
// and the program itself for its exit statuses and messages.

#include "Converter.h"
#include "FixedWriter.h"
#include "LineParser.h"
#include "Options.h"
#include "Pipeline.h"

#include <geoframe/geodesy/GxDatum.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <poll.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace geoframe::convert;

namespace {

/// A converter for the command line `line`, its words separated by spaces.
std::unique_ptr<Converter> Make(const std::string& line) {
    std::istringstream words(line);
    const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    Options options;
    std::string error;
    EXPECT_TRUE(ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error)) << error;
    std::unique_ptr<Converter> converter = Converter::Create(options, error);
    EXPECT_TRUE(converter) << error;
    return converter;
}

/// Expects `got` to begin with the two numbers of `want` within `tolerance` as a distance,
/// and with its third, if it gives one, within a millimetre and the text after it.
void ExpectNear(const std::string& got, const std::string& want, double tolerance) {
    double g[3] = {NAN, NAN, NAN}, w[3] = {NAN, NAN, NAN};
    int gotEnd = 0, wantEnd = 0;
    EXPECT_EQ(std::sscanf(got.c_str(), "%lf %lf %lf%n", &g[0], &g[1], &g[2], &gotEnd), 3) << got;
    const int given = std::sscanf(want.c_str(), "%lf %lf %lf%n", &w[0], &w[1], &w[2], &wantEnd);
    EXPECT_GE(given, 2) << want;
    EXPECT_LE(std::hypot(g[0] - w[0], g[1] - w[1]), tolerance) << got << " for " << want;
    if (given == 3) {
        EXPECT_NEAR(g[2], w[2], 1e-3) << got << " for " << want;
        EXPECT_EQ(got.substr(static_cast<std::size_t>(gotEnd)), want.substr(wantEnd)) << got;
    }
}

/// A parsed line as text: the values to the bit (h before a height that was given), then the
/// carried text between bars.
std::string Show(const ParsedLine& p) {
    char values[100];
    std::snprintf(values, sizeof values, "%a %a %s%a |", p.values[0], p.values[1],
                  p.hasHeight ? "h" : "", p.values[2]);
    return values + std::string(p.rest) + '|';
}

/// Standard input, output and error of a run, as in-memory files that a child
/// process opens by their paths.
struct Streams {
    int fds[3] = {memfd_create("in", 0), memfd_create("out", 0), memfd_create("err", 0)};

    explicit Streams(const std::string& input) {
        EXPECT_EQ(pwrite(fds[0], input.data(), input.size(), 0), ssize_t(input.size()));
    }
    ~Streams() {
        for (const int fd : fds)
            close(fd);
    }
    std::string Path(int i) const { return "/proc/self/fd/" + std::to_string(fds[i]); }
    /// The run as one text: its exit status, what it wrote to standard output and
    /// what to standard error, between bars.
    std::string Outcome(int status) const {
        std::ifstream out(Path(1), std::ios::binary), err(Path(2), std::ios::binary);
        return std::to_string(status) + '|' + std::string(std::istreambuf_iterator<char>(out), {}) +
               '|' + std::string(std::istreambuf_iterator<char>(err), {});
    }
};

/// The pipeline in process (its status 1 when a line failed).
std::string Pipe(const std::string& input, std::size_t threads, std::size_t chunkBytes,
                 const std::string& args = "geo utm:auto") {
    std::vector<std::unique_ptr<Converter>> converters;
    for (std::size_t i = 0; i < threads; ++i)
        converters.push_back(Make(args));
    const Streams io(input);
    const PipelineResult result =
        RunPipeline(io.fds[0], io.fds[1], io.fds[2], converters, chunkBytes);
    return io.Outcome(result.ioFailed ? -1 : result.linesFailed);
}

/// The program of the build tree, laid out as installed, with `arguments` after its
/// redirections (so that they may redirect again).
std::string Execute(const std::string& arguments, const std::string& input = "",
                    const std::string& program = GEOFRAME_CONVERT_EXE) {
    const Streams io(input);
    const int status = std::system(
        (program + " <" + io.Path(0) + " >" + io.Path(1) + " 2>" + io.Path(2) + ' ' + arguments)
            .c_str());
    return io.Outcome(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

} // namespace

TEST(ConvertLine, OnePassReaderAsParseLine) {
    // Lines the one-pass reader takes read to the bit as ParseLine reads them; the rest
    // (exponents, angle text, commas, numbers past 2^53 or 19 digits) it leaves to ParseLine.
    // Numbers to the last bit, as std::from_chars reads them, also as lines of two.
    std::istringstream fixed("47.2304559 8.8828849| -0 -0.0 |0.1 9007199254740992|"
                             "1 0.000000000000000001|1\t2\t3.5\tname with  spaces \t|1 2 3e0 rest|"
                             "1 2 label 7|1 9007199254740993|1 12345678901234.56789|"
                             "1 12345678901234567890|1 0.0000000000000000001|1 2 inf|1 2 3 , x|"
                             "1 2 ,3|1,2|1e1 2|.5 2|5. 2|+5 2|--5 2|5N 2|90.0000001 0|1");
    std::vector<std::string> lines;
    for (std::string line; std::getline(fixed, line, '|');)
        lines.push_back(line);
    const std::size_t taken = 7; // the first lines, as geographic
    // Past 2^64 and next to 2^53, 19 and 20 digits, ties and near-ties between neighbours,
    // the smallest and largest scales of the exact powers of ten.
    std::istringstream numbers("18446744073709551617 9007199254740993 9007199254740992.5 "
                               "1234567890123456789 12345678901234567890 0.1 0.3 -2.675 "
                               "123456.7890123 0.000000123456789 1.0000000000000002 "
                               "7.000000000000001 4.9406564584124654 0.0000000000001 "
                               "999999999999.999 -0.5 -0.0 90071992547409.93");
    for (std::string number; numbers >> number;) {
        double expected = 0.0, read = 0.0;
        std::from_chars(number.data(), number.data() + number.size(), expected);
        ASSERT_TRUE(ParseNumber(number, read)) << number;
        ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << number;
        lines.push_back(number + " " + number);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const FieldKind kind : {FieldKind::Geographic, FieldKind::Cartesian,
                                     FieldKind::Projected, FieldKind::ProjectedZone}) {
            ParsedLine one, parsed;
            const bool read = ReadPlainLine(lines[i], kind, one);
            if (kind == FieldKind::Geographic && i < taken) {
                EXPECT_TRUE(read) << lines[i];
            }
            if (read) {
                ASSERT_TRUE(ParseLine(lines[i], kind, parsed)) << lines[i];
                EXPECT_EQ(Show(one), Show(parsed)) << lines[i];
            }
        }
    }
}

// The line cases of convert_cases.txt, each failure under the row's line number and text.
TEST(ConvertLine, Cases) {
    ASSERT_TRUE(GxDatum::InitDatum(GEOFRAME_SOURCE_DATA_DIR "/datums.txt"));
    std::map<std::string, std::unique_ptr<Converter>> converters; // by command line
    std::string reason;                                           // the last conversion's
    const auto convert = [&](const std::string& args, const std::string& line, bool ok = true) {
        std::unique_ptr<Converter>& converter = converters[args];
        std::string out;
        reason.clear();
        if (!converter && !(converter = Make(args)))
            return out;
        EXPECT_EQ(converter->ConvertLine(line, out, reason), ok) << line << ": " << reason;
        return out;
    };
    std::ifstream file(GEOFRAME_CONVERT_CASES);
    int number = 0, cases = 0;
    for (std::string row; std::getline(file, row);) {
        if (++number, row.empty() || row[0] == '#')
            continue;
        const ::testing::ScopedTrace trace(GEOFRAME_CONVERT_CASES, number, row);
        std::vector<std::string> f; // kind, command line, input, expected, tolerances
        std::istringstream fields(row);
        for (std::string field; std::getline(fields >> std::ws, field, '|');)
            f.push_back(field.erase(field.find_last_not_of(' ') + 1));
        f.resize(5);
        std::vector<std::string> lines; // a command line for each [alternative]
        const std::size_t open = f[1].find('['), close = f[1].find(']');
        std::istringstream alternatives(
            open == std::string::npos ? "" : f[1].substr(open + 1, close - open - 1));
        for (std::string a; std::getline(alternatives >> std::ws, a, ';');)
            lines.push_back(f[1].substr(0, open) + a + f[1].substr(close + 1));
        double there = NAN, back = NAN; // the tolerances (a trip's: there, back)
        std::sscanf(f[4].c_str(), "%lf %lf", &there, &back);
        for (const std::string& line : lines.empty() ? std::vector<std::string>{f[1]} : lines) {
            SCOPED_TRACE(line);
            ++cases;
            if (f[0] == "is" || f[0] == "fails") { // each input (split by ;) the same way
                std::istringstream inputs(f[2]);
                for (std::string input; std::getline(inputs >> std::ws, input, ';');) {
                    EXPECT_EQ(convert(line, input, f[0] == "is"), f[3]) << input;
                    EXPECT_EQ(reason.substr(0, reason.find(": '")), f[4]) << input;
                }
            } else if (f[0] == "refused") {
                EXPECT_EQ(Execute(line, "1 2\n"),
                          "2||geoframe-convert: " + f[3] + " (see --help)\n");
            } else {
                EXPECT_EQ(f[0], "trip") << "no such kind";
            }
            const std::size_t to = line.rfind(' '), from = line.rfind(' ', to - 1);
            const std::string reverse = line.substr(0, from + 1) + line.substr(to + 1) + ' ' +
                                        line.substr(from + 1, to - from - 1);
            std::istringstream points(f[0] == "trip" ? f[2] : ""), expected(f[3]);
            for (std::string point, want; std::getline(points >> std::ws, point, ';');) {
                const std::string mapped = convert(line, point);
                if (std::getline(expected >> std::ws, want, ';'))
                    ExpectNear(mapped, want, there);
                const bool height = std::count(point.begin(), point.end(), ' ') > 1; // else 0
                ExpectNear(convert(reverse, mapped), height ? point : point + " 0", back);
            }
        }
    }
    EXPECT_EQ(cases, 129) << "cases read";
    GxDatum::CleanupDatum();
}

// The fast fixed-point writer gives exactly what std::to_chars (and printf) give:
// ties to even on the exact binary value, signed zeros, every magnitude.
TEST(ConvertLine, FixedNumbersAsPrintf) {
    std::mt19937_64 random(3);
    std::vector<double> values = {0.0,   -0.0,  0.125, 0.375,  2.5,     -2.5,      1e-300,
                                  -1e-7, 5e-13, 1e15,  9.2e17, 1.7e308, 0x1p52 + 1};
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(random() % 40) - 20);
        values.push_back((static_cast<double>(random() % 2000001) / 1000.0 - 1000.0) * scale);
        values.push_back(
            std::ldexp(static_cast<double>(random() % 4096), -static_cast<int>(random() % 14)));
    }
    for (const double value : values) {
        for (int decimals = 0; decimals <= 12; ++decimals) {
            char buffer[400];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                           std::chars_format::fixed, decimals)
                                 .ptr;
            std::string mine;
            AppendFixed(mine, value, decimals);
            ASSERT_EQ(mine, std::string(buffer, end)) << value << " at " << decimals;
        }
    }
}

TEST(ConvertStream, BatchesAsLineByLine) {
    // The pipeline answers every line as ConvertLine does, in input order, also with array
    // conversion of whole batches: plain and odd fields, bad lines, points the arrays refuse,
    // pass-through lines and CRLF, across batch and chunk edges (the repeats make several
    // batches), with 1, 2 or 4 threads.
    const std::string lines = "47.2304555 8.8828840\n-33.8679 151.2093 12.5 Sydney harbour\n"
                              "  50.1\t7.2 label 3\r\n51.5,9.25, 100\n52 10 -0 x,y\n4e1 9 1E2\n"
                              "N51.5 9.5\n91 9\nabc 9\n48 ,\n# comment\n\n0 0 0\n6378137 0 0\n"
                              "1e30 1e30 1e30\n4500000 4500000\n-0.0000001 -0.0000001 -0.0004\n";
    std::string input;
    for (int repeat = 0; repeat < 40; ++repeat)
        input += lines;
    int batching = 0; // all but utm:auto and a datum change
    for (const char* args :
         {"geo utm:32n", "utm:32n geo", "--precision 6 ecef geo", "geo ecef",
          "--origin 100,200,5 lcc:40,5,33,45 stere:50,10,k=0.99", "--dms=2 geo geo",
          "EPSG:2227 EPSG:4269", "geo utm:auto", "--to-ellipsoid clrk66 geo ecef"}) {
        const std::unique_ptr<Converter> converter = Make(args);
        batching += converter->Batches();
        std::string out, err, reason;
        std::size_t number = 0, start = 0, end = 0;
        for (; (end = input.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string line = input.substr(start, end - start);
            const bool crlf = !line.empty() && line.back() == '\r';
            if (converter->PassesThrough(++number, line)) {
                out += line + '\n';
                continue;
            }
            if (crlf)
                line.pop_back();
            if (!converter->ConvertLine(line, out, reason))
                err += "geoframe-convert: line " + std::to_string(number) + ": " + reason + '\n';
            out += crlf ? "\r\n" : "\n";
        }
        const std::string expected = (err.empty() ? "0|" : "1|") + out + '|' + err;
        for (const auto& [threads, chunk] :
             {std::pair<std::size_t, std::size_t>{2, 7}, {4, 1}, {1, 100}, {2, 4096}, {1, 1 << 16}})
            EXPECT_TRUE(Pipe(input, threads, chunk, args) == expected)
                << args << ", " << threads << " threads, chunk " << chunk;
    }
    EXPECT_EQ(batching, 7);
}

TEST(ConvertStream, LineEndsBadAndLongLines) {
    // Comments and blank lines passed through, not a # after a field; the longest line
    // kept (with 3-byte chunks its line end starts a block); an over-long
    // line keeps its CR, a line of exactly the limit is not over-long, its CR not counted
    // (with 3-byte chunks the CR may end a block); an over-long last line without a line
    // end; empty input.
    const std::string longText(kMaxLineLength - 8, 'x'), tooLong(kMaxLineLength + 1, '7');
    const std::string kept = "1048637 1109577 0 " + longText,
                      over = "line longer than 1048576 bytes\n";
    const struct {
        std::string input, run;
    } runs[] = {
        {"  # a header\r\n\n10 20 5 a\r\n1 # 2\n" + tooLong + "\n10 20 0 " + longText +
             "\n  \t\n1,,2\n90 0",
         "1|  # a header\r\n\n1048637 1109577 5 a\r\nnan nan nan\nnan nan nan\n" + kept +
             "\n  \t\nnan nan nan\n500000 9997965 0|" // no line end, as read
             "geoframe-convert: line 4: not a number or an angle: '#'\n"
             "geoframe-convert: line 5: " +
             over + "geoframe-convert: line 8: empty field\n"},
        {tooLong + "\r\n10 20 0 " + longText + "\r\n" + tooLong,
         "1|nan nan nan\r\n" + kept + "\r\nnan nan nan|geoframe-convert: line 1: " + over +
             "geoframe-convert: line 3: " + over},
        {"", "0||"},
    };
    for (const auto& r : runs)
        for (const std::size_t chunk : {std::size_t(3), std::size_t(1) << 16})
            EXPECT_TRUE(Pipe(r.input, 2, chunk, "--precision 0 geo utm:33n") == r.run)
                << r.run.substr(0, 30) << ", chunk " << chunk;
}

TEST(ConvertStream, AnswersEachLineAsItArrivesAndCapsMessages) {
    // A pipe that pauses after each line: every answer comes before the next line
    // is written (a converter waiting for the end would leave the poll empty).
    for (const std::size_t threads : {1, 3}) {
        int in[2], out[2];
        ASSERT_EQ(pipe(in), 0);
        ASSERT_EQ(pipe(out), 0);
        std::vector<std::unique_ptr<Converter>> converters;
        for (std::size_t i = 0; i < threads; ++i)
            converters.push_back(Make("--precision 0 geo utm:33n"));
        std::thread run([&] { RunPipeline(in[0], out[1], out[1], converters); });
        for (const char* line : {"10 20\n", "0 15\n"}) {
            ASSERT_EQ(write(in[1], line, std::strlen(line)), ssize_t(std::strlen(line)));
            pollfd ready{out[0], POLLIN, 0};
            ASSERT_EQ(poll(&ready, 1, 60000), 1) << threads << " threads: no answer to " << line;
            char answer[64] = {};
            EXPECT_GT(read(out[0], answer, sizeof answer - 1), 0);
            EXPECT_EQ(answer[std::strlen(answer) - 1], '\n') << answer;
        }
        close(in[1]);
        run.join();
        for (const int fd : {in[0], out[0], out[1]})
            close(fd);
    }
    // A chunk of bad lines holds at most 64 KiB of messages and sums up the rest.
    std::string bad;
    for (int i = 0; i < 5000; ++i)
        bad += "x\n";
    const std::string run = Pipe(bad, 1, 1 << 20);
    const std::string err = run.substr(run.rfind('|') + 1);
    EXPECT_LT(err.size(), 70000u);
    const std::size_t reported = std::count(err.begin(), err.end(), '\n') - 1;
    EXPECT_NE(err.find("lines " + std::to_string(reported + 1) + " to 5000: " +
                       std::to_string(5000 - reported) + " more lines could not be converted\n"),
              std::string::npos)
        << err.substr(err.size() - 200);
}

TEST(ConvertProgram, ExitStatusesAndMessages) {
    const struct {
        const char* args;
        const char* input;
        const char* run;
    } runs[] = {
        {"--threads 2 --precision 0 geo geo", "1 2\nabc 1\n3 4",
         "1|1.00000 2.00000 0\nnan nan nan\n3.00000 4.00000 0|"
         "geoframe-convert: line 2: not a number or an angle: 'abc'\n"},
        {"geo lcc:0,0,30,-30", "1 2\n",
         "2||geoframe-convert: PROJ refuses the projection lcc:0,0,30,-30: lcc: Invalid value for "
         "lat_1 and lat_2: |lat_1 + lat_2| should be > 0 (see --help)\n"},
        {"geo ecef >/dev/full", "1 2\n",
         "1||geoframe-convert: cannot write the output: No space left on device\n"},
        {"--version", "", "0|geoframe-convert " GEOFRAME_VERSION "\n|"},
        {"--skip 1 --dms=2 --dms-style d geo geo", "lat,lon\r\n46.633333,1\r\n",
         "0|lat,lon\r\n46d38'0.00\"N 1d0'0.00\"E 0.000\r\n|"},
    };
    for (const auto& r : runs)
        EXPECT_EQ(Execute(r.args, r.input), r.run) << r.args;

    // --describe: each side's description, then its WKT2; a WKT file reads as its CRS. The
    // help's sections; the datum file beside the program (as installed) found unnamed.
    const std::string described = Execute("--describe EPSG:4326 EPSG:32633");
    const std::string shown = Execute("--describe utm:56s flat:-33.8,151.2") +
                              Execute("--describe geo ecef") + described + Execute("--help") +
                              Execute("--list-ellipsoids");
    for (const char* part :
         {"0|FROM utm:56s\nUTM (Universal Transverse Mercator)\nZone: 56, SOUTH\nDatum: "
          "WGS84\nPROJCRS[",
          "\nTO flat:-33.8,151.2\nQRN Flat Earth\nOrigin: 33~48'0.00\" S, 151~12'0.00\" "
          "E\nDatum: WGS84\nPROJCRS[",
          "0|FROM geo\nGEOGCRS[", "\nTO ecef\nGEODCRS[", "0|FROM EPSG:4326\nGEOGCRS[",
          "\nTO EPSG:32633\nUTM (Universal Transverse Mercator)\nZone: 33, NORTH\nParameters: full "
          "precision\nDatum: WGS 84\nPROJCRS[",
          "0|NAME\n", "\nNAS-C\tNORTH AMERICAN 1927 MEAN FOR CONUS\n",
          "\ngx14Sphere\tQuorin v14 Sphere\n"})
        EXPECT_NE(shown.find(part), std::string::npos) << part;
    const std::string wkt = ::testing::TempDir() + "geoframe_crs.wkt";
    std::ofstream(wkt) << described.substr(described.find("PROJCRS["),
                                           described.rfind(']') + 1 - described.find("PROJCRS["));
    EXPECT_EQ(Execute("--precision 0 geo @" + wkt, "45 15\n"), "0|500000 4982950 0\n|");
}

// utm:auto against GeographicLib's GeoConvert -u on a grid: the globe with both polar caps,
// Norway and Svalbard densely, and both sides of every band edge (84 N, 80 S, 56, 64, 72 N,
// the Svalbard meridians, 0 and 180). The zones agree, the coordinates within 1 mm, and
// GeoConvert's output read back as FROM returns each point.
TEST(ConvertProgram, UtmUpsAsGeoConvert) {
    if (std::system("command -v GeoConvert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GeoConvert (Debian geographiclib-tools) is not installed";
    std::vector<double> lats, lons;
    for (int lat = -90; lat <= 90; ++lat)
        lats.push_back(lat);
    for (int lon = -180; lon <= 180; lon += 3)
        lons.push_back(lon);
    for (const double edge : {84.0, -80.0, 56.0, 64.0, 72.0})
        lats.insert(lats.end(), {edge - 1e-7, edge + 1e-7});
    for (const double edge : {0.0, 3.0, 6.0, 9.0, 12.0, 21.0, 33.0, 42.0, 180.0, -180.0})
        lons.insert(lons.end(), {edge - 1e-7, edge + 1e-7});
    std::ostringstream grid;
    grid << std::fixed;
    grid.precision(9);
    for (const double lat : lats)
        for (const double lon : lons)
            grid << lat << ' ' << lon << '\n';
    for (double lat = 55.5; lat <= 84.5; lat += 0.25)
        for (double lon = -1; lon <= 44; lon += 0.25)
            grid << lat << ' ' << lon << '\n';

    // GeoConvert writes "zone easting northing" with the zone as "01n" or "n".
    const std::string theirs = Execute("-u -p 6", grid.str(), "GeoConvert");
    const std::string ours = Execute("--precision 6 geo utm:auto", grid.str());
    ASSERT_EQ(theirs.substr(0, 2) + ours.substr(0, 2), "0|0|");
    std::istringstream points(grid.str()), a(theirs.substr(2)), b(ours.substr(2));
    std::ostringstream back;
    back << std::fixed;
    back.precision(6);
    for (double lat, lon; points >> lat >> lon;) {
        std::string zoneA, zoneB;
        double xA = NAN, yA = NAN, xB = NAN, yB = NAN, h = NAN;
        ASSERT_TRUE(a >> zoneA >> xA >> yA) << lat << ' ' << lon;
        ASSERT_TRUE(b >> xB >> yB >> h >> zoneB) << lat << ' ' << lon;
        ASSERT_EQ(std::to_string(std::atoi(zoneA.c_str())) + zoneA.back(),
                  std::to_string(std::atoi(zoneB.c_str())) + zoneB.back())
            << lat << ' ' << lon;
        EXPECT_LT(std::max(std::fabs(xA - xB), std::fabs(yA - yB)), 1e-3) << lat << ' ' << lon;
        back << xA << ' ' << yA << " 0 " << zoneA << '\n';
    }
    const std::string returned = Execute("--precision 9 utm:auto geo", back.str());
    ASSERT_EQ(returned.substr(0, 2), "0|");
    std::istringstream again(returned.substr(2));
    points.clear();
    points.seekg(0);
    for (double lat, lon, rlat, rlon, h; points >> lat >> lon;) {
        ASSERT_TRUE(again >> rlat >> rlon >> h);
        EXPECT_NEAR(rlat, lat, 1e-9) << lon;
        if (std::fabs(lat) < 90) { // the poles have every longitude
            EXPECT_NEAR(std::remainder(rlon - lon, 360.0), 0.0, 1e-9 / std::cos(lat * M_PI / 180))
                << lat;
        }
    }
}
