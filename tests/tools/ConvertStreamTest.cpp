// geoframe-convert as a stream: the pipeline in process with tiny chunks and many
// threads, then the program itself for its exit statuses and messages.

#include "Converter.h"
#include "Options.h"
#include "Pipeline.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace geoframe::convert;

namespace {

/// An in-memory file.
struct MemoryFile {
    int fd = memfd_create("convert", 0);
    ~MemoryFile() { close(fd); }

    void Write(const std::string& text) const {
        ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        lseek(fd, 0, SEEK_SET);
    }
    std::string Read() const {
        std::string text;
        char buffer[65536];
        lseek(fd, 0, SEEK_SET);
        for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }
};

struct Piped {
    PipelineResult result;
    std::string out, err;
};

Piped Pipe(const std::string& input, std::size_t threads, std::size_t chunkBytes,
           std::vector<const char*> args = {"geo", "utm:auto"}) {
    Options options;
    std::string error;
    EXPECT_TRUE(ParseOptions(static_cast<int>(args.size()), args.data(), options, error));
    std::vector<std::unique_ptr<Converter>> converters;
    for (std::size_t i = 0; i < threads; ++i)
        converters.push_back(Converter::Create(options, error));
    MemoryFile in, out, err;
    in.Write(input);
    Piped run;
    run.result = RunPipeline(in.fd, out.fd, err.fd, converters, chunkBytes);
    run.out = out.Read();
    run.err = err.Read();
    return run;
}

std::size_t Lines(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        lines += text[i] == '\n' || (i + 1 == text.size());
    return lines;
}

/// Input lines whose converted form tells which line they were: latitude and a
/// label derived from the line number.
std::string Numbered(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(-80.0 + (i % 1600) * 0.1) + ' ' + std::to_string(i % 360 - 179.5) +
                " 0 L" + std::to_string(i) + '\n';
    return text;
}

} // namespace

// One output line per input line, in input order, whatever the threads and chunk
// sizes; the same text as a single thread with large chunks.
TEST(ConvertStream, OrderAndCountKept) {
    const std::string input = Numbered(5000);
    const Piped reference = Pipe(input, 1, 1 << 20);
    ASSERT_FALSE(reference.result.linesFailed || reference.result.ioFailed) << reference.err;
    EXPECT_EQ(Lines(reference.out), 5000u);
    for (const auto& shape : {std::pair<std::size_t, std::size_t>{4, 1}, {3, 100}, {8, 4096}}) {
        const Piped run = Pipe(input, shape.first, shape.second);
        EXPECT_EQ(run.out, reference.out) << shape.first << " threads, " << shape.second;
        EXPECT_TRUE(run.err.empty());
    }
}

TEST(ConvertStream, LineEndsBadAndLongLines) {
    const std::string longText(kMaxLineLength - 20, 'x');
    const std::string tooLong(kMaxLineLength + 1, '7');
    const std::string input = "# header\r\n\n10 20 5 a\r\nabc def\n" + tooLong + "\n10 20 0 " +
                              longText + "\n  \t\n1,,2\n90 0";
    std::vector<const char*> args = {"--precision", "0", "geo", "utm:33n"};
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(4, args.data(), options, error));
    std::string a, b, reason;
    Converter::Create(options, error)->ConvertLine("10 20 5 a", a, reason);
    Converter::Create(options, error)->ConvertLine("90 0", b, reason);
    const std::string expected = "# header\r\n\n" + a + "\r\nnan nan nan\nnan nan nan\n" +
                                 a.substr(0, a.size() - 3) + "0 " + longText +
                                 "\n  \t\nnan nan nan\n" + b; // no line end, as read
    for (const std::size_t chunk : {std::size_t(3), std::size_t(1) << 16}) {
        const Piped run = Pipe(input, 2, chunk, args);
        EXPECT_TRUE(run.result.linesFailed);
        EXPECT_TRUE(run.out == expected) << chunk << ": " << run.out.substr(0, 100);
        EXPECT_EQ(run.err, "geoframe-convert: line 4: not a number or an angle: 'abc'\n"
                           "geoframe-convert: line 5: line longer than 1048576 bytes\n"
                           "geoframe-convert: line 8: empty field\n");
    }
    // An over-long last line without a line end, and empty input.
    const Piped last = Pipe("1 2\n" + tooLong, 1, 1 << 16);
    EXPECT_EQ(Lines(last.out), 2u);
    EXPECT_EQ(last.out.substr(last.out.size() - 12), "\nnan nan nan");
    EXPECT_EQ(Pipe("", 2, 1).out, "");
}

