#include "set_diff.h"

#include "data/terminal_text.h"

#include <nlohmann/json.hpp>

namespace korvland::cli {

namespace {

void appendChanges(std::string& text, const std::vector<FieldChange>& changes) {
    for (std::size_t k = 0; k < changes.size(); ++k) {
        const FieldChange& c = changes[k];
        if (k != 0)
            text += "; ";
        text += c.field;
        if (c.a.empty() && c.b.empty()) {
            // "1 unknown byte differs", "7 unknown bytes differ", "name bytes after its end differ"
            text += c.field.starts_with("1 ") ? " differs" : " differ";
            continue;
        }
        // A name is a text of its own, in quotes for the reader; JSON carries the bare values.
        const char* quote = c.field == "name" ? "\"" : "";
        text += ' ';
        text += quote;
        text += c.a;
        text += quote;
        text += " -> ";
        text += quote;
        text += c.b;
        text += quote;
    }
}

nlohmann::ordered_json changesJson(const std::vector<FieldChange>& changes) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const FieldChange& c : changes)
        list.push_back({{"field", c.field}, {"a", c.a}, {"b", c.b}});
    return list;
}

nlohmann::ordered_json recordsJson(const std::vector<RecordDiff>& records) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const RecordDiff& d : records) {
        nlohmann::ordered_json entry;
        if (d.recordA != 0)
            entry["recordA"] = d.recordA;
        if (d.recordB != 0)
            entry["recordB"] = d.recordB;
        entry["id"] = d.id;
        entry["name"] = d.name;
        if (!d.changes.empty())
            entry["changes"] = changesJson(d.changes);
        list.push_back(std::move(entry));
    }
    return list;
}

} // namespace

std::string diffText(const SetDiff& diff) {
    if (diff.same())
        return {};
    std::string out = diff.pairing == Pairing::ById ? "records paired by identifier\n"
                                                    : "records paired by index: " + diff.pairingReason + "\n";
    if (!diff.header.empty()) {
        out += "header: ";
        appendChanges(out, diff.header);
        out += '\n';
    }
    // Each line is put together in one reused buffer, then escaped into the text as a whole.
    std::string line;
    const auto put = [&out, &line] {
        appendTerminalText(out, line);
        out += '\n';
    };
    const auto single = [&line, &put](const char* lead, int number, const RecordDiff& d) {
        line = lead;
        line += "record ";
        line += std::to_string(number);
        line += " \"";
        line += d.name;
        line += "\" (id ";
        line += std::to_string(d.id);
        line += ')';
        put();
    };
    for (const RecordDiff& d : diff.onlyInA)
        single("only in A: ", d.recordA, d);
    for (const RecordDiff& d : diff.onlyInB)
        single("only in B: ", d.recordB, d);
    for (const RecordDiff& d : diff.changed) {
        line = "record ";
        line += std::to_string(d.recordA);
        line += " \"";
        line += d.name;
        line += "\": ";
        appendChanges(line, d.changes);
        put();
    }
    return out;
}

std::string diffJson(const std::string& fileA, const std::string& fileB, const SetDiff& diff) {
    nlohmann::ordered_json document;
    document["a"] = fileA;
    document["b"] = fileB;
    document["same"] = diff.same();
    document["pairing"] = diff.pairing == Pairing::ById ? "identifier" : "index";
    if (diff.pairing == Pairing::ByIndex)
        document["pairingReason"] = diff.pairingReason;
    document["header"] = changesJson(diff.header);
    document["onlyInA"] = recordsJson(diff.onlyInA);
    document["onlyInB"] = recordsJson(diff.onlyInB);
    document["changed"] = recordsJson(diff.changed);
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace korvland::cli
