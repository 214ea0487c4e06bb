#include "support_gui/named.h"
#include "support_gui/render_keep.h"
#include "support_gui/test_windows.h"
#include "ui/common/radio_group.h"
#include "ui/common/record_format.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace korvland::testing {
namespace {
using namespace editor_names;

using Shape = MarkerFrameItem::Shape;

// The map over a file whose markers spread far beyond the window: record 1 in the
// north-west corner, record 2 in the middle, record 3 in the south-east corner and
// record 4 at north-south 0, east-west 0 (the south-west corner).
class MapSelectionTest : public WindowsTest<> {
  protected:
    MapSelectionTest() {
        QLocale::setDefault(QLocale::c());
        createWindows();
        LandmarkFileBuilder file;
        file.add(makeRecord(101, 0, 0, 0, "Corner", 20.0f, 0.0f))
            .add(makeRecord(102, 1, 0, 1, "Middle", 10.0f, 10.0f))
            .add(makeRecord(103, 7, 0, 0, "Far", 0.0f, 20.0f))
            .add(makeRecord(104, 8, 0, 1, "Origin", 0.0f, 0.0f));
        document.read(QString::fromStdString(file.writeTo(dir.path() / "lndmrks0.dat")));
        editor->setRecordMaximum(set.recordCount());
        editor->setRecordControlsEnabled(true);
        editor->setFieldEditsEnabled(true);
        editor->setRecordNumber(1);
        editor->refreshRecord();
        editor->show();
    }
    ~MapSelectionTest() override {
        destroyWindows();
        QLocale::setDefault(mLocale);
    }

    void showMap() {
        map->show();
        ASSERT_EQ(map->markers().size(), set.recordCount());
    }
    // The one road of selection, as the editor's spinner takes it.
    void select(int number) {
        editor->setRecordNumber(number);
        editor->selectRecord();
    }
    MarkerFrameItem& frame(int index) const { return *map->marker(index)->frame; }
    QWidget* viewport() const { return map->view()->viewport(); }
    QPoint centreOf(int index) const {
        return map->view()->mapFromScene(frame(index).sceneBoundingRect().center());
    }
    void press(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(viewport(), button, {}, centreOf(index));
        QTest::mouseRelease(viewport(), button, {}, centreOf(index));
    }
    // A pointer movement without a button, as the window system reports it.
    void moveTo(QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         {});
        QApplication::sendEvent(viewport(), &move);
    }
    QString editorText(const char* name) const {
        auto* widget = editor->findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        if (auto* box = qobject_cast<QLineEdit*>(widget))
            return box->text();
        return widget ? qobject_cast<QLabel*>(widget)->text() : QString();
    }
    void chooseSide(int item) {
        QRadioButton* button = named<RadioGroup>(editor, kSideGroup)->button(item);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void typeType(const QString& hex) {
        auto* box = named<QLineEdit>(editor, kTypeBox);
        box->selectAll();
        QTest::keyClicks(box, hex);
    }
    void expectSquare(int index, BgrColour colour, bool hatched) const {
        EXPECT_EQ(frame(index).frameShape(), Shape::Square) << "bob" << index;
        EXPECT_EQ(frame(index).colour(), colour) << "bob" << index;
        EXPECT_EQ(frame(index).isHatched(), hatched) << "bob" << index;
    }
    void expectHighlighted(int index, bool hatched) const {
        EXPECT_EQ(frame(index).frameShape(), Shape::Circle) << "bob" << index;
        EXPECT_EQ(frame(index).colour(), kHighlightColour) << "bob" << index;
        EXPECT_EQ(frame(index).isHatched(), hatched) << "bob" << index;
    }

  private:
    QLocale mLocale;
};

TEST_F(MapSelectionTest, PressOnAMarkerWithAnyButtonMakesItsRecordCurrentEverywhere) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        showMap();
        select(3);
        press(0, button);
        EXPECT_EQ(editor->recordNumber(), 1);
        EXPECT_EQ(editorText(kIdBox), QStringLiteral("101")) << "the editor shows the record";
        EXPECT_EQ(editorText(kCurrentControlLabel), QStringLiteral("bob0"));
        EXPECT_EQ(map->selection().clickedMarkerName(), QStringLiteral("bob0"));
        expectHighlighted(0, false);
        expectSquare(2, kGermanColour, false);
        // The status table's list, once it exists, follows without its own click handling.
        if (auto* list = named<QListView>(status, status_names::kList);
            list && list->model()->rowCount() > 0) {
            EXPECT_EQ(list->currentIndex().row(), 0);
        }
        map->hide();
    }
}

