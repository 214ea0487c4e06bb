#include "commands.h"

#include "demo_file.h"
#include "error_text.h"
#include "file_findings.h"
#include "info_report.h"
#include "output_guard.h"
#include "record_import.h"
#include "record_text.h"
#include "set_diff.h"

#include "data/edit_steps.h"
#include "data/recovery_copy.h"

#include "data/file_identity.h"
#include "data/file_io.h"
#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "data/region.h"
#include "data/user_error.h"

#include <filesystem>
#include <memory>
#include <system_error>

namespace korvland::cli {

namespace {

// The editor always opens a file by its full path, from its dialogs; so does this program,
// so that a profile it writes names the landmark file from any folder.
std::string fullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error || path.empty() ? path : full.string();
}

// Text to import is at most a few hundred bytes per record: 16 MiB, named so in the refusal.
constexpr std::size_t kImportLimit = 16u << 20;

// The set is large (1024 records and their flags): keep it off the stack.
std::unique_ptr<LandmarkSet> openLandmarkFile(const std::string& file) {
    auto set = std::make_unique<LandmarkSet>();
    if (file == "-") {
        set->readLandmarkBytes(file, readLandmarkFileChecked(file, {}));
        return set;
    }
    const std::string path = fullPath(file);
    try {
        set->read(path);
    } catch (const UserError& error) {
        if (!refusesLandmarkBytes(error))
            throw;
        // Read once more only to tell the operator what the file holds instead.
        throw NotLandmarkFile(file, whyNotLandmarkFile(error, readLandmarkFileBytes(path)));
    }
    return set;
}

// The file, with a profile's flags laid over it by index when one is given.
std::unique_ptr<LandmarkSet> openWithProfile(const std::string& file,
                                             const std::optional<std::string>& profile) {
    auto set = openLandmarkFile(file);
    if (profile)
        set->applyDisabledFlags(readProfileFile(*profile).disabledFlags);
    return set;
}

} // namespace

std::string infoCommand(const std::string& file, std::optional<int> region) {
    const auto set = openLandmarkFile(file);
    // Unsaved work an editor keeps for the file, which a tool about to replace it should know of.
    std::optional<RecoveryEntry> kept;
    if (const std::optional<std::string> folder = defaultRecoveryFolder(); folder && file != "-")
        kept = recoveryCopyOf(*folder, fullPath(file));
    return infoReport(*set, kept ? recoveryLine(*kept) : std::string(), region);
}

std::string exportCommand(const std::string& file, const std::string& format, bool forTerminal) {
    const auto set = openLandmarkFile(file);
    return format == "json" ? exportJson(*set) : exportCsv(*set, forTerminal);
}

void compileCommand(const std::string& file, const std::optional<std::string>& profile,
                    const std::string& out) {
    // Writing over the landmark file read is a save over it, whole or not at all.
    std::vector<std::string> inputs;
    if (profile)
        inputs.push_back(*profile);
    guardOutput(out, FileKind::Landmarks, inputs);
    // From the read to the save, so that another program's change of the output is not lost.
    const FileUpdate update(out);
    // The profile's flags by index; the landmark file it names plays no part here.
    openWithProfile(file, profile)->writeLandmarkFile(out);
}

void profileCommand(const std::string& file, const std::string& out) {
    guardOutput(out, FileKind::Profile, {file});
    openLandmarkFile(file)->saveProfile(out);
}

void openProfileCommand(const std::string& profile, const std::string& out) {
    // The landmark file the profile names may be the output: it is read whole before the save.
    guardOutput(out, FileKind::Landmarks, {profile});
    const FileUpdate update(out);
    auto set = std::make_unique<LandmarkSet>();
    try {
        set->openProfile(profile);
    } catch (const UserError& error) {
        // The profile's own refusals name the profile; the landmark file it names is told as
        // a landmark file given on the command line is.
        if (!refusesLandmarkBytes(error) || error.path().empty() || error.path() == profile)
            throw;
        throw NotLandmarkFile(error.path(), whyNotLandmarkFile(error, readLandmarkFileBytes(error.path())));
    }
    set->writeLandmarkFile(out);
}

void demoCommand(int region, const std::string& out) {
    guardOutput(out, FileKind::Landmarks, {});
    replaceFileAtomically(out, demoLandmarkFile(region));
}

