#include "script_commands.h"

namespace korvland::cli {

namespace {

constexpr int kDiffTrouble = 2; // as diff(1): 0 same, 1 different, 2 trouble

std::optional<std::string> given(const CLI::App* command, const char* option, const std::string& value) {
    return command->get_option(option)->count() > 0 ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

const CLI::Validator kNotStandardOutput(
    [](const std::string& value) {
        return value == "-"
                   ? std::string("standard output takes no landmark file or profile; write ./- for a "
                                 "file of that name")
                   : std::string();
    },
    "", "not standard output");

CLI::Option* addRegionOption(CLI::App& command, int& region) {
    return command
        .add_option("--region", region,
                    "Region instead of the file name's: 0 Marne, 1 Flanders, 2 Verdun, 3 Alsace, 4 Island")
        ->check(CLI::Range(0, 4));
}

std::optional<int> givenRegion(const CLI::Option* option, int region) {
    return option != nullptr && option->count() > 0 ? std::optional<int>(region) : std::nullopt;
}

void ScriptCommands::addTo(CLI::App& app, const std::function<bool(std::string_view)>& wanted) {
    mCheck = app.add_subcommand("check", "Report what in a landmark file could trouble the server: repeated "
                                         "identifiers, non-finite numbers, hidden markers, empty names, ...");
    if (wanted("check")) {
        mCheck->add_option("FILE", mFile, "Landmark file (.dat or .mlf); - reads standard input")->required();
        mCheck->add_option("--profile", mProfile, "Profile (.lmp) whose switched-off flags apply by index")
            ->type_name("FILE");
        mCheck->add_option("--format", mFormat, "Output format: text (the default) or json")
            ->check(CLI::IsMember({"text", "json"}));
        mCheck->add_flag("--strict", mStrict, "Warnings count as errors for the exit status");
        mRegionOption = addRegionOption(*mCheck, mRegion);
    }

    mDiff = app.add_subcommand("diff", "Compare two landmark files record by record: header, records only in "
                                       "one of them, and the fields that differ");
    if (wanted("diff")) {
        mDiff->add_option("A", mFile, "Landmark file; - reads standard input")->required();
        mDiff->add_option("B", mOther, "Landmark file; - reads standard input");
        mDiff->add_flag("--kept", mKept,
                        "Compare A with the editor's unsaved work on it, kept against a crash, instead of B");
        mDiff->add_option("--profile", mProfile, "Profile (.lmp) laid over B by index")->type_name("FILE");
        mDiff->add_option("--format", mFormat, "Output format: text (the default) or json")
            ->check(CLI::IsMember({"text", "json"}));
    }

    mImport =
        app.add_subcommand("import", "Read the CSV or JSON that export writes, edited or not, and write it "
                                     "as a landmark file");
    if (wanted("import")) {
        mImport->add_option("INPUT", mFile, "CSV or JSON file; - reads standard input")->required();
        mImport->add_option("-o,--output", mOut, "Landmark file to write")
            ->type_name("FILE")
            ->required()
            ->check(kNotStandardOutput);
        mImport
            ->add_option("--template", mTemplate,
                         "Landmark file giving the record size, the header and every byte the columns do "
                         "not describe")
            ->type_name("FILE");
        mImport->add_option("--format", mFormat, "Input format: csv or json (by content when not given)")
            ->check(CLI::IsMember({"csv", "json"}));
        mImport
            ->add_option("--delimiter", mDelimiter,
                         "CSV field separator: , or ; (by the header line when not given)")
            ->check(CLI::IsMember({",", ";"}));
    }

    for (CLI::App* command : {mCheck, mDiff, mImport}) {
        command->callback([this, command] {
            mChosen = command;
            // Standard input can be read once only.
            if (command == mDiff && mKept == (mDiff->get_option("B")->count() > 0))
                throw CLI::ValidationError("B", mKept ? "--kept compares A with the kept work: no B"
                                                      : "B is required");
            if (command == mDiff && mFile == "-" && mOther == "-")
                throw CLI::ValidationError("A and B", "standard input can be read once only");
            if (command == mImport && mFile == "-" && mTemplate == "-")
                throw CLI::ValidationError("--template", "standard input can be read once only");
        });
    }
}

CommandResult ScriptCommands::run() const {
    if (mChosen == mCheck)
        return checkCommand(mFile, given(mCheck, "--profile", mProfile), mFormat == "json", mStrict,
                            givenRegion(mRegionOption, mRegion));
    if (mChosen == mDiff && mKept)
        return keptDiffCommand(mFile, mFormat == "json");
    if (mChosen == mDiff)
        return diffCommand(mFile, mOther, given(mDiff, "--profile", mProfile), mFormat == "json");
    importCommand(mFile, mFormat, given(mImport, "--template", mTemplate), mOut, mDelimiter);
    return {};
}

int ScriptCommands::failureExit() const {
    return mChosen == mDiff ? kDiffTrouble : 1;
}

} // namespace korvland::cli
