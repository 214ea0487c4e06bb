#include "commands.h"

#include "demo_file.h"
#include "info_report.h"
#include "output_guard.h"
#include "record_text.h"

#include "data/file_identity.h"
#include "data/file_io.h"
#include "data/landmark_set.h"
#include "data/profile_file.h"

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

// The set is large (1024 records and their flags): keep it off the stack.
std::unique_ptr<LandmarkSet> openLandmarkFile(const std::string& file) {
    auto set = std::make_unique<LandmarkSet>();
    set->korvfileread(fullPath(file));
    return set;
}

} // namespace

std::string infoCommand(const std::string& file) {
    return infoReport(*openLandmarkFile(file));
}

std::string exportCommand(const std::string& file, const std::string& format, bool forTerminal) {
    const auto set = openLandmarkFile(file);
    return format == "json" ? exportJson(*set) : exportCsv(*set, forTerminal);
}

void compileCommand(const std::string& file, const std::optional<std::string>& profile,
                    const std::string& out) {
    std::vector<std::string> inputs{file};
    if (profile)
        inputs.push_back(*profile);
    guardOutput(out, FileKind::Landmarks, inputs);
    const auto set = openLandmarkFile(file);
    if (profile) {
        // The profile's flags by index; the landmark file it names plays no part here.
        const ProfileContents contents = readProfileFile(*profile);
        set->applyDisabledFlags(contents.disabledFlags);
    }
    set->writeLandmarkFile(out);
}

void profileCommand(const std::string& file, const std::string& out) {
    guardOutput(out, FileKind::Profile, {file});
    openLandmarkFile(file)->saveProfile(out);
}

void openProfileCommand(const std::string& profile, const std::string& out) {
    guardOutput(out, FileKind::Landmarks, {profile});
    // The landmark file the profile names is an input too, known once the profile is read.
    const std::string named = readProfileFile(profile).pathText();
    refuseOutputThatIsAnInput(out, std::vector<std::string>{named});
    auto set = std::make_unique<LandmarkSet>();
    set->openProfile(profile);
    set->writeLandmarkFile(out);
}

void demoCommand(int region, const std::string& out) {
    guardOutput(out, FileKind::Landmarks, {});
    replaceFileAtomically(out, demoLandmarkFile(region));
}

} // namespace korvland::cli
