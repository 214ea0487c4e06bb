#include "edit_command.h"

#include "commands.h"
#include "error_text.h"
#include "output_guard.h"
#include "record_text.h"
#include "set_diff.h"

#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/profile_file.h"
#include "data/user_error.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <unistd.h>

namespace korvland::cli {

namespace {

using Action = LandmarkEdit::Action;

constexpr int kUsageError = 2;

// A validator that reads the value with `read`, whose std::invalid_argument is the message.
template <typename Read> CLI::Validator readableBy(Read read) {
    return CLI::Validator(
        [read](std::string& value) {
            try {
                read(value);
                return std::string();
            } catch (const std::invalid_argument& error) {
                return std::string(error.what());
            }
        },
        "");
}

const char* actionName(Action action) {
    switch (action) {
    case Action::SwitchOn:
        return "switch-on";
    case Action::SwitchOff:
        return "switch-off";
    case Action::SetSide:
        return "set-side";
    case Action::SetType:
        break;
    }
    return "set-type";
}

std::string valueText(const LandmarkEdit& edit) {
    if (edit.action == Action::SetSide)
        return edit.value == 1 ? "Allied" : "German";
    return hexByte(edit.value) + (edit.subType ? "/" + hexByte(*edit.subType) : "");
}

std::string landmarks(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " landmark" : " landmarks");
}

// "switched off 12 landmarks (2 of type 06 were already off)"; what a dry run would do.
std::string actionLine(const LandmarkEdit& edit, std::size_t changed, std::size_t typeSixOff, bool dryRun) {
    const std::string count = landmarks(changed);
    switch (edit.action) {
    case Action::SwitchOn:
    case Action::SwitchOff: {
        const bool on = edit.action == Action::SwitchOn;
        std::string line =
            (dryRun ? "would switch " : "switched ") + std::string(on ? "on " : "off ") + count;
        if (typeSixOff == 0)
            return line;
        const bool one = typeSixOff == 1;
        const char* stays =
            on ? (dryRun ? " would be left off)" : (one ? " was left off)" : " were left off)"))
               : (dryRun ? (one ? " is already off)" : " are already off)")
                         : (one ? " was already off)" : " were already off)"));
        return line + " (" + std::to_string(typeSixOff) + " of type 06" + stays;
    }
    case Action::SetSide:
    case Action::SetType:
        break;
    }
    return std::string(dryRun ? "would set the " : "set the ") +
           (edit.action == Action::SetSide ? "side" : "type") + " of " + count + " to " + valueText(edit);
}

// Whether the value is the word, in any letter case.
bool isWord(std::string value, const char* lowerCaseWord) {
    for (char& c : value)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return value == lowerCaseWord;
}

std::string fullPath(const std::string& file) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(file, error);
    return error || file == "-" ? file : full.string();
}

// The first identifier or range of them that no record of the set has.
std::optional<std::pair<unsigned, unsigned>> idsNoRecordHas(const LandmarkSet& set,
                                                            const std::optional<NumberRanges>& ids) {
    if (!ids)
        return std::nullopt;
    for (const auto& [first, last] : *ids) {
        bool used = false;
        for (std::size_t i = 0; i < set.recordCount() && !used; ++i)
            used = first <= set.record(i).landmarkId && set.record(i).landmarkId <= last;
        if (!used)
            return std::pair(first, last);
    }
    return std::nullopt;
}

} // namespace

