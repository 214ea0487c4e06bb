#include "cli_runner.h"

#include "cli/record_import.h"
#include "data/landmark_file.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace korvland::testing {
namespace {

const std::string kHeader = "record,landmarkId,auxWord,loFileType,loFileNo,side,kind,northSouth,eastWest,"
                            "elevation,rotation,name,disabled\n";

// A CSV row of a plain airfield, with fields replaced by column number.
std::string row(std::vector<std::pair<int, std::string>> changes = {}) {
    std::vector<std::string> fields{"1",  "11", "0",     "00", "00",    "1", "Airfield",
                                    "50", "2",  "120.5", "90", "Arras", "0"};
    for (const auto& [column, text] : changes)
        fields[static_cast<std::size_t>(column)] = text;
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : ",") + field;
    return line + "\n";
}

// A sheet as a spreadsheet of a decimal-comma language saves it: semicolons between fields, a
// comma for the decimal point; quoted text stays.
std::string semicolons(std::string text) {
    bool quoted = false;
    for (char& c : text) {
        quoted = quoted != (c == '"');
        if (!quoted)
            c = c == ',' ? ';' : c == '.' ? ',' : c;
    }
    return text;
}

std::string importError(const std::string& text) {
    try {
        cli::importLandmarkText(text, std::nullopt, nullptr);
    } catch (const UserError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(CliImport, EachBadRowIsRefusedNamingItsLineAndField) {
    const std::string jsonRecord = R"({"record": 1, "landmarkId": 11, "auxWord": 0, "loFileType": "00",
 "loFileNo": "00", "side": 1, "kind": "Airfield", "northSouth": 50, "eastWest": 2, "elevation": 1,
 "rotation": 0, "name": "Arras", "disabled": 0})";
    const auto json = [&](const std::string& from, const std::string& to) {
        std::string text = "[" + jsonRecord + "]";
        return text.replace(text.find(from), from.size(), to);
    };
    const std::vector<std::pair<std::string, std::string>> cases{
        {kHeader + row({{5, "3"}}), "line 2, field side: 3 is not 0 or 1"},
        {kHeader + row({{0, "5"}}), "line 2, field record: 5 is not a number from 1 to 1"},
        {kHeader + row({{0, "0"}}), "line 2, field record: 0 is not a number from 1 to 1024"},
        {kHeader + row() + row(), "line 3, field record: 1 is the number of line 2 too"},
        {"index" + kHeader.substr(6) + row({{0, "0"}}), "(no error)"},
        {"index" + kHeader.substr(6) + row({{0, "1"}}), "line 2, field index: 1 is not a number from 0 to 0"},
        {kHeader + row({{1, "65536"}}), "line 2, field landmarkId: 65536 is not a number from 0 to 65535"},
        {kHeader + row({{2, "-1"}}), "line 2, field auxWord: -1 is not a number from 0 to 65535"},
        {kHeader + row({{3, "1G0"}}), "line 2, field loFileType: 1G0 is not a byte in hexadecimal, 00 to FF"},
        {kHeader + row({{4, " 1"}}), "line 2, field loFileNo:  1 is not a byte in hexadecimal, 00 to FF"},
        {kHeader + row({{6, "City"}}), "(no error)"}, // the type bytes make the kind
        {kHeader + row({{7, "north"}}),
         "line 2, field northSouth: north is not a number a landmark file can hold"},
        {kHeader + row({{8, "1e39"}}),
         "line 2, field eastWest: 1e39 is not a number a landmark file can hold"},
        {kHeader + row({{9, ""}}),
         "line 2, field elevation: an empty field is not a number a landmark file can hold"},
        {kHeader + row({{11, "\xC5\x81\xC3\xB3\x64\xC5\xBA"}}),
         "line 2, field name: \"\xC5\x81\xC3\xB3\x64\xC5\xBA\" holds a character a landmark name cannot hold "
         "(Windows-1252 only)"},
        {kHeader + row({{11, std::string(41, 'n')}}),
         "line 2, field name: the name takes 41 bytes; a landmark name holds 40"},
        {kHeader + row({{12, "2"}}), "line 2, field disabled: 2 is not 0 or 1"},
        {kHeader + row({{11, "\"two\nlines\""}}) + row({{0, "2"}, {5, "7"}}),
         "line 4, field side: 7 is not 0 or 1"},
        {kHeader + row({{11, "\"open"}}), "line 2: a quoted field is not closed"},
        {kHeader + row({{11, "\"\"\"A\"\"\n\"\"\""}}) + row({{0, "2"}, {5, "7"}}),
         "line 4, field side: 7 is not 0 or 1"},
        {kHeader + row({{11, "\"A\"\"\"x"}}), "line 2: text after a quoted field's closing quote"},
        {kHeader + row({{11, "\"Arras\"x"}}), "line 2: text after a quoted field's closing quote"},
        {kHeader + "0,11\n", "line 2: 2 fields where the header has 13"},
        {"colour," + kHeader + "red," + row(), "line 1: \"colour\" is not one of export's columns"},
        {kHeader.substr(0, kHeader.rfind(',')) + "\n" + row().substr(0, row().rfind(',')) + "\n",
         "line 1: no field disabled"},
        {"side," + kHeader + "1," + row(), "line 1, field side: given twice"},
        {semicolons(kHeader + row({{5, "3"}})), "line 2, field side: 3 is not 0 or 1"},
        {semicolons(kHeader + row({{11, "\"Arras, Nord\""}})), "(no error)"},
        {semicolons(kHeader + row({{7, "49.5.1"}})),
         "line 2, field northSouth: 49,5,1 is not a number a landmark file can hold"},
        {kHeader + row({{7, "\"49,5\""}}),
         "line 2, field northSouth: 49,5 is not a number a landmark file can hold"},
        {kHeader + row({{11, "Ch\xE2lons"}}), "the sheet is not UTF-8; save it as 'CSV UTF-8'"},
        {kHeader + row({{11, "\xED\xA0\x80"}}), "the sheet is not UTF-8; save it as 'CSV UTF-8'"},
        {kHeader, "the input holds 0 records; a landmark file holds 1 to 1024"},
        {json("\"side\": 1", "\"side\":\n 3"), "line 3, field side: 3 is not 0 or 1"},
        {json("\"side\": 1", "\"side\": null"),
         "line 2: expected a number or a text in quotes for field side"},
        {json("\"name\": \"Arras\"", "\"name\": \"A\\u0000B\""),
         "line 3, field name: a landmark name cannot hold a zero character"},
        {json("\"side\": 1", "\"side\": 1, \"side\": 0"), "line 2, field side: given twice"},
        {json("}]", "}] x"), "line 3: text after the closing \"]\""},
        {json("\"name\": \"Arras\"", "\"name\": \"Ar\tras\""),
         "line 3: a control character inside a text in quotes"},
        {"[{\"name\": \"Arras", "line 1: a text in quotes is not closed"},
        {json("\"name\": \"Arras\"", "\"name\": \"Ar\\qras\""),
         "line 3: an unknown escape in a text in quotes"},
        {json("\"name\": \"Arras\"", "\"name\": \"\\ud800\""),
         "line 3: a \\u escape holds half of a surrogate pair"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(importError(text), message);
    }
    std::string many = kHeader;
    for (int i = 0; i < 1025; ++i)
        many += row({{0, std::to_string(i + 1)}});
    EXPECT_EQ(importError(many), "the input holds more than 1024 records; a landmark file holds 1 to 1024");
}

TEST(CliImport, WithoutTemplateWritesTheStandardHeaderAndZeroTails) {
    const std::string text = kHeader + row({{0, "2"}, {11, "\"Bapaume, \"\"Nord\"\"\""}, {12, "1"}}) +
                             row({{3, "05"}, {4, "14"}, {6, "Balloon"}, {5, "0"}, {7, "-0.0"}, {8, "inf"}});
    const std::vector<std::uint8_t> bytes = cli::importLandmarkText(text, std::nullopt, nullptr);
    ASSERT_EQ(bytes.size(), 100u + 63u + 63u);
    EXPECT_EQ(std::memcmp(bytes.data(), kMakerBanner, 20), 0);
    EXPECT_EQ(u16At(bytes, 20), 2);
    EXPECT_EQ(u16At(bytes, 22), 63);
    EXPECT_EQ(u16At(bytes, 24), 0);
    EXPECT_EQ(cli::importLandmarkText(semicolons(text), std::nullopt, nullptr), bytes)
        << "a semicolon-separated sheet reads as the same records";
    const LandmarkFileContents read = decodeLandmarkFile(bytes);
    EXPECT_EQ(read.records[0].loFileType, 5);
    EXPECT_EQ(read.records[0].loFileNo, 0x14);
    EXPECT_TRUE(std::signbit(read.records[0].northSouth));
    EXPECT_TRUE(std::isinf(read.records[0].eastWest));
    EXPECT_EQ(read.records[1].nameBytes(), "Bapaume, \"Nord\"");
    EXPECT_EQ(read.records[1].loFileType, kDisabledType)
        << "a switched-off row is written as Save Landmark does";
    EXPECT_EQ(read.records[1].loFileNo, kDisabledSubType);
    EXPECT_TRUE(std::all_of(read.records[1].name.begin() + 15, read.records[1].name.end(),
                            [](std::uint8_t b) { return b == 0; }));
}

// Every number text reads as the general parser reads it, bit for bit: the shortest texts of
// floats from all over their range (as export writes them) and short decimals as a person
// types them, near the ends of a float's precision too.
TEST(CliImport, NumbersReadToTheFloatTheirTextNames) {
    std::vector<std::string> texts{"0",        "-0",       "-0.0",      ".5",     "5.",      "9999999",
                                   "16777.21", "0.000001", "1234.567",  "-7.125", "8388609", "0.1",
                                   "3.141593", "1e-07",    "1.0000001", "49.017", "-2.5e3",  "00000012.5"};
    std::uint32_t state = 12345;
    const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    std::array<char, 32> buffer{};
    while (texts.size() < kMaxRecords) {
        std::uint32_t bits = next();
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
            texts.emplace_back(buffer.data(), end);
        }
        // Put together piece by piece: GCC 12 at -O3 warns (-Wrestrict) on an insert here.
        const std::string digits = std::to_string(next() % 10'000'000);
        const std::size_t point = next() % (digits.size() + 1);
        std::string typed = next() % 2 == 0 ? "-" : "";
        typed.append(digits, 0, point);
        typed += '.';
        typed.append(digits, point);
        texts.push_back(typed);
    }
    texts.resize(kMaxRecords);
    std::string text = kHeader;
    for (std::size_t i = 0; i < texts.size(); ++i)
        text += row({{0, std::to_string(i + 1)}, {7, texts[i]}});
    const LandmarkFileContents read =
        decodeLandmarkFile(cli::importLandmarkText(text, std::nullopt, nullptr));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        float expected = 0;
        std::from_chars(texts[i].data(), texts[i].data() + texts[i].size(), expected);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(read.records[i].northSouth),
                  std::bit_cast<std::uint32_t>(expected))
            << texts[i];
    }
}