TEST_F(MapSelectionTest, RightPressOnAMarkerAlsoOpensThePopUpMenu) {
    showMap();
    select(3);
    // What the window system delivers for a right press: the press, then the request for
    // a context menu at the same place.
    const QPoint at = centreOf(1);
    QTest::mousePress(viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport()->mapToGlobal(at));
    QApplication::sendEvent(viewport(), &request);
    EXPECT_EQ(editor->recordNumber(), 2);
    expectHighlighted(1, false);
    EXPECT_TRUE(map->popupMenu()->isVisible());
    map->popupMenu()->hide();
    QTest::mouseRelease(viewport(), Qt::RightButton, {}, at);
}

TEST_F(MapSelectionTest, HighlightMovingOnRestoresTheSquareInItsSideColourHatchedByItsFlag) {
    document.setActive(1, false);
    showMap();
    select(2);
    expectHighlighted(1, true);
    expectSquare(0, kGermanColour, false);
    select(3);
    expectSquare(1, kAlliedColour, true);
    expectHighlighted(2, false);
    select(1);
    expectSquare(2, kGermanColour, false);
    expectHighlighted(0, false);
}

TEST_F(MapSelectionTest, HighlightIsAWhiteRingOverTheIconHatchedWhenSwitchedOff) {
    document.setActive(1, false);
    showMap();
    select(2);
    const QImage picture = viewport()->grab().toImage();
    keep(picture.copy(QRect(centreOf(1) - QPoint(40, 40), QSize(80, 80))), "map_highlight.png");
    const QPoint topLeft = map->view()->mapFromScene(frame(1).scenePos());
    const auto colourAt = [&](QPoint p) { return QColor(picture.pixel(p)); };
    const QColor top = colourAt(topLeft + QPoint(11, 0));
    EXPECT_GT(std::min({top.red(), top.green(), top.blue()}), 200) << "the ring's top is white";
    EXPECT_NE(colourAt(topLeft), Qt::white) << "a ring leaves the square's corner";
    int white = 0;
    for (int y = 4; y < 18; ++y)
        for (int x = 4; x < 18; ++x)
            white += colourAt(topLeft + QPoint(x, y)) == Qt::white;
    EXPECT_GT(white, 20) << "white hatching over the icon of a switched-off record";
}

TEST_F(MapSelectionTest, SideChosenInTheEditorColoursTheOldSquareWhenTheHighlightMovesOn) {
    showMap();
    select(3);
    chooseSide(1);
    EXPECT_EQ(map->savedMarkerColour(), kAlliedColour);
    expectHighlighted(2, false);
    select(4);
    expectSquare(2, kAlliedColour, false);
}

TEST_F(MapSelectionTest, CurrentMarkerIsCentredWhereTheContentAllows) {
    select(2);
    showMap();
    const QSize client = viewport()->size();
    EXPECT_EQ(centreOf(1), QPoint(client.width() / 2 + 1, client.height() / 2 + 1))
        << "centred as the map opens";
    expectHighlighted(1, false);
    QScrollBar* across = map->view()->horizontalScrollBar();
    QScrollBar* down = map->view()->verticalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    ASSERT_GT(down->maximum(), 0);

    select(3);
    select(2);
    EXPECT_EQ(centreOf(1), QPoint(client.width() / 2 + 1, client.height() / 2 + 1));
    // Near the top-left corner both positions stay at 0; near the bottom-right both stop
    // at the end of their range.
    select(1);
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(down->value(), 0);
    select(3);
    EXPECT_EQ(across->value(), across->maximum());
    EXPECT_EQ(down->value(), down->maximum());
}