void EditCommand::addTo(CLI::App& app, bool wanted) {
    mCommand = app.add_subcommand(
        "edit", "Switch chosen landmarks on or off, or set their side or type, as the editor's edits of many "
                "landmarks do, and write the result as \"Save Landmark\" does");
    if (!wanted)
        return;
    CLI::App& c = *mCommand;
    c.add_option("FILE", mFile, "Landmark file (.dat or .mlf); - reads standard input")->required();
    c.add_option("-o,--output", mOut, "Landmark file to write; may be FILE itself; - is standard output")
        ->type_name("FILE")
        ->required();
    c.add_option("--profile", mProfile, "Profile (.lmp) whose switched-off flags apply by index first")
        ->type_name("FILE");
    c.add_option("--format", mFormat,
                 "What to print: text (the default) or a json summary on standard output")
        ->check(CLI::IsMember({"text", "json"}));
    c.add_flag("--dry-run", mDryRun, "Write nothing; print what would change, as diff prints it");

    const char* choose = "Choose (all given must hold)";
    // An empty text (a script's unset variable) would choose every landmark.
    c.add_option("--name", mName, "The name contains TEXT, ignoring case and accents")
        ->group(choose)
        ->check(CLI::Validator(
            [](const std::string& text) {
                return text.empty() ? std::string("an empty text matches every landmark; give --all for that")
                                    : std::string();
            },
            ""));
    c.add_option(
         "--kind", mKinds,
         "Of one of these kinds (repeatable, or separated by commas): Airfield, City, Supply, Train Station, "
         "Troops, Bridge, Factory, Balloon, Town, Village, Blank")
        ->group(choose)
        ->delimiter(',')
        ->type_name("KIND")
        ->check(readableBy(parseKind));
    c.add_option("--side", mSide, "Of this side")
        ->group(choose)
        ->check(CLI::IsMember({"german", "allied"}, CLI::ignore_case));
    c.add_option("--state", mState, "Switched on or off")
        ->group(choose)
        ->check(CLI::IsMember({"on", "off"}, CLI::ignore_case));
    c.add_option("--within", mWithin,
                 "The coordinates lie in the box with these corners, in either order (edges included)")
        ->group(choose)
        ->type_name("NS1,EW1,NS2,EW2")
        ->check(readableBy(parseBox));
    c.add_option("--records", mRecords, "Record numbers as the editor counts them, with ranges: 3,7,10-20")
        ->group(choose)
        ->type_name("LIST")
        ->check(readableBy([](std::string_view v) { return parseNumberRanges(v, 1, kMaxRecords); }));
    c.add_option("--ids", mIds, "Landmark identifiers, with ranges: 1001,1005-1010")
        ->group(choose)
        ->type_name("LIST")
        ->check(readableBy([](std::string_view v) { return parseNumberRanges(v, 0, 65535); }));
    c.add_flag("--all", mAll, "Every landmark")->group(choose);

    const char* act = "Actions (applied in the order given)";
    c.add_flag("--switch-off")->description("Switch the landmarks off")->group(act);
    c.add_flag("--switch-on")
        ->description("Switch the landmarks on; a landmark of type 06 stays off")
        ->group(act);
    c.add_option("--set-side", mSetSides, "Set the side")
        ->group(act)
        ->check(CLI::IsMember({"german", "allied"}, CLI::ignore_case));
    c.add_option("--set-type", mSetTypes, "Set the type, and the sub-type when given (hexadecimal, 03/14)")
        ->group(act)
        ->type_name("HH[/HH]")
        ->check(readableBy(parseTypeAndSubType));

    c.callback([this] { takeChoiceAndActions(); });
}

void EditCommand::takeChoiceAndActions() {
    mChosen = true;
    const auto given = [this](const char* option) { return mCommand->count(option) > 0; };
    const std::vector<CLI::Option*> options = mCommand->get_options();
    const bool choosing = std::any_of(options.begin(), options.end(), [](const CLI::Option* option) {
        return option->get_group().starts_with("Choose") && option->count() > 0;
    });
    // A missing choice must not edit a whole file: --all says so on purpose.
    if (!choosing)
        throw CLI::ValidationError("edit", "choose landmarks with --name, --kind, --side, --state, --within, "
                                           "--records or --ids, or give --all");
    if (mFormat == "json" && mOut == "-" && !mDryRun)
        throw CLI::ValidationError("--format json", "prints its summary on standard output, which then takes "
                                                    "the landmark file; give -o FILE");

    mChooser.filter.text = mName;
    mChooser.filter.side = mSide.empty()             ? SideFilter::Any
                           : isWord(mSide, "allied") ? SideFilter::Allied
                                                     : SideFilter::German;
    mChooser.filter.state = mState.empty()         ? StateFilter::Any
                            : isWord(mState, "on") ? StateFilter::On
                                                   : StateFilter::Off;
    for (const std::string& kind : mKinds)
        mChooser.kinds.push_back(parseKind(kind));
    if (given("--within"))
        mChooser.within = parseBox(mWithin);
    if (given("--ids"))
        mChooser.ids = parseNumberRanges(mIds, 0, 65535);
    if (given("--records")) {
        RecordChoice records;
        for (const auto& [first, last] : parseNumberRanges(mRecords, 1, kMaxRecords)) {
            for (unsigned number = first; number <= last; ++number)
                records.indices.push_back(number - 1);
            mLastRecord = std::max(mLastRecord, last);
        }
        std::sort(records.indices.begin(), records.indices.end());
        mChooser.filter.only = std::move(records);
    }

    std::size_t side = 0;
    std::size_t type = 0;
    for (const CLI::Option* option : mCommand->parse_order()) {
        if (option == mCommand->get_option("--switch-off")) {
            mEdits.push_back({Action::SwitchOff, 0, std::nullopt});
        } else if (option == mCommand->get_option("--switch-on")) {
            mEdits.push_back({Action::SwitchOn, 0, std::nullopt});
        } else if (option == mCommand->get_option("--set-side")) {
            mEdits.push_back({Action::SetSide,
                              static_cast<std::uint8_t>(isWord(mSetSides.at(side++), "allied") ? 1 : 0),
                              std::nullopt});
        } else if (option == mCommand->get_option("--set-type")) {
            const auto [value, subType] = parseTypeAndSubType(mSetTypes.at(type++));
            mEdits.push_back({Action::SetType, value, subType});
        }
    }
    if (mEdits.empty())
        throw CLI::ValidationError("edit",
                                   "give an action: --switch-off, --switch-on, --set-side or --set-type");
}

