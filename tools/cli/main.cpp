// korvland-cli: the editor's file operations for scripts and servers without a display.
#include "commands.h"
#include "data/terminal_text.h"
#include "edit_command.h"
#include "error_text.h"
#include "record_text.h"
#include "script_commands.h"
#include "shell_completion.h"

#include "korvland_version.h"

#include "data/file_io.h"
#include "data/user_error.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kFileFailure = 1;
constexpr int kUsageError = 2;
// Every message begins with the program's name, as a script's log reads best.
constexpr char kMessagePrefix[] = "korvland-cli: ";
// In the order --help lists them.
constexpr std::array<std::string_view, 10> kSubcommands{
    "info", "export", "compile", "profile", "open-profile", "demo", "check", "diff", "import", "edit"};

void printError(const korvland::UserError& error) {
    // Messages carry paths; what a path holds must not reach the terminal as control codes.
    const std::string text = kMessagePrefix +
                             korvland::terminalErrorText(
                                 korvland::UserError(korvland::cli::explainedMessage(error), error.path())) +
                             "\n";
    std::fputs(text.c_str(), stderr);
}

// Standard output that cannot take the text (a full disk) is a failed file operation too.
void printAll(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        throw korvland::UserError(korvland::fileErrorMessage(errno, "-"));
}

// A usage error quotes what was typed, names of files included. A first word that names no
// subcommand is named as such, not reported as a missing subcommand.
std::string usageFailure(const CLI::App* failed, const CLI::Error& error) {
    const std::vector<std::string> extra = failed->remaining();
    if (failed->get_parent() == nullptr && failed->get_subcommands().empty() && !extra.empty() &&
        !extra.front().starts_with('-')) {
        std::string known;
        for (const CLI::App* command : failed->get_subcommands({}))
            known += (known.empty() ? "" : ", ") + command->get_name();
        return kMessagePrefix +
               korvland::terminalText("Unknown subcommand: " + extra.front() + " (one of " + known +
                                          ")\nRun with --help for more information.\n",
                                      true);
    }
    return kMessagePrefix + korvland::terminalText(CLI::FailureMessage::simple(failed, error), true);
}

// The shells' completion scripts, made from the program's option table when it is built;
// hidden from the help, which is for people. Like --help it ends the parse before a
// subcommand is required.
void addCompletionOption(CLI::App& app) {
    app.add_option_function<std::string>(
           "--completion",
           [&app](const std::string& shell) {
               // Checked here: a hidden option's own check names no option in its message.
               if (std::ranges::find(korvland::cli::kCompletionShells, shell) ==
                   std::end(korvland::cli::kCompletionShells))
                   throw CLI::ValidationError("--completion", shell + " is not bash, zsh or fish");
               std::cout << korvland::cli::completionScript(app, shell);
               throw CLI::Success();
           },
           "Print the completion script of a shell")
        ->group("");
}

// Where the operator's guide is: in the "guide" folder beside the program (a build folder), else
// where the editor's package installs it, found from the program's own folder.
std::string guideLocation() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "share/doc/korvland/guide/index.html";
    const std::filesystem::path beside = program.parent_path() / "guide" / "index.html";
    if (std::filesystem::exists(beside, error))
        return beside.string();
    return (program.parent_path() / KORVLAND_INSTALLED_GUIDE / "index.html").lexically_normal().string();
}

// The help's last line; looked up only when the help is shown, so a script's run does not pay.
std::string guideFooter() {
    return "The operator's guide to the editor, installed with it: " + guideLocation();
}

// What the file layer mends of its own accord (a save killed part-way) is said, not done silently.
void sayFileNotices() {
    korvland::setFileNoticeHandler([](const korvland::Message& notice) {
        std::fputs((kMessagePrefix + korvland::terminalText(notice.english()) + "\n").c_str(), stderr);
    });
}

