#include "record_text.h"

#include "data/landmark_kind.h"
#include "data/terminal_text.h"
#include "data/text_codec.h"

#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string_view>

namespace korvland::cli {

namespace {

constexpr const auto& kFields = kExportColumns;

// The thirteen exported values of one record; `numeric` tells which are JSON numbers.
struct RecordFields {
    std::array<std::string, kFields.size()> text;
    std::array<bool, kFields.size()> numeric{};
};

RecordFields fieldsOf(const LandmarkSet& set, std::size_t index) {
    const LandmarkRecord& r = set.record(index);
    RecordFields f;
    const auto number = [&f](std::size_t at, std::string text) {
        f.text[at] = std::move(text);
        f.numeric[at] = true;
    };
    // A float without digits stays text in JSON, which has no NaN or infinity.
    const auto real = [&f](std::size_t at, float value) {
        f.text[at] = floatText(value);
        f.numeric[at] = std::isfinite(value);
    };
    number(0, std::to_string(index + 1));
    number(1, std::to_string(r.landmarkId));
    number(2, std::to_string(r.auxWord));
    f.text[3] = hexByte(r.loFileType);
    f.text[4] = hexByte(r.loFileNo);
    number(5, std::to_string(r.side));
    f.text[6] = std::string(kindInfo(classifyKind(r.loFileType, r.loFileNo)).editorLabel);
    real(7, r.northSouth);
    real(8, r.eastWest);
    real(9, r.elevation);
    real(10, r.rotation);
    f.text[11] = decodeCp1252(r.nameBytes());
    number(12, std::to_string(set.disabledFlag(index)));
    return f;
}

void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string exportCsv(const LandmarkSet& set, bool forTerminal) {
    std::string out;
    for (std::size_t k = 0; k < kFields.size(); ++k) {
        out += k == 0 ? "" : ",";
        out += kFields[k];
    }
    out += "\r\n";
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        const RecordFields f = fieldsOf(set, i);
        for (std::size_t k = 0; k < kFields.size(); ++k) {
            if (k != 0)
                out += ',';
            appendCsvField(out, forTerminal ? terminalText(f.text[k]) : f.text[k]);
        }
        out += "\r\n";
    }
    return out;
}

std::string exportJson(const LandmarkSet& set) {
    // Written by hand around the library's string escaping, so that every float keeps
    // its shortest text: a double's shortest text of a float value carries noise digits.
    std::string out = "[";
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        const RecordFields f = fieldsOf(set, i);
        out += i == 0 ? "\n  {" : ",\n  {";
        for (std::size_t k = 0; k < kFields.size(); ++k) {
            out += k == 0 ? "\"" : ", \"";
            out += kFields[k];
            out += "\": ";
            if (!f.numeric[k])
                out += nlohmann::json(f.text[k]).dump();
            else if (f.text[k] == "-0")
                out += "-0.0"; // parsers read "-0" as the integer 0 and lose the sign
            else
                out += f.text[k];
        }
        out += '}';
    }
    out += "\n]\n";
    return out;
}

} // namespace korvland::cli