EditResult EditCommand::run() const {
    std::vector<std::string> inputs;
    if (!mProfile.empty())
        inputs.push_back(mProfile);
    if (mOut != "-")
        guardOutput(mOut, FileKind::Landmarks, inputs);
    else if (!mDryRun && ::isatty(STDOUT_FILENO) == 1)
        throw UserError(
            std::string("standard output is a terminal, which takes no landmark file; give -o FILE "
                        "or send it to a file or a pipe"));

    // An edit in place holds the file from its read to its save, so that two edits at once
    // both survive.
    std::optional<FileUpdate> update;
    if (!mDryRun && mOut != "-")
        update.emplace(mOut);
    // The file as read stays apart for a dry run: what would change is told against it.
    auto read = std::make_unique<LandmarkSet>();
    read->readLandmarkBytes(fullPath(mFile), readLandmarkFileChecked(mFile, mFile));
    const std::unique_ptr<LandmarkSet> copy = mDryRun ? std::make_unique<LandmarkSet>(*read) : nullptr;
    LandmarkSet& set = mDryRun ? *copy : *read;
    if (!mProfile.empty())
        set.applyDisabledFlags(readProfileFile(mProfile).disabledFlags);
    // A record number past the end or an identifier no record has is a slip in the command
    // line, not a choice that happens to match nothing: nothing is written.
    if (mLastRecord > set.recordCount())
        return {{},
                {"--records: " + mFile + " has no record " + std::to_string(mLastRecord) + ", only 1 to " +
                 std::to_string(set.recordCount())},
                kUsageError};
    if (const std::optional<std::pair<unsigned, unsigned>> unused = idsNoRecordHas(set, mChooser.ids))
        return {{},
                {"--ids: " + mFile + " has no landmark with " +
                 (unused->first == unused->second ? "identifier " + std::to_string(unused->first)
                                                  : "an identifier from " + std::to_string(unused->first) +
                                                        " to " + std::to_string(unused->second))},
                kUsageError};

    const std::vector<std::size_t> chosen = chooseRecords(set, mChooser);
    EditResult result;
    nlohmann::ordered_json summary;
    summary["file"] = mFile;
    summary["output"] = mOut;
    summary["dryRun"] = mDryRun;
    summary["chosen"] = chosen.size();
    summary["actions"] = nlohmann::ordered_json::array();
    if (chosen.empty())
        result.messages.push_back("no landmark matches");
    for (const LandmarkEdit& edit : mEdits) {
        // Type 06 is written as switched off whatever the flag says, so such a landmark stays
        // off: switching on leaves it so even when a profile's flag shows it on.
        const std::size_t typeSixOff = std::count_if(chosen.begin(), chosen.end(), [&](std::size_t index) {
            return set.record(index).loFileType == kDisabledType &&
                   (edit.action == Action::SwitchOn || set.disabledFlag(index) != 0);
        });
        const BulkEditOutcome outcome = applyBulkEdit(set, chosen, edit);
        nlohmann::ordered_json action{{"action", actionName(edit.action)}};
        if (edit.action == Action::SetSide || edit.action == Action::SetType)
            action["value"] = valueText(edit);
        action["changed"] = outcome.changed.size();
        if (edit.action == Action::SwitchOn || edit.action == Action::SwitchOff)
            action["type06Off"] = typeSixOff;
        summary["actions"].push_back(action);
        if (!chosen.empty())
            result.messages.push_back(actionLine(edit, outcome.changed.size(), typeSixOff, mDryRun));
    }

    const bool json = mFormat == "json";
    if (mDryRun) {
        auto edited = std::make_unique<LandmarkSet>();
        edited->readLandmarkBytes("-", set.compiledBytes());
        const SetDiff diff = diffSets(*read, *edited);
        if (!json) {
            result.output = diffText(diff);
            return result;
        }
        summary["diff"] = nlohmann::ordered_json::parse(diffJson(mFile, mOut, diff));
    } else if (mOut == "-") {
        const std::vector<std::uint8_t> bytes = set.compiledBytes();
        result.output.assign(bytes.begin(), bytes.end());
        return result;
    } else {
        set.writeLandmarkFile(mOut);
    }
    if (json)
        result.output = summary.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    return result;
}

} // namespace korvland::cli