// `info`, whose options are set up only when `withOptions` (see main).
void addInfoCommand(CLI::App& app, bool withOptions, std::string& file, int& region,
                    std::function<void()>& run) {
    auto* info = app.add_subcommand("info", "Show a landmark file's path, region, record count and size, the "
                                            "landmarks per kind and side, and how many are switched off");
    if (!withOptions)
        return;
    info->add_option("FILE", file, "Landmark file (.dat or .mlf); - reads standard input")->required();
    const CLI::Option* regionOption = korvland::cli::addRegionOption(*info, region);
    info->callback([&, regionOption] {
        run = [&, regionOption] {
            printAll(korvland::cli::infoCommand(file, korvland::cli::givenRegion(regionOption, region)));
        };
    });
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Looks at, exports and compiles KORV landmark files and profiles, as the landmarks editor "
                 "does, and writes demonstration landmark files.",
                 "korvland-cli"};
    app.set_version_flag("--version", "korvland-cli " KORVLAND_VERSION);
    sayFileNotices();
    app.require_subcommand(1)->footer(guideFooter);
    app.failure_message(usageFailure);

    std::string file;
    std::string out;
    std::string format = "csv";
    std::string profilePath;
    int region = 0;
    std::function<void()> run;

    // Setting options up costs a run more than parsing them: a command line sets up those of
    // the subcommands it names, or of all of them when it names none (help, a mistyped
    // subcommand), so that every message and help text stays the same.
    const auto named = [&](std::string_view name) {
        return std::any_of(argv + 1, argv + argc, [&](const char* word) { return word == name; });
    };
    const bool namesNone = std::none_of(kSubcommands.begin(), kSubcommands.end(), named);
    const auto wanted = [&](std::string_view name) { return namesNone || named(name); };

    addInfoCommand(app, wanted("info"), file, region, run);

    auto* exportCmd = app.add_subcommand("export", "Print one row per record of a landmark file to standard "
                                                   "output, as CSV (RFC 4180) or as a JSON array");
    if (wanted("export")) {
        exportCmd->add_option("FILE", file, "Landmark file (.dat or .mlf); - reads standard input")
            ->required();
        exportCmd->add_option("--format", format, "Output format")
            ->check(CLI::IsMember({"csv", "json"}))
            ->capture_default_str();
        exportCmd->add_option("-o,--output", out, "File to write; - (the default) is standard output")
            ->type_name("FILE");
        exportCmd->callback([&] {
            run = [&] {
                const bool toTerminal = (out.empty() || out == "-") && ::isatty(STDOUT_FILENO) == 1;
                const std::string text = korvland::cli::exportCommand(file, format, toTerminal);
                out.empty() || out == "-" ? printAll(text) : korvland::cli::writeTextFile(out, text, file);
            };
        });
    }

    auto* compile = app.add_subcommand(
        "compile",
        "Read a landmark file as \"Open\" does, lay a profile's switched-off flags over it by index, "
        "and write it as \"Save Landmark\" does");
    if (wanted("compile")) {
        compile->add_option("FILE", file, "Landmark file (.dat or .mlf)")->required();
        auto* profileOption =
            compile
                ->add_option("--profile", profilePath,
                             "Profile (.lmp) whose flags apply; the landmark file it names is not read")
                ->type_name("FILE");
        compile->add_option("-o,--output", out, "Landmark file to write")
            ->type_name("FILE")
            ->required()
            ->check(korvland::cli::kNotStandardOutput);
        compile->callback([&, profileOption] {
            run = [&, profileOption] {
                const std::optional<std::string> profile =
                    profileOption->count() > 0 ? std::optional<std::string>(profilePath) : std::nullopt;
                korvland::cli::compileCommand(file, profile, out);
            };
        });
    }

    auto* profile = app.add_subcommand(
        "profile", "Write the profile that \"Save Profile\" writes right after the landmark file was opened");
    if (wanted("profile")) {
        profile->add_option("FILE", file, "Landmark file (.dat or .mlf)")->required();
        profile->add_option("-o,--output", out, "Profile to write (.lmp)")
            ->type_name("FILE")
            ->required()
            ->check(korvland::cli::kNotStandardOutput);
        profile->callback([&] { run = [&] { korvland::cli::profileCommand(file, out); }; });
    }

    auto* openProfile = app.add_subcommand(
        "open-profile",
        "Open a profile as \"Open\" > \"Profile\" does (reading the landmark file it names) and "
        "write the result as \"Save Landmark\" does");
    if (wanted("open-profile")) {
        openProfile->add_option("PROFILE", profilePath, "Profile (.lmp)")->required();
        openProfile->add_option("-o,--output", out, "Landmark file to write")
            ->type_name("FILE")
            ->required()
            ->check(korvland::cli::kNotStandardOutput);
        openProfile->callback([&] { run = [&] { korvland::cli::openProfileCommand(profilePath, out); }; });
    }

    auto* demo = app.add_subcommand("demo", "Write a demonstration landmark file for a region: 0 Marne, "
                                            "1 Flanders, 2 Verdun, 3 Alsace, 4 Island");
    if (wanted("demo")) {
        demo->add_option("--region", region, "Region, 0 to 4")->required()->check(CLI::Range(0, 4));
        demo->add_option("-o,--output", out, "Landmark file to write")
            ->type_name("FILE")
            ->required()
            ->check(korvland::cli::kNotStandardOutput);
        demo->callback([&] { run = [&] { korvland::cli::demoCommand(region, out); }; });
    }

    korvland::cli::ScriptCommands scripts;
    scripts.addTo(app, wanted);
    korvland::cli::EditCommand edit;
    edit.addTo(app, wanted("edit"));

    addCompletionOption(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version end the parse with success, when standard output takes their text;
        // every other parse error is a usage error.
        if (app.exit(e) != 0)
            return kUsageError;
        if (!std::cout.flush()) {
            printError(korvland::UserError(korvland::fileErrorMessage(errno, "-")));
            return kFileFailure;
        }
        return 0;
    }

    try {
        if (edit.chosen()) {
            const korvland::cli::EditResult result = edit.run();
            for (const std::string& line : result.messages)
                std::fputs((kMessagePrefix + korvland::terminalText(line) + "\n").c_str(), stderr);
            printAll(result.output);
            return result.exitCode;
        }
        if (scripts.chosen()) {
            const korvland::cli::CommandResult result = scripts.run();
            printAll(result.output);
            return result.exitCode;
        }
        run();
    } catch (const korvland::UserError& e) {
        printError(e);
        return scripts.chosen() ? scripts.failureExit() : kFileFailure;
    }
    // Anything else is a programming error and ends the program loudly, not as a message.
    return 0;
}