TEST_F(MapSelectionTest, SameRecordStaysHighlightedAcrossAZoomAndNoneIsCarriedOverAShow) {
    showMap();
    select(2);
    map->setScale(2.0f);
    expectHighlighted(1, false);
    expectSquare(0, kGermanColour, false);

    // Hidden, the map follows nothing; a side chosen meanwhile for another record must
    // not colour the frame highlighted before the hide.
    map->hide();
    select(3);
    chooseSide(1);
    showMap();
    expectSquare(1, kAlliedColour, false);
    expectHighlighted(2, false);
}

TEST_F(MapSelectionTest, CurrentMarkerIsRefreshedOnlyAfterTheFirstClickAndAsTheBuildWouldDrawIt) {
    showMap();
    select(2);
    const QString built = frame(1).toolTip();
    typeType(QStringLiteral("07"));
    chooseSide(0);
    EXPECT_EQ(frame(1).toolTip(), built) << "no refresh before any marker was clicked";
    EXPECT_EQ(map->marker(1)->icon->iconTemplate()->name, QStringLiteral("ICity"));

    press(1);
    typeType(QStringLiteral("07"));
    EXPECT_EQ(frame(1).toolTip(), QStringLiteral("German Town: Middle"));
    EXPECT_EQ(map->marker(1)->icon->iconTemplate()->name, QStringLiteral("ITown"));
    chooseSide(1);
    EXPECT_EQ(frame(1).toolTip(), QStringLiteral("Allied Town: Middle"));
    expectHighlighted(1, false); // the refresh leaves the highlight alone
    // Blank kinds get what a build gives them.
    typeType(QStringLiteral("06"));
    EXPECT_EQ(frame(1).toolTip(), QStringLiteral("Allied Blank Landmark: Middle"));
    EXPECT_EQ(map->marker(1)->icon->iconTemplate()->name, QStringLiteral("IBlank"));
    typeType(QStringLiteral("0A"));
    EXPECT_EQ(frame(1).toolTip(), QStringLiteral("Blank Landmark: "));
    EXPECT_EQ(map->marker(1)->icon->iconTemplate()->name, QStringLiteral("IBlank"));
    // Another record, made current by the editor, is refreshed in its turn.
    select(3);
    typeType(QStringLiteral("01"));
    EXPECT_EQ(frame(2).toolTip(), QStringLiteral("German City: Far"));
    EXPECT_EQ(frame(1).toolTip(), QStringLiteral("Blank Landmark: "));

    // While the map is hidden no marker exists and nothing happens.
    map->hide();
    typeType(QStringLiteral("02"));
    chooseSide(0);
    EXPECT_TRUE(map->markers().empty());
}

TEST_F(MapSelectionTest, PointerOverTheBareSurfaceWritesTheReadoutsOfTheCurrentRecord) {
    showMap();
    select(4);
    const QPoint bare = centreOf(3) + QPoint(0, -40);
    moveTo(bare);
    EXPECT_EQ(editorText(kNorthSouthReading), QStringLiteral("49110.00000000"));
    EXPECT_EQ(editorText(kEastWestReading), QStringLiteral("-5927.00000000"));
    const QPoint client = viewport()->mapTo(map.get(), bare);
    EXPECT_EQ(editorText(kPointerYReading), QString::number(client.y()));
    EXPECT_EQ(editorText(kPointerXReading), QString::number(client.x()));

    // Over a marker the readouts stay as they were.
    select(1);
    moveTo(centreOf(0));
    EXPECT_EQ(editorText(kNorthSouthReading), QStringLiteral("49110.00000000"));
}

} // namespace
} // namespace korvland::testing