// Records that only a byte-exact round trip keeps: names that need quoting or 8-bit text,
// bytes after a name's end, a NaN's payload, a side byte the editor would not store, and a
// switched-off record whose sub-type is not 0xAC.
std::vector<LandmarkRecord> hostileRecords() {
    std::vector<LandmarkRecord> r{
        makeRecord(1, 0, 0, 1, "Comma, \"quote\""),
        makeRecord(2, 4, 0x0A, 0, "Line\r\nbreak\nand\rmore"),
        makeRecord(3, 8, 0xFF, 2, ""),
        makeRecord(4, 6, 0x05, 1, "Switched off"),
        makeRecord(5, 3, 0x1D, 0, ""),
        makeRecord(6, 200, 0, 255, "Unknown"),
    };
    const std::uint8_t eightBit[] = {'C', 'r', 0xE9, 'c', 'y', ' ', 0x80, 0x81, 0x9C, 0xFF, 0};
    std::memcpy(r[2].name.data(), eightBit, sizeof eightBit);
    std::memcpy(r[4].name.data(), "A name of exactly forty bytes, no zero..", 40);
    std::memcpy(r[0].name.data() + 20, "old tail", 8);
    std::uint32_t payload = 0xFFC01234;
    std::memcpy(&r[1].elevation, &payload, 4);
    r[3].rotation = -std::numeric_limits<float>::infinity();
    r[5].northSouth = 1e-45f;
    return r;
}

