#include "cli_runner.h"
#include "support/build_paths.h"

#include "support/fixture_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace korvland::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::vector<std::string> kHeader{"record",   "landmarkId", "auxWord",    "loFileType", "loFileNo",
                                       "side",     "kind",       "northSouth", "eastWest",   "elevation",
                                       "rotation", "name",       "disabled"};

// An RFC 4180 reader: quoted fields may hold commas, doubled quotes and line breaks; every
// record ends with CRLF.
Rows parseCsv(const std::string& text) {
    Rows rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\r') {
            EXPECT_EQ(text.at(i + 1), '\n') << "a record must end with CRLF";
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            ++i;
        } else {
            EXPECT_NE(c, '\n') << "a bare line feed outside quotes";
            field += c;
        }
    }
    EXPECT_FALSE(quoted);
    EXPECT_TRUE(row.empty() && field.empty()) << "the last record must end with CRLF";
    return rows;
}

LandmarkRecord withName(LandmarkRecord record, std::initializer_list<std::uint8_t> bytes) {
    record.name.fill(0);
    std::copy(bytes.begin(), bytes.end(), record.name.begin());
    return record;
}

// Records whose names and floats need care in either format.
std::vector<LandmarkRecord> awkwardRecords() {
    std::vector<LandmarkRecord> r{
        makeRecord(1, 0, 0, 1, "Plain", 49.1f, 3.5f),
        makeRecord(2, 4, 0x0A, 0, "Bridge, \"Old\" one", 0.1f, -1.25f),
        makeRecord(3, 3, 0x1D, 2, "Line\r\nbreak", 1e-7f, 3.4028235e38f),
        withName(makeRecord(4, 8, 0xFF, 255, ""), {'C', 'r', 0xE9, 'c', 'y', ' ', 0x80, ' ', 0x9C}),
        makeRecord(5, 6, 0xAC, 1, "Switched off"),
        makeRecord(6, 200, 0x00, 0, ""),
    };
    r[0].auxWord = 0xFFFF;
    r[2].elevation = std::numeric_limits<float>::quiet_NaN();
    r[2].rotation = -std::numeric_limits<float>::infinity();
    r[3].elevation = std::numeric_limits<float>::infinity();
    r[3].rotation = -0.0f;
    r[4].elevation = std::nextafter(100.0f, 200.0f);
    // 40 bytes and no terminator: the whole field is the name.
    const std::string forty = "A name of exactly forty bytes, no zero..";
    std::memcpy(r[5].name.data(), forty.data(), 40);
    return r;
}

bool sameFloat(float expected, const std::string& text) {
    const float read = std::strtof(text.c_str(), nullptr);
    return std::isnan(expected) ? text == "nan" : std::memcmp(&read, &expected, sizeof read) == 0;
}

