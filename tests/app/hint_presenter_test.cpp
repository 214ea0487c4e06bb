#include "support_gui/named.h"
#include "ui/common/hint_presenter.h"

#include "support_gui/test_windows.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::named;

// A window with two hinted labels, one without a hint, and a scene whose first item
// carries a hint; the presenter runs on a clock the test moves.
class HintPresenterTest : public ::testing::Test {
  protected:
    HintPresenterTest() {
        auto* layout = new QHBoxLayout(&window);
        for (QLabel** label : {&first, &second, &plain}) {
            *label = new QLabel(QStringLiteral("label"), &window);
            layout->addWidget(*label);
        }
        // Labels and an item that carry marker hints, wrapped as designed.
        for (QLabel* label : {first, second, plain})
            label->setProperty(kDesignedHintProperty, 1);
        first->setToolTip(QStringLiteral("Allied City: Reims"));
        second->setToolTip(QStringLiteral("German Town: Arras"));
        view = new QGraphicsView(&scene, &window);
        view->setFixedSize(200, 200);
        layout->addWidget(view);
        scene.setSceneRect(0, 0, 180, 180);
        marker = scene.addRect(10, 10, 22, 22);
        marker->setToolTip(QStringLiteral("German Blank Landmark: Dump"));
        marker->setData(kDesignedHintKey, 1);
        unhinted = scene.addRect(100, 100, 22, 22);
        window.move(40, 40);
        window.show();
        // Away from the window, so that the first movement onto it is a movement.
        QCursor::setPos(0, 0);
        QCoreApplication::processEvents();
    }

    void moveTo(QWidget* widget, QPoint pos = {}) {
        if (pos.isNull())
            pos = widget->rect().center();
        QTest::mouseMove(widget, pos);
        pointer = widget->mapToGlobal(pos);
    }
    void moveTo(const QGraphicsItem* item) {
        moveTo(view->viewport(), view->mapFromScene(item->sceneBoundingRect().center()));
    }
    void wait(int ms) {
        now += ms;
        presenter.runDue();
    }
    bool shown() const { return presenter.balloon().isVisible(); }
    QString text() const { return shown() ? presenter.balloon().text() : QString(); }

    std::int64_t now = 1000;
    HintPresenter presenter{nullptr, [this] { return now; }};
    QWidget window;
    QLabel* first = nullptr;
    QLabel* second = nullptr;
    QLabel* plain = nullptr;
    QGraphicsScene scene;
    QGraphicsView* view = nullptr;
    QGraphicsRectItem* marker = nullptr;
    QGraphicsRectItem* unhinted = nullptr;
    QPoint pointer;
};

TEST_F(HintPresenterTest, ShowsAfterTheRestBesideThePointerAndGoesAfterFiveSeconds) {
    moveTo(first);
    wait(249);
    EXPECT_FALSE(shown());
    wait(1);
    ASSERT_TRUE(shown());
    EXPECT_EQ(text(), QStringLiteral("Allied City: Reims"));
    EXPECT_EQ(presenter.balloon().lines().size(), 3);
    const QRect balloon = presenter.balloon().frameGeometry();
    EXPECT_FALSE(balloon.intersects(QRect(pointer, QSize(16, 22)))) << "the pointer stays uncovered";
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(balloon));
    wait(4999);
    EXPECT_TRUE(shown());
    wait(1);
    EXPECT_FALSE(shown());
}

TEST_F(HintPresenterTest, MovingBetweenHintedWidgetsAndSceneItemsShowsEachAtOnce) {
    moveTo(first);
    wait(250);
    moveTo(second);
    EXPECT_EQ(text(), QStringLiteral("German Town: Arras"));
    // The scene's items are no widgets, yet their hints come the same way.
    moveTo(marker);
    EXPECT_EQ(text(), QStringLiteral("German Blank Landmark: Dump"));
    // Bare ground and items without a hint show nothing.
    moveTo(unhinted);
    EXPECT_FALSE(shown());
    moveTo(plain);
    wait(1000);
    EXPECT_FALSE(shown());
}

TEST_F(HintPresenterTest, ClickOrHiddenWindowTakesTheHintAway) {
    moveTo(marker);
    wait(250);
    ASSERT_TRUE(shown());
    QTest::mousePress(view->viewport(), Qt::LeftButton, {},
                      view->mapFromScene(marker->sceneBoundingRect().center()));
    EXPECT_FALSE(shown());
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {},
                        view->mapFromScene(marker->sceneBoundingRect().center()));

    moveTo(first);
    wait(250);
    ASSERT_TRUE(shown());
    window.hide();
    EXPECT_FALSE(shown());
}

TEST_F(HintPresenterTest, NewStyleAppliesToTheNextHint) {
    plain->setToolTip(QStringLiteral("ab cd"));
    moveTo(plain);
    wait(250);
    EXPECT_EQ(presenter.balloon().lines().size(), 2);
    presenter.setStyle(kAboutHintStyle);
    EXPECT_EQ(presenter.balloon().lines().size(), 2) << "the hint shown keeps its look";
    moveTo(first);
    moveTo(plain);
    EXPECT_EQ(presenter.balloon().lines(), QStringList(QStringLiteral("ab cd")));
}

// The editor's About box asks for its own hint style while it is open.
class AboutHintStyleTest : public ::testing::Test, protected testing::TestWindows {};

TEST_F(AboutHintStyleTest, AboutBoxHintsAreEightPointOnWiderLinesUntilItCloses) {
    HintPresenter presenter;
    createWindows();
    HintStyle whileOpen;
    dialogs.expectExec(QDialog::Accepted, [&](QDialog&) { whileOpen = presenter.style(); });
    named<QAction>(editor, editor_names::kAboutAction)->trigger();
    EXPECT_EQ(whileOpen, kAboutHintStyle);
    EXPECT_EQ(presenter.style(), kNormalHintStyle);
    EXPECT_TRUE(dialogs.allAnswered());
}

} // namespace
} // namespace korvland