TEST(CliImport, ExportThenImportWithTheFileAsTemplateWritesWhatCompileWrites) {
    const TempDir dir;
    std::vector<std::string> files;
    for (int region = 0; region < 5; ++region) {
        const std::string file = dir.file("lndmrks" + std::to_string(region) + ".dat");
        ASSERT_EQ(runCli({"demo", "--region", std::to_string(region), "-o", file}).exitCode, 0);
        files.push_back(file);
    }
    for (const std::uint16_t stride : std::initializer_list<std::uint16_t>{63, 80, 50}) {
        LandmarkFileBuilder builder;
        for (const LandmarkRecord& r : hostileRecords())
            builder.add(r);
        files.push_back(builder.recordSize(stride).headerAuxWord(stride).writeTo(
            dir.path() / ("hostile" + std::to_string(stride) + ".dat")));
    }
    for (const std::string& file : files) {
        for (const std::string format : {"csv", "json"}) {
            SCOPED_TRACE(file + " " + format);
            const CliRun exported = runCli({"export", file, "--format", format, "-o", dir.file("rows")});
            ASSERT_EQ(exported.exitCode, 0) << exported.err;
            ASSERT_EQ(runCli({"compile", file, "-o", dir.file("compiled.dat")}).exitCode, 0);
            const CliRun imported = runCli(
                {"import", "-", "--template", file, "-o", dir.file("imported.dat")}, {}, dir.file("rows"));
            ASSERT_EQ(imported.exitCode, 0) << imported.err;
            EXPECT_EQ(imported.out, "");
            EXPECT_EQ(readBytes(dir.file("imported.dat")), readBytes(dir.file("compiled.dat")));
        }
    }
}

