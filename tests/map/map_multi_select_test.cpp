// The selection of many records on the map: the rubber band, Ctrl and a press, Escape and
// Ctrl+A, the selection ring, the pop-up menu's edits of the selection and the dimming of
// what the document's filter leaves out.
#include "map_window_fixture.h"
#include "support_gui/named.h"
#include "support_gui/render_keep.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QTest>
#include <QUndoStack>

namespace korvland::testing {
namespace {

// Six markers in two rows of three, far enough apart at 1:1 that a band can pass between
// them:   0 1 2
//         3 4 5
class MapMultiSelectTest : public MapWindowTest {
  protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        LandmarkFileBuilder file;
        for (int i = 0; i < 6; ++i) {
            const auto id = static_cast<std::uint16_t>(100 + i);
            const auto side = static_cast<std::uint8_t>(i % 2);
            file.add(makeRecord(id, static_cast<std::uint8_t>(i == 4 ? 6 : 7), 0, side,
                                "Place " + std::to_string(i), 49.2f - 0.2f * static_cast<float>(i / 3),
                                3.0f + 0.2f * static_cast<float>(i % 3)));
        }
        load(file);
        openMap();
    }

    QWidget* viewport() const { return map->view()->viewport(); }
    MarkerFrameItem& frame(int index) const { return *map->marker(index)->frame; }
    QPoint centreOf(int index) const {
        return map->view()->mapFromScene(frame(index).sceneBoundingRect().center());
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(viewport(), Qt::LeftButton, modifiers, from);
        const QPoint halfway = (from + to) / 2;
        for (const QPoint pos : {halfway, to}) {
            QMouseEvent move(QEvent::MouseMove, pos, viewport()->mapToGlobal(pos), Qt::NoButton,
                             Qt::LeftButton, modifiers);
            QApplication::sendEvent(viewport(), &move);
        }
        QTest::mouseRelease(viewport(), Qt::LeftButton, modifiers, to);
    }
    void click(int index, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(viewport(), button, modifiers, centreOf(index));
        QTest::mouseRelease(viewport(), button, modifiers, centreOf(index));
    }
    // An entry of the pop-up menu or of its "Set Side" submenu.
    QAction* entry(const char* name) const {
        QList<QAction*> entries = map->popupMenu()->actions();
        for (int i = 0; i < entries.size(); ++i) {
            QMenu* sub = entries[i]->menu();
            if ((sub ? sub->objectName() : entries[i]->objectName()) == QLatin1String(name))
                return entries[i];
            if (sub)
                entries += sub->actions();
        }
        ADD_FAILURE() << name;
        return nullptr;
    }
    // Which markers wear the selection ring.
    QList<int> ringed() const {
        QList<int> indices;
        for (const MapMarker& marker : map->markers()) {
            if (marker.frame->isInSelection())
                indices.append(marker.frame->index());
        }
        return indices;
    }
};

// A corner of a band: a marker's centre on the screen and an offset from it.
struct Corner {
    int marker;
    int dx;
    int dy;
};

struct BandCase {
    const char* name;
    QList<int> before;
    Corner from;
    Corner to;
    bool ctrl;
    QList<int> after;
};

// clang-format off
const BandCase kBands[] = {
    {"TopRow", {5}, {0, -15, -15}, {2, 15, 15}, false, {0, 1, 2}},
    {"DrawnUpAndLeft", {}, {4, 15, 15}, {0, -15, -15}, false, {0, 1, 3, 4}},
    {"CuttingAFrameWithoutItsCentre", {}, {0, -15, -15}, {4, -5, -5}, false, {0}},
    {"Everything", {}, {0, -20, -20}, {5, 20, 20}, false, {0, 1, 2, 3, 4, 5}},
    {"BareGroundBetweenMarkersEmptiesTheSelection", {1, 2}, {0, 15, 15}, {4, -15, -15}, false, {}},
    {"CtrlAdds", {5}, {0, -15, -15}, {1, 15, 15}, true, {0, 1, 5}},
    {"CtrlAddsNothingNew", {0, 5}, {0, -15, -15}, {0, 15, 15}, true, {0, 5}},
    {"ASlipOfTheHandIsAClick", {5}, {0, 20, 20}, {0, 21, 20}, false, {5}},
    {"StartingOnAMarkerIsAPressOnIt", {5}, {0, 0, 0}, {5, 20, 20}, false, {0}},
};
// clang-format on

class MapBand : public MapMultiSelectTest,
                public ::testing::WithParamInterface<std::tuple<BandCase, float>> {};

TEST_P(MapBand, SelectsExactlyTheMarkersWhoseCentresLieInside) {
    const auto& [c, scale] = GetParam();
    if (scale != 1.0f)
        entry(map_names::kDoubleScaleAction)->trigger();
    document.setSelection(c.before);
    const auto at = [this](Corner corner) { return centreOf(corner.marker) + QPoint(corner.dx, corner.dy); };
    drag(at(c.from), at(c.to), c.ctrl ? Qt::ControlModifier : Qt::NoModifier);
    EXPECT_EQ(document.selectedIndices(), c.after);
    EXPECT_EQ(ringed(), c.after) << "the rings show the document's selection";
    EXPECT_EQ(map->rubberBand(), nullptr) << "the band goes with the button";
    EXPECT_EQ(document.undoStack()->count(), 0) << "selecting is no edit";
}

INSTANTIATE_TEST_SUITE_P(Bands, MapBand,
                         ::testing::Combine(::testing::ValuesIn(kBands), ::testing::Values(1.0f, 2.0f)),
                         [](const auto& testInfo) {
                             return std::string(std::get<0>(testInfo.param).name) +
                                    (std::get<1>(testInfo.param) == 1.0f ? "_1to1" : "_2to1");
                         });

TEST_F(MapMultiSelectTest, BandIsDrawnWhileDraggingAndEscapeDropsItBeforeTheSelection) {
    document.setSelection({5});
    const QPoint from = centreOf(0) - QPoint(15, 15);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, centreOf(4), viewport()->mapToGlobal(centreOf(4)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(viewport(), &move);
    ASSERT_NE(map->rubberBand(), nullptr);
    EXPECT_TRUE(map->rubberBand()->isVisible());
    EXPECT_EQ(map->rubberBand()->geometry(), QRect(from, centreOf(4)));
    keep(map->grab().copy(QRect(QPoint(0, 0), QSize(260, 200))), "map_rubber_band.png");
    QTest::keyClick(map->view(), Qt::Key_Escape);
    EXPECT_EQ(map->rubberBand(), nullptr);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, centreOf(4));
    EXPECT_EQ(document.selectedIndices(), QList<int>{5}) << "a dropped band selects nothing";
    QTest::keyClick(map->view(), Qt::Key_Escape);
    EXPECT_EQ(document.selectedCount(), 0);

    // A press whose release went to another window leaves no band for the pointer to drag.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
    QMouseEvent hover(QEvent::MouseMove, centreOf(4), viewport()->mapToGlobal(centreOf(4)), Qt::NoButton,
                      Qt::NoButton, {});
    QApplication::sendEvent(viewport(), &hover);
    EXPECT_EQ(map->rubberBand(), nullptr);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, from);
    EXPECT_EQ(document.selectedCount(), 0);
}

