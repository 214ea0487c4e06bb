#include "map_window_fixture.h"
#include "support_gui/named.h"
#include "support_gui/table_translator.h"
#include "ui/editor/editor_window.h"
#include "ui/map/marker_items.h"
#include "ui/tables/filter_row.h"

#include <QComboBox>
#include <QLabel>

namespace korvland::testing {
namespace {
using namespace editor_names;

// The windows show the data layer's texts in the user's language: the kind label, the
// region's lines, a marker's hint, the filter's kinds and a file error.
class DataTextsWindowTest : public MapWindowTest {
  protected:
    // In force before the windows are made, as the program loads it before its first window.
    TableTranslator german{{
        {{"korvland::LandmarkKind", "Airfield"}, "Flugplatz"},
        {{"korvland::LandmarkKind", "Airfield: "}, "Flugplatz: "},
        {{"korvland::LandmarkKind", "City"}, "Großstadt"},
        {{"korvland::Region", "Map of Flanders Region"}, "Karte der Region Flandern"},
        {{"korvland::Region", "Landmarks of the Flanders Region"}, "Landmarken der Region Flandern"},
        {{"korvland::UserError", "File not found"}, "Datei nicht gefunden"},
    }};

    QString labelText(const char* name) const {
        const auto* label = editor->findChild<QLabel*>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("(no label)");
    }
};

TEST_F(DataTextsWindowTest, KindRegionHintAndFilterTextsAreTranslated) {
    load(LandmarkFileBuilder().add(makeRecord(1, 0, 0, 1, "Amiens", 49.5f, 3.0f)), 1);
    EXPECT_EQ(labelText(kKindLabel), "Flugplatz");
    EXPECT_EQ(labelText(kRegionLine), "Landmarken der Region Flandern");
    openMap();
    EXPECT_EQ(map->windowTitle(), "Karte der Region Flandern[*]");
    EXPECT_TRUE(markerHint(set.record(0)).endsWith("Flugplatz: Amiens"))
        << markerHint(set.record(0)).toStdString();

    const auto* kinds = named<QComboBox>(status, filter_row_names::kKind);
    ASSERT_NE(kinds, nullptr);
    EXPECT_EQ(kinds->itemText(1), "Flugplatz");
    EXPECT_EQ(kinds->itemText(2), "Großstadt");
}

TEST_F(DataTextsWindowTest, AFileErrorIsShownTranslatedAboveItsPath) {
    const std::string missing = dir.file("lndmrks0.dat");
    dialogs.expectOpenFile(QString::fromStdString(missing));
    dialogs.expectError();
    editorAction(kOpenLandmarkAction)->trigger();
    ASSERT_FALSE(dialogs.messages().isEmpty());
    EXPECT_EQ(dialogs.messages().last().toStdString(), "Datei nicht gefunden.\n" + missing);
}

} // namespace
} // namespace korvland::testing