TEST(CliImport, AFailedImportWritesNothingAndSaysWhy) {
    const TempDir dir;
    writeBytes(dir.path() / "rows.csv", std::vector<std::uint8_t>{'x'});
    const std::string text = kHeader + row({{5, "3"}});
    writeBytes(dir.path() / "bad.csv", std::vector<std::uint8_t>(text.begin(), text.end()));
    // Input beyond the limit is refused whole, never cut to what fits.
    writeBytes(dir.path() / "big.csv", std::vector<std::uint8_t>((16u << 20) + 1, '\n'));
    const std::string zeroInHeader = std::string("ind\0ex\n0\n", 9);
    writeBytes(dir.path() / "zero.csv", std::vector<std::uint8_t>(zeroInHeader.begin(), zeroInHeader.end()));
    writeBytes(dir.path() / "wide.csv", std::vector<std::uint8_t>(300, ','));
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    writeBytes(dir.path() / "out.dat", old);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"import", "bad.csv", "-o", "out.dat"},
         1,
         "korvland-cli: bad.csv: line 2, field side: 3 is not 0 or 1.\n"},
        {{"import", "bad.csv", "--format", "json", "-o", "out.dat"},
         1,
         "korvland-cli: bad.csv: line 1: the input does not"},
        {{"import", "missing.csv", "-o", "out.dat"}, 1, "korvland-cli: missing.csv: File not found.\n"},
        {{"import", "bad.csv", "--template", "rows.csv", "-o", "out.dat"},
         1,
         "korvland-cli: rows.csv is not a landmark file"},
        {{"import", "bad.csv", "-o", "-"},
         2,
         "korvland-cli: --output: standard output takes no landmark file"},
        {{"compile", "out.dat", "-o", "-"},
         2,
         "korvland-cli: --output: standard output takes no landmark file"},
        {{"import", "-", "--template", "-", "-o", "out.dat"}, 2, "korvland-cli: --template: standard input"},
        {{"import", "bad.csv", "-o", "bad.csv"}, 1, "korvland-cli: 'bad.csv' is the same file as the input"},
        {{"import", "bad.csv"}, 2, "korvland-cli: --output is required"},
        {{"import", "big.csv", "-o", "out.dat"},
         1,
         "korvland-cli: big.csv: big.csv is larger than 16 MiB; a landmark file's sheet is far smaller.\n"},
        {{"import", "-", "-o", "out.dat"},
         1,
         "korvland-cli: standard input is larger than 16 MiB; a landmark file's sheet is far smaller.\n"},
        {{"import", "zero.csv", "-o", "out.dat"},
         1,
         "korvland-cli: zero.csv: line 1: \"ind\\x00ex\" is not one of export's columns.\n"},
        {{"import", "bad.csv", "--delimiter", ";", "-o", "out.dat"},
         1,
         "korvland-cli: bad.csv: line 1: \"record,landmarkId,"},
        {{"import", "wide.csv", "-o", "out.dat"},
         1,
         "korvland-cli: wide.csv: line 1: the header has more than 256 columns; export writes far fewer.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliRun run = runCli(c.args, dir.path(), dir.path() / "big.csv");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
        EXPECT_EQ(readBytes(dir.path() / "out.dat"), old);
        EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"bad.csv", "big.csv", "out.dat", "rows.csv",
                                                                 "wide.csv", "zero.csv"}));
    }
}

} // namespace
} // namespace korvland::testing