TEST_F(MapMultiSelectTest, CtrlPressTogglesAPlainPressSelectsAloneAndKeysSelectAllOrNone) {
    click(1);
    EXPECT_EQ(document.currentIndex(), 1);
    EXPECT_EQ(document.selectedIndices(), QList<int>{1});
    click(3, Qt::ControlModifier);
    click(5, Qt::ControlModifier);
    EXPECT_EQ(document.selectedIndices(), (QList<int>{1, 3, 5}));
    click(1, Qt::ControlModifier);
    EXPECT_EQ(document.selectedIndices(), (QList<int>{3, 5}));
    EXPECT_EQ(document.currentIndex(), 1) << "Ctrl picks without moving the current record";
    EXPECT_EQ(frame(1).frameShape(), MarkerFrameItem::Shape::Circle);

    // A right press on a selected marker keeps the selection for the pop-up menu.
    click(5, {}, Qt::RightButton);
    EXPECT_EQ(document.currentIndex(), 5);
    EXPECT_EQ(document.selectedIndices(), (QList<int>{3, 5}));
    click(0, {}, Qt::RightButton);
    EXPECT_EQ(document.selectedIndices(), QList<int>{0});

    QTest::keyClick(map->view(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(document.selectedCount(), 6);
    EXPECT_EQ(ringed().size(), 6);
    QTest::keyClick(map->view(), Qt::Key_Escape);
    EXPECT_EQ(document.selectedCount(), 0);
    EXPECT_TRUE(ringed().isEmpty());
    // A plain press still does what it always did.
    click(2);
    EXPECT_EQ(document.currentIndex(), 2);
    EXPECT_EQ(document.selectedIndices(), QList<int>{2});
}

TEST_F(MapMultiSelectTest, SideSetThroughThePopUpIsOneStepAndItsUndoRestoresEveryColour) {
    // "Invert Selection" works on no selection too: it selects every landmark.
    document.selectNone();
    EXPECT_TRUE(entry("InvertSelection")->isEnabled());
    const QStringList entries{"SwitchOn", "SwitchOff", "SideGerman", "SideAllied"};
    for (const QString& name : entries)
        EXPECT_FALSE(entry(name.toLatin1().constData())->isEnabled()) << name.toStdString();
    document.select(2);
    document.setSelection({0, 1, 2, 3});
    for (const QString& name : entries)
        EXPECT_TRUE(entry(name.toLatin1().constData())->isEnabled()) << name.toStdString();
    EXPECT_TRUE(entry("SetSide")->isEnabled());

    entry("SideAllied")->trigger();
    EXPECT_EQ(document.undoStack()->count(), 1);
    for (const int i : {0, 1, 3})
        EXPECT_EQ(frame(i).colour(), kAlliedColour) << i;
    EXPECT_EQ(frame(2).colour(), kHighlightColour) << "the highlight keeps its ring";
    EXPECT_EQ(map->savedMarkerColour(), kAlliedColour);
    EXPECT_EQ(frame(2).toolTip(), QStringLiteral("Allied Town: Place 2"));

    document.undoStack()->undo();
    for (const int i : {0, 1, 3, 4, 5})
        EXPECT_EQ(frame(i).colour(), sideColour(static_cast<std::uint8_t>(i % 2))) << i;
    EXPECT_EQ(map->savedMarkerColour(), kGermanColour);
    document.select(0);
    EXPECT_EQ(frame(2).colour(), kGermanColour) << "the square comes back in its own colour";

    entry("InvertSelection")->trigger();
    EXPECT_EQ(document.selectedIndices(), (QList<int>{1, 2, 3, 4, 5})) << "the plain move selected record 0";
    EXPECT_EQ(document.undoStack()->count(), 1);
}

TEST_F(MapMultiSelectTest, SwitchEntriesHatchTheMarkersAndSayWhatStaysOff) {
    document.setSelection({3, 4, 5});
    entry("SwitchOff")->trigger();
    for (const int i : {3, 4, 5})
        EXPECT_TRUE(frame(i).isHatched()) << i;
    EXPECT_FALSE(frame(2).isHatched());
    entry("SwitchOn")->trigger();
    EXPECT_FALSE(frame(3).isHatched());
    EXPECT_TRUE(frame(4).isHatched()) << "type 6 stays off";
    EXPECT_EQ(document.undoStack()->count(), 2);
    EXPECT_EQ(named<QLabel>(editor, editor_names::kNoticePanel)->text(),
              QStringLiteral("A landmark of type 06 stays switched off: give it another type first."));
    // Each undo gives every marker its switch back.
    document.undoStack()->undo();
    document.undoStack()->undo();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(frame(i).isHatched(), i == 4) << i;
}

TEST_F(MapMultiSelectTest, MarkersOutsideTheFilterAreDimmedFollowEditsAndStayClickable) {
    document.setSelection({1});
    LandmarkFilter allied;
    allied.side = SideFilter::Allied;
    document.setFilter(allied);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(map->marker(i)->icon->isDimmed(), i % 2 == 0) << i;
        EXPECT_EQ(frame(i).isDimmed(), i % 2 == 0) << i;
        // A match is never hidden under a marker the filter leaves out.
        if (i != document.currentIndex()) {
            EXPECT_EQ(frame(i).zValue() < 0, i % 2 == 0) << i;
        }
    }
    // An edit carries a record into the filter; a switch out of a state filter.
    document.setSide(0, 1);
    EXPECT_FALSE(frame(0).isDimmed());
    // Dimmed markers are pressed as any other.
    click(2);
    EXPECT_EQ(document.currentIndex(), 2);
    EXPECT_EQ(document.selectedIndices(), QList<int>{2});
    // A new scale builds the markers again, dimmed and ringed as before.
    entry(map_names::kDoubleScaleAction)->trigger();
    EXPECT_TRUE(frame(4).isDimmed());
    EXPECT_FALSE(frame(5).isDimmed());
    EXPECT_EQ(ringed(), QList<int>{2});
    document.clearFilter();
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(map->marker(i)->icon->isDimmed()) << i;
}

TEST_F(MapMultiSelectTest, RingStandsOutsideTheFrameOnEveryGroundAndDimmingDarkensTheIcon) {
    document.setActive(3, false);
    document.setSelection({0, 1, 3});
    LandmarkFilter filter;
    filter.side = SideFilter::Allied;
    document.setFilter(filter);
    document.select(5, LandmarkDocument::SelectionUpdate::Keep);
    QApplication::processEvents();
    const QImage picture = viewport()->grab().toImage();
    keep(picture.copy(QRect(centreOf(0) - QPoint(40, 40), QSize(220, 160))), "map_selection_ring.png");
    const auto at = [&](int index, int x, int y) {
        return QColor(picture.pixel(map->view()->mapFromScene(frame(index).scenePos()) + QPoint(x, y)));
    };
    const QColor light(0xFF, 0xF4, 0x9C);
    for (const int i : {0, 1, 3}) {
        SCOPED_TRACE(i);
        int lightPixels = 0;
        int darkPixels = 0;
        for (int x = -3; x < kFrameSize + 3; ++x) {
            for (const int y : {-3, -2, kFrameSize + 1, kFrameSize + 2}) {
                lightPixels += at(i, x, y) == light;
                darkPixels += at(i, x, y).lightness() < 40;
            }
        }
        // Light dashes with dark gaps all round, a pixel of ground before the frame.
        EXPECT_GT(lightPixels, 50);
        EXPECT_GT(darkPixels, 20);
        EXPECT_NE(at(i, -1, 11), light);
        EXPECT_NE(at(i, 11, -1), light);
    }
    // The frame keeps its side colour at full strength, dimmed or not, and the hatch shows.
    EXPECT_EQ(at(1, 0, 11), QColor(Qt::blue));
    EXPECT_GT(at(0, 0, 11).red(), 100) << "a dimmed German frame is still red";
    EXPECT_LT(at(0, 0, 11).red(), 255);
    int hatch = 0;
    for (int y = 2; y < 20; ++y)
        hatch += at(3, 11, y).blue() > 150;
    EXPECT_GT(hatch, 3) << "the hatch of a switched-off Allied marker";
    // A dimmed icon is darker than the same kind's icon in full.
    const auto brightness = [&](int index) {
        int sum = 0;
        for (int y = 1; y < 21; ++y)
            for (int x = 1; x < 21; ++x)
                sum += at(index, x, y).lightness();
        return sum;
    };
    EXPECT_LT(brightness(2), brightness(5));

    // Over the front line's washes, and at 1:2 where the rings meet the neighbours' frames.
    scaleEntry(map_names::kFrontLineAction)->trigger();
    QApplication::processEvents();
    keep(viewport()->grab().toImage().copy(QRect(centreOf(0) - QPoint(40, 40), QSize(220, 160))),
         "map_selection_ring_front.png");
    map->setScale(0.5f);
    QApplication::processEvents();
    keep(viewport()->grab().toImage().copy(QRect(QPoint(0, 0), QSize(160, 120))),
         "map_selection_ring_half.png");
}

} // namespace
} // namespace korvland::testing