FileBuffer readInput(const std::string& file, std::size_t limit, const Message& tooLarge) {
    return file == "-" ? readStandardInputWithin(limit, tooLarge)
                       : namingFile(file, [&] { return readFileWithin(file, limit, tooLarge); });
}

void writeTextFile(const std::string& path, const std::string& text, const std::string& input) {
    const std::vector<std::string> inputs{input};
    refuseOutputThatIsAnInput(path, inputs);
    namingFile(path,
               [&] { replaceFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end())); });
}

CommandResult checkCommand(const std::string& file, const std::optional<std::string>& profile, bool json,
                           bool strict, std::optional<int> region) {
    std::vector<Finding> findings;
    try {
        const auto set = openWithProfile(file, profile);
        findings = findProblems(*set, region ? region : detectRegion(fileNamePart(file)));
    } catch (const NotLandmarkFile& error) {
        findings.push_back(unreadableFinding("not a landmark file" + error.why()));
    } catch (const UserError& error) {
        // The reader's message; the file it is about when that is not the one checked (a profile).
        std::string message = explainedMessage(error);
        if (!error.path().empty() && error.path() != fullPath(file) && error.path() != file)
            message += " (" + error.path() + ")";
        findings.push_back(unreadableFinding(message));
    }
    return {json ? findingsJson(file, findings) : findingsText(file, findings),
            failsCheck(findings, strict) ? 1 : 0};
}

CommandResult diffCommand(const std::string& a, const std::string& b,
                          const std::optional<std::string>& profile, bool json) {
    const auto setA = openLandmarkFile(a);
    const auto setB = openWithProfile(b, profile);
    const SetDiff diff = diffSets(*setA, *setB);
    return {json ? diffJson(a, b, diff) : diffText(diff), diff.same() ? 0 : 1};
}

CommandResult keptDiffCommand(const std::string& file, bool json) {
    const auto onDisk = openLandmarkFile(file);
    const std::optional<std::string> folder = defaultRecoveryFolder();
    const std::optional<RecoveryEntry> entry =
        folder ? recoveryCopyOf(*folder, fullPath(file)) : std::nullopt;
    if (!entry)
        throw UserError("no unsaved work of the editor is kept for " + file);
    // The unsaved steps laid onto the file as it is now, as the editor's merge would lay them
    // (its values winning); the whole copy where no steps were kept or they do not fit.
    LandmarkSet kept = *onDisk;
    const std::optional<std::vector<EditStep>> steps =
        readSteps(stepsPathFor(entry->files.description), entry->description.copyHash);
    if (steps && findStepConflicts(kept, *steps))
        replaySteps(kept, *steps);
    else
        readRecoveryCopy(kept, *entry);
    const SetDiff diff = diffSets(*onDisk, kept);
    return {json ? diffJson(file, entry->files.copy, diff) : diffText(diff), diff.same() ? 0 : 1};
}

void importCommand(const std::string& input, const std::string& format,
                   const std::optional<std::string>& templ, const std::string& out,
                   const std::string& delimiter) {
    // The template may be the output, a landmark file saved over; the sheet may not.
    std::vector<std::string> inputs;
    if (input != "-")
        inputs.push_back(input);
    guardOutput(out, FileKind::Landmarks, inputs);
    // The template may be the output: no other program's change of it may come between.
    const FileUpdate update(out);
    std::optional<LandmarkFileContents> templateFile;
    if (templ) {
        templateFile = decodeLandmarkFile(readLandmarkFileChecked(*templ, *templ));
    }
    const std::string inputName = input == "-" ? "standard input" : input;
    const FileBuffer text =
        readInput(input, kImportLimit,
                  Message(inputName + " is larger than 16 MiB; a landmark file's sheet is far smaller"));
    std::optional<ImportFormat> chosen;
    if (!format.empty())
        chosen = format == "json" ? ImportFormat::Json : ImportFormat::Csv;
    const std::vector<std::uint8_t> bytes = namingFile(inputName, [&] {
        return importLandmarkText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                                  chosen, templateFile ? &*templateFile : nullptr,
                                  delimiter.empty() ? std::nullopt : std::optional<char>(delimiter.front()));
    });
    namingFile(out, [&] { replaceFileAtomically(out, bytes); });
}

} // namespace korvland::cli
