#include "cli/demo_file.h"
#include "data/region.h"
#include "data/set_comparison.h"
#include "map_window_fixture.h"
#include "ui/map/background_calibration.h"
#include "ui/map/map_background.h"
#include "ui/map/map_comparison.h"
#include "ui/map/map_labels.h"

#include "support_gui/render_keep.h"

#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QToolTip>
#include <QUndoStack>

#include <set>

namespace korvland::testing {
namespace {

class MapStoryTest : public MapWindowTest {
  protected:
    // A German city, an Allied airfield and a German village, far enough apart for names.
    static LandmarkFileBuilder three(std::uint8_t airfieldSide = 1) {
        return LandmarkFileBuilder()
            .add(makeRecord(1, 1, 0, 0, "Reims", 49.0f, 3.0f))
            .add(makeRecord(2, 0, 0, airfieldSide, "Arras", 49.4f, 3.8f))
            .add(makeRecord(3, 8, 0, 0, "Ay", 48.8f, 4.4f));
    }
    QAction* entry(const char* name) const { return scaleEntry(name); }
    QPointF centre(int index) const {
        return map->marker(index)->frame->pos() + QPointF(kFrameSize / 2.0, kFrameSize / 2.0);
    }
    QStringList labelTexts() const {
        QStringList texts;
        if (const MapLabelsItem* labels = map->content().labels)
            for (const MapLabelsItem::Label& label : labels->labels())
                texts << label.text;
        return texts;
    }
    // Recreates the windows over the same settings file and shows the map again.
    void reopen() {
        destroyWindows();
        createWindows();
        editor->setRecordMaximum(set.recordCount());
        map->show();
        QApplication::processEvents();
    }
};

TEST_F(MapStoryTest, NamesFollowTheScaleEditsAndUndoAndOutliveTheWindows) {
    load(three());
    openMap();
    EXPECT_FALSE(entry(map_names::kNamesAction)->isChecked());
    EXPECT_TRUE(labelTexts().isEmpty());
    entry(map_names::kNamesAction)->trigger();
    // At 1:1 the village has no name; at 2:1 it has.
    EXPECT_EQ(labelTexts(), QStringList({"Reims", "Arras"}));
    map->setScale(2.0f);
    EXPECT_EQ(labelTexts(), QStringList({"Reims", "Arras", "Ay"}));
    keep(map->grab(), "map_names.png");
    document.setName(1, QStringLiteral("Bapaume"));
    EXPECT_TRUE(labelTexts().contains("Bapaume"));
    document.undoStack()->undo();
    EXPECT_TRUE(labelTexts().contains("Arras"));
    EXPECT_EQ(store.readString("Map", "Names", ""), "1");

    reopen();
    EXPECT_TRUE(entry(map_names::kNamesAction)->isChecked());
    EXPECT_EQ(labelTexts().size(), 2);
}

TEST_F(MapStoryTest, ComparisonRingsWhatASaveWouldChangeAndStaysWithItsFile) {
    const std::string older = three(0).writeTo(dir.path() / "older.dat");
    load(three());
    openMap();
    // A file that cannot be read is reported and starts no comparison.
    dialogs.expectOpenFile(QString::fromStdString((dir.path() / "gone.dat").string()));
    dialogs.expectError();
    entry(map_names::kCompareAction)->trigger();
    EXPECT_EQ(map->content().comparison, nullptr);
    EXPECT_FALSE(entry(map_names::kStopComparingAction)->isEnabled());

    dialogs.expectOpenFile(QString::fromStdString(older));
    entry(map_names::kCompareAction)->trigger();
    EXPECT_EQ(map->comparisonLegend(), QStringLiteral("Compared with older.dat: 1 changed"));
    const ComparisonItem* rings = map->content().comparison;
    ASSERT_NE(rings, nullptr);
    EXPECT_EQ(rings->changedCentres(), std::vector<QPointF>{centre(1)});
    EXPECT_EQ(map->marker(1)->frame->toolTip(),
              QStringLiteral("Allied Airfield: Arras\nside German → Allied"));
    keep(map->grab(), "map_compare.png");

    document.setSide(1, 0);
    EXPECT_EQ(map->comparisonLegend(), QStringLiteral("Compared with older.dat: 0 changed"));
    document.undoStack()->undo();
    EXPECT_EQ(map->comparisonLegend(), QStringLiteral("Compared with older.dat: 1 changed"));

    // Another file is compared with nothing; its own comparison names a region that differs.
    load(three(), 4);
    openMap();
    EXPECT_TRUE(map->comparisonLegend().isEmpty());
    EXPECT_FALSE(entry(map_names::kStopComparingAction)->isEnabled());
    dialogs.expectOpenFile(QString::fromStdString((dir.path() / "lndmrks0.dat").string()));
    entry(map_names::kCompareAction)->trigger();
    EXPECT_EQ(map->comparisonLegend(),
              QStringLiteral("Compared with lndmrks0.dat: 0 changed (another region: Landmarks of the Marne "
                             "Region)"));
    entry(map_names::kStopComparingAction)->trigger();
    EXPECT_EQ(map->content().comparison, nullptr);
    EXPECT_TRUE(map->comparisonLegend().isEmpty());
    EXPECT_EQ(map->marker(1)->frame->toolTip(), QStringLiteral("Allied Airfield: Arras"));

    // The first file's comparison comes back with it, for this run only.
    load(three());
    openMap();
    EXPECT_EQ(map->comparisonLegend(), QStringLiteral("Compared with older.dat: 1 changed"));
    // A switched-off landmark is compared as it is saved; any landmark file may be chosen.
    document.setActive(0, false);
    const QString saved = QString::fromStdString(dir.file("saved.dat"));
    dialogs.expectSaveFile(saved);
    editorAction(editor_names::kSaveLandmarkAction)->trigger();
    dialogs.expectOpenFile(saved);
    entry(map_names::kCompareAction)->trigger();
    EXPECT_EQ(map->comparisonLegend(), QStringLiteral("Compared with saved.dat: 0 changed"));
    EXPECT_EQ(dialogs.asked().back().request.filter,
              QStringLiteral("Landmark files|*.dat *.mlf|All files|*"));
    reopen();
    EXPECT_TRUE(map->comparisonLegend().isEmpty());
    EXPECT_EQ(store.readString("Map", "CompareWith", "none"), "none");
}

TEST_F(MapStoryTest, PopupMenuAndWindowServeTheKeyboardAndAssistiveTechnology) {
    load(three());
    openMap();
    // The Menu key opens the menu at the current marker.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), map->mapToGlobal(QPoint()));
    QApplication::sendEvent(map.get(), &menuKey);
    EXPECT_EQ(map->popupMenu()->pos(),
              map->view()->viewport()->mapToGlobal(map->view()->mapFromScene(centre(0))));
    map->popupMenu()->hide();
    // Every entry has a letter of its own.
    std::set<QKeySequence> letters;
    for (const QAction* action : map->popupMenu()->actions())
        EXPECT_TRUE(action->isSeparator() || letters.insert(QKeySequence::mnemonic(action->text())).second)
            << action->text().toStdString();
    EXPECT_FALSE(letters.contains(QKeySequence()));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(map.get())->role(), QAccessible::Window);
}

TEST_F(MapStoryTest, ComparedBytesTheProgramDoesNotReadAreCountedInTheHint) {
    const std::string older = three().recordSize(70).gapFill(1).writeTo(dir.path() / "older.dat");
    load(three().recordSize(70));
    openMap();
    dialogs.expectOpenFile(QString::fromStdString(older));
    entry(map_names::kCompareAction)->trigger();
    // The last record has no bytes up to a next one.
    EXPECT_EQ(map->comparisonLegend(), QStringLiteral("Compared with older.dat: 2 changed"));
    // What a pause of the mouse over the marker shows.
    const QPoint at = map->view()->mapFromScene(centre(0));
    QHelpEvent hover(QEvent::ToolTip, at, map->view()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(map->view()->viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("German City: Reims\n7 unknown bytes differ"));
}

TEST_F(MapStoryTest, PictureLiesWhereItsAnchorsPutItAtEveryScale) {
    load(three());
    openMap();
    const QString picture = QString::fromStdString((dir.path() / "theatre.png").string());
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(QColor(220, 225, 190));
    ASSERT_TRUE(image.save(picture));

    // Unreadable: reported, nothing shown or kept.
    dialogs.expectOpenFile(QString::fromStdString((dir.path() / "notes.png").string()));
    dialogs.expectError();
    entry(map_names::kBackgroundAction)->trigger();
    EXPECT_EQ(map->content().background, nullptr);

    dialogs.expectOpenFile(picture);
    dialogs.expectExec(QDialog::Accepted, [](QDialog& dialog) {
        auto& calibration = dynamic_cast<BackgroundCalibrationDialog&>(dialog);
        dialog.show();
        // Reims lies south-west of Arras, on the picture as on the map.
        for (const auto& [row, pixel] : {std::pair{0, QPoint(20, 80)}, std::pair{1, QPoint(180, 30)}}) {
            calibration.landmarkBox()->setCurrentIndex(row);
            QTest::mouseClick(calibration.pictureView(), Qt::LeftButton, {}, pixel);
        }
        keep(dialog.grab(), "map_background_calibration.png");
    });
    entry(map_names::kBackgroundAction)->trigger();
    EXPECT_EQ(store.readString("Map", "BackgroundAnchors0", ""), "1:20,80;2:180,30");
    for (float scale : {1.0f, 4.0f, 0.5f}) {
        map->setScale(scale);
        const BackgroundItem* background = map->content().background;
        ASSERT_NE(background, nullptr) << scale;
        EXPECT_EQ(background->sceneTransform().map(QPointF(20, 80)), centre(0)) << scale;
        EXPECT_EQ(background->sceneTransform().map(QPointF(180, 30)), centre(1)) << scale;
    }
    // Names over the light picture are dark in a light halo.
    entry(map_names::kNamesAction)->trigger();
    const auto onLightGround = [this] {
        return std::ranges::count_if(map->content().labels->labels(), &MapLabelsItem::Label::onLightGround);
    };
    EXPECT_GE(onLightGround(), 1);
    keep(map->grab(), "map_background.png");

    reopen();
    ASSERT_NE(map->content().background, nullptr);
    entry(map_names::kRemoveBackgroundAction)->trigger();
    EXPECT_EQ(map->content().background, nullptr);
    EXPECT_EQ(onLightGround(), 0);
    EXPECT_EQ(store.readString("Map", "Background0", "none"), "none");
}

// The map rings what the command line's diff finds between the other file and the file as
// saved, for every demonstration file with landmarks switched off and switched back on.
class SavedFormComparison : public ::testing::TestWithParam<int> {};

TEST_P(SavedFormComparison, MarksWhatADiffOfTheSavedFileFinds) {
    const int region = GetParam();
    TempDir dir;
    auto shipped = std::make_unique<LandmarkSet>();
    shipped->readLandmarkBytes(dir.file("lndmrks.dat"), cli::demoLandmarkFile(region));
    auto edited = std::make_unique<LandmarkSet>(*shipped);
    for (std::size_t i = 0; i < edited->recordCount(); i += 7)
        edited->setDisabled(i, edited->disabledFlag(i) == 0 ? 1 : 0);
    edited->writeLandmarkFile(dir.file("saved.dat"));
    auto saved = std::make_unique<LandmarkSet>();
    saved->read(dir.file("saved.dat"));
    const std::vector<QPointF> centres(edited->recordCount());
    for (const LandmarkSet* other : {shipped.get(), saved.get()}) {
        const SetDiff diff = diffSets(*other, *saved);
        const ComparisonMarks marks = compareForMap(*other, *edited, centres, region, 1.0f);
        std::vector<int> changed;
        for (const RecordDiff& record : diff.changed)
            changed.push_back(record.recordB - 1);
        EXPECT_EQ(marks.changed, changed);
        EXPECT_EQ(marks.changed.empty(), other == saved.get());
    }
}

INSTANTIATE_TEST_SUITE_P(DemoFiles, SavedFormComparison, ::testing::Range(0, kRegionCount));

TEST(BackgroundAnchor, ReadsOnlyAnIdentifierAndAPixel) {
    const struct {
        const char* text;
        std::optional<BackgroundAnchor> anchor;
    } cases[] = {{"12:30,40", BackgroundAnchor{12, QPointF(30, 40)}},
                 {" 65535 : 1.5 , -2 ", BackgroundAnchor{65535, QPointF(1.5, -2)}},
                 {"65536:1,1", std::nullopt},
                 {"12:30", std::nullopt},
                 {"a:1,2", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(parseAnchor(QLatin1String(c.text)), c.anchor) << c.text;
}

} // namespace
} // namespace korvland::testing