TEST(CliExport, CsvHasOneQuotedRowPerRecordInRecordOrder) {
    const TempDir dir;
    const auto records = awkwardRecords();
    LandmarkFileBuilder builder;
    for (const auto& r : records)
        builder.add(r);
    const std::string file = builder.writeTo(dir.path() / "lndmrks0.dat");

    const CliRun run = runCli({"export", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"Bridge, \"\"Old\"\" one\""), std::string::npos) << run.out;
    const Rows rows = parseCsv(run.out);
    ASSERT_EQ(rows.size(), records.size() + 1);
    EXPECT_EQ(rows[0], kHeader);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "1", "65535", "00", "00", "1", "Airfield", "49.1",
                                                 "3.5", "120.5", "90", "Plain", "0"}));
    EXPECT_EQ(rows[2][11], "Bridge, \"Old\" one");
    EXPECT_EQ(rows[2][4], "0A");
    EXPECT_EQ(rows[3][11], "Line\r\nbreak");
    EXPECT_EQ(rows[3][6], "Troops");
    EXPECT_EQ(rows[3][4], "1D");
    EXPECT_EQ(rows[3][7], "1e-07");
    EXPECT_EQ(rows[3][8], "3.4028235e+38");
    EXPECT_EQ(rows[3][9], "nan");
    EXPECT_EQ(rows[3][10], "-inf");
    EXPECT_EQ(rows[4][11], "Cr\u00e9cy \u20ac \u0153");
    EXPECT_EQ(rows[4][3], "08");
    EXPECT_EQ(rows[4][4], "FF");
    EXPECT_EQ(rows[4][5], "255");
    EXPECT_EQ(rows[4][9], "inf");
    EXPECT_EQ(rows[4][10], "-0");
    EXPECT_EQ(rows[5][6], "Unknown");
    EXPECT_EQ(rows[5][3], "06");
    EXPECT_EQ(rows[5][4], "AC");
    EXPECT_EQ(rows[5][12], "1");
    EXPECT_EQ(rows[6][6], "Unknown");
    EXPECT_EQ(rows[6][3], "C8");
    EXPECT_EQ(rows[6][11], "A name of exactly forty bytes, no zero..");
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i + 1][0], std::to_string(i + 1));
        EXPECT_TRUE(sameFloat(records[i].northSouth, rows[i + 1][7]));
        EXPECT_TRUE(sameFloat(records[i].eastWest, rows[i + 1][8]));
        EXPECT_TRUE(sameFloat(records[i].elevation, rows[i + 1][9]));
        EXPECT_TRUE(sameFloat(records[i].rotation, rows[i + 1][10]));
    }
}

// The number of significant digits in a number's text ("0.0125" and "1.25e-02" have 3).
std::size_t significantDigits(const std::string& text) {
    std::string digits;
    for (const char c : text) {
        if (c == 'e')
            break;
        if (c >= '0' && c <= '9')
            digits += c;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits.size();
}

// The fewest significant digits with which some text reads back to `value`.
std::size_t fewestDigits(float value) {
    for (int digits = 1; digits < 9; ++digits) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            return static_cast<std::size_t>(digits);
    }
    return 9;
}

