#include "editor_window_fixture.h"
#include "support_gui/render_keep.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLocale>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

namespace korvland::testing {
namespace {
using namespace editor_names;

// A file whose first record fills every box with its widest text.
LandmarkFileBuilder wideFile() {
    LandmarkFileBuilder builder;
    LandmarkRecord wide = makeRecord(65535, 3, 0xFF, 1, "Chateau-Thierry Railway Junction Depot 12",
                                     -123456.789f, -98765.4321f);
    wide.elevation = 8888.88f;
    wide.rotation = -12345678901.0f; // shown in scientific notation
    builder.add(wide).addMany(1023);
    return builder;
}

// Where each control sits, that none covers another and every one is reached by Tab, is checked for
// every window together; here what the form shows at first.
TEST_F(EditorWindowTest, FormShowsItsFirstState) {
    // The client area starts under the menu, not behind it.
    EXPECT_EQ(editor->centralWidget()->y(), editor->menuBar()->height());
    EXPECT_FALSE(control(kCurrentControlLabel)->isVisibleTo(editor.get()));
    EXPECT_FALSE(control(kMouseCoordsGroup)->isVisibleTo(editor.get()));
    EXPECT_FALSE(control(kTableButton)->isEnabled());
    EXPECT_EQ(control<QPushButton>(kTableButton)->text(), "Table");
    EXPECT_EQ(editor->windowTitle(), "KORV TLQ Landmarks Editor[*]");
}

TEST_F(EditorWindowTest, StatusBarHasNoticeAndClockPanels) {
    QStatusBar* bar = editor->statusBar();
    EXPECT_EQ(bar->height(), 25);
    auto* notice = control<QLabel>(kNoticePanel);
    auto* clock = control<QLabel>(kClockPanel);
    // The notice takes the room the clock leaves: its lines name files.
    EXPECT_GE(notice->width(), 266);
    EXPECT_EQ(clock->width(), 130);
    EXPECT_LE(notice->geometry().right(), clock->x());
    EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    // "mmmm dd yyyy  hh:mm:ss": a month name, two-digit day, year, two blanks, 24-hour time.
    const QRegularExpression format(QStringLiteral("^[A-Za-z]+ \\d\\d \\d{4}  \\d\\d:\\d\\d:\\d\\d$"));
    EXPECT_TRUE(format.match(clock->text()).hasMatch()) << clock->text().toStdString();
}

TEST_F(EditorWindowTest, KeyboardOrderFollowsTheForm) {
    const QList<QWidget*> expected = {group(kActiveGroup)->button(0),
                                      group(kActiveGroup)->button(1),
                                      edit(kNameBox),
                                      edit(kIdBox),
                                      edit(kTypeBox),
                                      edit(kNorthSouthBox),
                                      edit(kEastWestBox),
                                      edit(kElevationBox),
                                      edit(kRotationBox),
                                      spinner(),
                                      edit(kRecordNumberBox),
                                      control(kTableButton),
                                      group(kSideGroup)->button(0),
                                      group(kSideGroup)->button(1),
                                      edit(kSubTypeBox)};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QWidget* next = expected.at(i - 1)->nextInFocusChain();
        while (next != expected.at(i) && !expected.contains(next))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, expected.at(i)) << "after " << expected.at(i - 1)->objectName().toStdString();
    }
}

// Every text of the window fits its control, and no label runs into a neighbour.
TEST_F(EditorWindowTest, TextsFitTheirControlsWithTheWidestRecord) {
    load(wideFile());
    control<QLabel>(kPathLabel)->setText(QString::fromStdString(set.landmarkPath()));
    control<QLabel>(kRegionLine)->setText(QStringLiteral("Landmarks of the Flanders Region"));
    control<QLabel>(kRecordCountLabel)->setText(QStringLiteral("1024"));
    control<QLabel>(kRecordSizeLabel)->setText(QStringLiteral("1024"));
    editor->setRecordNumber(1024);
    QWidget* client = editor->centralWidget();

    QList<QWidget*> placed;
    for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(editor.get()) && !w->inherits("QLabel") && w->height() > 9)
            placed << w;
    for (QLabel* label : client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->isVisibleTo(editor.get()) || label->text().isEmpty() || label->objectName() == kPathLabel)
            continue;
        const QRect inked(label->pos(), QSize(label->fontMetrics().horizontalAdvance(label->text()),
                                              label->fontMetrics().height()));
        EXPECT_LE(inked.width(), label->width()) << label->text().toStdString();
        for (QWidget* other : placed) {
            EXPECT_FALSE(inked.intersects(other->geometry()))
                << label->text().toStdString() << " runs into " << other->objectName().toStdString();
        }
    }
    // The name box scrolls its 40 characters; the number boxes must show theirs whole.
    for (QLineEdit* box : client->findChildren<QLineEdit*>()) {
        if (box->objectName() == kNameBox)
            continue;
        const int room = box->width() - 8; // frame and the box's inner margins
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), room)
            << box->objectName().toStdString() << " " << box->text().toStdString();
    }
    for (QGroupBox* frame : client->findChildren<QGroupBox*>()) {
        EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 8, frame->width())
            << frame->title().toStdString();
    }
    for (QRadioButton* item : client->findChildren<QRadioButton*>()) {
        EXPECT_LE(item->sizeHint().width(), item->width()) << item->text().toStdString();
    }
    EXPECT_LE(kindLabel()->fontMetrics().horizontalAdvance(QStringLiteral("Train Station")),
              kindLabel()->width());
    // The longest month name, as the clock shows it.
    auto* clock = control<QLabel>(kClockPanel);
    clock->setText(QLocale().toString(QDateTime(QDate(2024, 9, 30), QTime(23, 59, 59)),
                                      QStringLiteral("MMMM dd yyyy  HH:mm:ss")));
    for (QLabel* panel : {control<QLabel>(kNoticePanel), clock}) {
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()) + 4, panel->width())
            << panel->text().toStdString();
    }

    const QPixmap picture = editor->grab();
    EXPECT_EQ(picture.size(), editor->size());
    keep(picture, "editor_window.png");
    keep(picture.scaled(picture.size() * 2), "editor_window_2x.png"); // to see single pixels
}

} // namespace
} // namespace korvland::testing
