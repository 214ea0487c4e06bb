#include "data/file_io.h"
#include "data/file_kind.h"
#include "data/landmark_kind.h"
#include "data/user_error.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"
#include "support/fixture_builder.h"
#include "support_gui/table_translator.h"
#include "ui/common/data_texts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <string>

namespace korvland {
namespace {

using namespace std::string_literals;
using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::TableTranslator;
using testing::TempDir;

const TableTranslator::Table kGerman{
    {{"korvland::UserError", "Unable to write to %1"}, "%1 kann nicht geschrieben werden"},
    {{"korvland::UserError", "I/O error %1"}, "Ein-/Ausgabefehler %1"},
    {{"korvland::UserError", "%1; the old contents were kept as %2 and the complete new file as %3"},
     "%1; der alte Inhalt liegt in %2, die neue Datei in %3"},
    {{"korvland::UserError", "'%1' holds %2, not %3; remove it first or choose another name"},
     "„%1“ enthält %2, nicht %3"},
    {{"korvland::UserError", "landmarks"}, "Landmarken"},
    {{"korvland::UserError", "a profile"}, "ein Profil"},
    {{"korvland::UserError", "File not found"}, "Datei nicht gefunden"},
    {{"korvland::UserError", "The profile names no landmark file."},
     "Das Profil nennt keine Landmarkendatei."},
    {{"korvland::LandmarkKind", "Airfield"}, "Flugplatz"},
    {{"korvland::LandmarkKind", "Blank Landmark: "}, "Leere Landmarke: "},
    {{"korvland::Region", "Map of Flanders Region"}, "Karte der Region Flandern"},
    {{"korvland::Region", "Landmarks of the Alsace Region"}, "Landmarken der Region Elsass"},
};

UserError errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& error) {
        return error;
    }
    return UserError("(no error)"s);
}

// The template is translated, then each argument (a piece translated on its own where it is
// one), then the closing period: the English stays as the data layer writes it.
TEST(UserErrorText, TranslatesTheTemplateAndItsPiecesThenFillsAndClosesIt) {
    TempDir dir;
    const std::string landmarks =
        LandmarkFileBuilder().add(makeRecord(1, 0, 0, 0, "A")).writeTo(dir.file("x.lmp"));
    const std::string settings = dir.file("jö/%1.INI");
    const struct {
        UserError error;
        std::string english;
        std::string german;
    } cases[] = {
        {errorOf([&] { SettingsStore(settings).writeString("settings", "startdir", "/x"); }),
         "Unable to write to " + settings + ".", settings + " kann nicht geschrieben werden."},
        {errorOf([&] { refuseOtherKind(landmarks, FileKind::Profile); }),
         "'" + landmarks + "' holds landmarks, not a profile; remove it first or choose another name.",
         "„" + landmarks + "“ enthält Landmarken, nicht ein Profil."},
        {UserError(Text("%1; the old contents were kept as %2 and the complete new file as %3"),
                   {fileError(EIO, "/a"), "/a.korvold-1"s, "/a.korvtmp-2"s}),
         "I/O error 5; the old contents were kept as /a.korvold-1 and the complete new file as /a.korvtmp-2.",
         "Ein-/Ausgabefehler 5; der alte Inhalt liegt in /a.korvold-1, die neue Datei in /a.korvtmp-2."},
        {UserError(Text("The profile names no landmark file."), {}, "/p.lmp"),
         "The profile names no landmark file.", "Das Profil nennt keine Landmarkendatei."},
        {UserError(fileNotFound()), "File not found.", "Datei nicht gefunden."},
        // Without a translation the English shows; a tool's own text is never looked up.
        {UserError(fileError(ENOSPC, "/a")), "Disk full.", "Disk full."},
        {UserError("File not found"s), "File not found.", "File not found."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(userErrorText(c.error).toStdString(), c.english);
    const TableTranslator german(kGerman);
    for (const auto& c : cases)
        EXPECT_EQ(userErrorText(c.error).toStdString(), c.german) << c.english;
    EXPECT_EQ(messageText(notAnInteger("max")).toStdString(), "'max' is not a valid integer value")
        << "no closing period outside an error";
}

TEST(DataTexts, KindAndRegionTextsAreLookedUpInTheirOwnContexts) {
    const struct {
        std::function<QString()> text;
        const char* english;
        const char* german;
    } cases[] = {
        {[] { return kindLabelText(kindInfo(LandmarkKind::Airfield)); }, "Airfield", "Flugplatz"},
        {[] { return kindHintPrefixText(kindInfo(LandmarkKind::Blank)); },
         "Blank Landmark: ", "Leere Landmarke: "},
        {[] { return kindHintPrefixText(kindInfo(LandmarkKind::Troops)); }, "Troops: ", "Troops: "},
        {[] { return regionMapCaptionText(1); }, "Map of Flanders Region", "Karte der Region Flandern"},
        {[] { return regionLocationLineText(3); }, "Landmarks of the Alsace Region",
         "Landmarken der Region Elsass"},
        // Without a translation, the English.
        {[] { return regionMapCaptionText(3); }, "Map of Alsace Region", "Map of Alsace Region"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text().toStdString(), c.english);
    const TableTranslator german(kGerman);
    for (const auto& c : cases)
        EXPECT_EQ(c.text().toStdString(), c.german);
}

} // namespace
} // namespace korvland