TEST(CliExport, EveryFloatIsTheShortestTextThatReadsBackExactly) {
    const TempDir dir;
    const std::string file = LandmarkFileBuilder().addMany(300).writeTo(dir.path() / "many.dat");
    const CliRun run = runCli({"export", file, "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Rows rows = parseCsv(run.out);
    ASSERT_EQ(rows.size(), 301u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        for (std::size_t column = 7; column <= 10; ++column) {
            const std::string& text = rows[i][column];
            const float value = std::strtof(text.c_str(), nullptr);
            EXPECT_EQ(significantDigits(text), fewestDigits(value)) << text;
        }
    }
}

TEST(CliExport, JsonIsAnArrayOfRecordObjectsThatAParserReads) {
    const TempDir dir;
    const auto records = awkwardRecords();
    LandmarkFileBuilder builder;
    for (const auto& r : records)
        builder.add(r);
    const std::string file = builder.writeTo(dir.path() / "lndmrks0.dat");

    const CliRun run = runCli({"export", "--format", "json", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        const nlohmann::json& o = json[i];
        ASSERT_EQ(o.size(), kHeader.size());
        for (const std::string& key : kHeader)
            EXPECT_TRUE(o.contains(key)) << key;
        EXPECT_EQ(o["record"], i + 1);
        EXPECT_EQ(o["landmarkId"], records[i].landmarkId);
        EXPECT_EQ(o["auxWord"], records[i].auxWord);
        EXPECT_EQ(o["side"], records[i].side);
        const auto sameAs = [](float expected, const nlohmann::json& value) {
            if (!std::isfinite(expected))
                return value.is_string();
            const float read = static_cast<float>(value.get<double>());
            return value.is_number() && std::memcmp(&read, &expected, sizeof read) == 0;
        };
        EXPECT_TRUE(sameAs(records[i].northSouth, o["northSouth"]));
        EXPECT_TRUE(sameAs(records[i].eastWest, o["eastWest"]));
        EXPECT_TRUE(sameAs(records[i].elevation, o["elevation"]));
        EXPECT_TRUE(sameAs(records[i].rotation, o["rotation"]));
    }
    EXPECT_EQ(json[1]["name"], "Bridge, \"Old\" one");
    EXPECT_EQ(json[1]["loFileNo"], "0A");
    EXPECT_EQ(json[2]["name"], "Line\r\nbreak");
    EXPECT_EQ(json[2]["kind"], "Troops");
    EXPECT_EQ(json[2]["elevation"], "nan");
    EXPECT_EQ(json[2]["rotation"], "-inf");
    EXPECT_EQ(json[3]["name"], "Cr\u00e9cy \u20ac \u0153");
    EXPECT_EQ(json[3]["elevation"], "inf");
    EXPECT_EQ(json[4]["loFileType"], "06");
    EXPECT_EQ(json[4]["disabled"], 1);
    EXPECT_EQ(json[5]["name"], "A name of exactly forty bytes, no zero..");
}

TEST(CliExport, AFileThatCannotBeReadPrintsNothing) {
    const TempDir dir;
    const std::string shortFile =
        LandmarkFileBuilder().addMany(3).truncateTo(150).writeTo(dir.path() / "s.dat");
    for (const std::string format : {"csv", "json"}) {
        SCOPED_TRACE(format);
        const CliRun missing = runCli({"export", dir.file("missing.dat"), "--format", format});
        EXPECT_EQ(missing.exitCode, 1);
        EXPECT_EQ(missing.err, "korvland-cli: " + dir.file("missing.dat") + ": File not found.\n");
        EXPECT_TRUE(missing.out.empty());
        const CliRun truncated = runCli({"export", shortFile, "--format", format});
        EXPECT_EQ(truncated.exitCode, 1);
        EXPECT_EQ(truncated.err,
                  "korvland-cli: " + shortFile +
                      " is not a landmark file (Read beyond end of file): it is 150 bytes long, "
                      "too short for the 3 records its header announces.\n");
        EXPECT_TRUE(truncated.out.empty());
    }
}

} // namespace
} // namespace korvland::testing

namespace korvland::testing {
namespace {

// Runs korvland-cli with all three standard streams on a terminal (in raw mode, so that
// what the program prints arrives unchanged); what the terminal received.
std::string runCliOnTerminal(const std::vector<std::string>& args) {
    std::vector<std::string> argv{korvland::testing::build::cliProgram};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        termios mode{};
        ::tcgetattr(STDOUT_FILENO, &mode);
        ::cfmakeraw(&mode);
        ::tcsetattr(STDOUT_FILENO, TCSANOW, &mode);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    EXPECT_GT(pid, 0);
    std::string received;
    char buffer[4096];
    // The terminal reports an error once the program has ended and closed its side.
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
        received.append(buffer, static_cast<std::size_t>(got));
    ::close(terminal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << received;
    return received;
}

// A name's control characters reach a terminal escaped; a file or a pipe gets the exact
// bytes, so that the export reads back the same.
TEST(CliExport, CsvEscapesControlCharactersOnlyOnATerminal) {
    const TempDir dir;
    // Escape, bell, carriage return and the byte 0x81, which stays the C1 control U+0081.
    const std::string file = LandmarkFileBuilder()
                                 .add(makeRecord(1, 1, 0, 0, "Red\x1b[31m\x07"))
                                 .add(makeRecord(2, 1, 0, 0, "Cr\r\x81y"))
                                 .writeTo(dir.path() / "lndmrks0.dat");
    const struct {
        bool terminal;
        std::string first;
        std::string second;
    } cases[] = {
        {false, "Red\x1b[31m\x07", "\"Cr\r\xc2\x81y\""},
        {true, "Red\\x1b[31m\\x07", "Cr\\x0d\\xc2\\x81y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.terminal ? "terminal" : "file");
        const std::string out =
            c.terminal ? runCliOnTerminal({"export", file}) : runCli({"export", file}).out;
        EXPECT_NE(out.find("," + c.first + ","), std::string::npos) << out;
        EXPECT_NE(out.find("," + c.second + ","), std::string::npos) << out;
        EXPECT_EQ(out.find('\x1b') == std::string::npos, c.terminal) << out;
    }
}

} // namespace
} // namespace korvland::testing