// An input far larger than the pipeline's buffers streams through with the same
// count of lines.
TEST(ConvertStream, LargerThanBuffers) {
    const std::string input = Numbered(200000);
    const Piped run = Pipe(input, 2, 1 << 12);
    EXPECT_FALSE(run.result.linesFailed);
    EXPECT_EQ(Lines(run.out), 200000u);
    EXPECT_EQ(run.out.substr(run.out.rfind('L')), "L199999 34n\n");
}

namespace {

struct Program {
    int status;
    std::string out, err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Runs the installed-layout program of the build tree with `arguments` and
/// `input` on its standard input.
Program Execute(const std::string& arguments, const std::string& input = "") {
    const std::string base = ::testing::TempDir() + "convert_" + std::to_string(getpid());
    std::ofstream(base + ".in", std::ios::binary) << input;
    const std::string command = std::string(GEOFRAME_CONVERT_EXE) + ' ' + arguments + " <" + base +
                                ".in >" + base + ".out 2>" + base + ".err";
    const int status = std::system(command.c_str());
    Program program{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(base + ".out"),
                    Slurp(base + ".err")};
    for (const char* suffix : {".in", ".out", ".err"})
        std::remove((base + suffix).c_str());
    return program;
}

} // namespace

TEST(ConvertProgram, ExitStatusesAndMessages) {
    Program ok = Execute("geo utm:auto", "51.507222 -0.1275 11 London\n");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "699337.826 5710144.785 11.000 London 30n\n");
    EXPECT_EQ(ok.err, "");

    Program bad = Execute("--threads 2 geo ecef", "1 2\nabc 1\n3 4\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(Lines(bad.out), 3u);
    EXPECT_EQ(bad.err, "geoframe-convert: line 2: not a number or an angle: 'abc'\n");

    for (const char* usage : {"", "geo", "geo nowhere", "--threads 0 geo ecef",
                              "--ellipsoid Nope geo ecef", "--input /no/such/file geo ecef",
                              "--datum-file /no/such/file geo ecef", "geo lcc:0,0,30,-30"}) {
        const Program program = Execute(usage, "1 2\n");
        EXPECT_EQ(program.status, 2) << usage;
        EXPECT_EQ(program.out, "") << usage;
        EXPECT_EQ(Lines(program.err), 1u) << usage << ": " << program.err;
        EXPECT_EQ(program.err.rfind("geoframe-convert: ", 0), 0u) << program.err;
    }

    const Program help = Execute("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* section : {"NAME", "SYNOPSIS", "COORDINATES", "OPTIONS", "EXIT STATUS"})
        EXPECT_NE(("\n" + help.out).find(std::string("\n") + section + '\n'), std::string::npos)
            << section;
    EXPECT_EQ(Execute("--version").out, "geoframe-convert " GEOFRAME_VERSION "\n");

    // The datum file beside the program (as installed) is found without being named.
    const Program names = Execute("--list-ellipsoids");
    EXPECT_NE(names.out.find("\nNAS-C\tNORTH AMERICAN 1927 MEAN FOR CONUS\n"), std::string::npos);
    EXPECT_NE(names.out.find("\ngx14Sphere\tQuorin v14 Sphere\n"), std::string::npos);
    EXPECT_EQ(Execute("--describe geo utm:32n").out,
              "TO utm:32n\nUTM (Universal Transverse Mercator)\nZone: 32, NORTH\nDatum: WGS84\n");
}
