#include "editor_window_fixture.h"

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

// Pictures go to KORVLAND_RENDER_DIR when it is set, for a person to look at.
void keep(const QPixmap& picture, const char* name) {
    const QByteArray folder = qgetenv("KORVLAND_RENDER_DIR");
    if (folder.isEmpty())
        return;
    const QString path = QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name);
    picture.save(path);
    // Twice the size, to see single pixels.
    picture.scaled(picture.size() * 2)
        .save(QString(path).replace(QStringLiteral(".png"), QStringLiteral("_2x.png")));
}

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

struct Placement {
    const char* name;
    QRect geometry; // within the parent the window gives the control
};

TEST_F(EditorWindowTest, ControlsSitAtTheirPlaces) {
    const Placement placements[] = {
        {"Label1", {96, 8, 0, 0}},
        {"Edit9", {8, 16, 33, 21}},
        {"UpDown1", {41, 16, 48, 21}},
        {"LMDRG1", {112, 24, 121, 41}},
        {"LSL16", {0, 8, 105, 33}},
        {"Button1", {352, 32, 73, 33}},
        {"LSL14", {64, 72, 0, 0}},
        {"LMDSimpleLabel11", {400, 72, 0, 0}},
        {"LMDSimpleLabel12", {416, 88, 0, 0}},
        {"Edit1", {112, 93, 169, 21}},
        {"Edit2", {88, 125, 65, 21}},
        {"Edit3", {80, 157, 41, 21}},
        {"Edit4", {80, 184, 41, 21}},
        {"srg1", {16, 208, 153, 33}},
        {"Edit5", {240, 125, 81, 21}},
        {"Edit6", {240, 157, 81, 21}},
        {"Edit7", {240, 189, 81, 21}},
        {"Edit8", {240, 221, 81, 21}},
        {"Label2", {16, 256, 0, 0}},
    };
    for (const Placement& p : placements) {
        QWidget* widget = control(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->pos(), p.geometry.topLeft()) << p.name;
        if (!p.geometry.size().isEmpty()) {
            EXPECT_EQ(widget->size(), p.geometry.size()) << p.name;
        }
    }
    // The client area starts under the menu, so the places above are relative to it.
    EXPECT_EQ(editor->centralWidget()->y(), editor->menuBar()->height());
    EXPECT_FALSE(control("Label2")->isVisibleTo(editor.get()));
    EXPECT_FALSE(control("MouseCoordsGroup")->isVisibleTo(editor.get()));
    EXPECT_FALSE(control("Button1")->isEnabled());
    EXPECT_EQ(control<QPushButton>("Button1")->text(), "Table");
    EXPECT_EQ(editor->windowTitle(), "KORV TLQ Landmarks Editor");
}

TEST_F(EditorWindowTest, StatusBarHasNoticeAndClockPanels) {
    QStatusBar* bar = editor->statusBar();
    EXPECT_EQ(bar->height(), 25);
    auto* notice = control<QLabel>("NoticePanel");
    auto* clock = control<QLabel>("ClockPanel");
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
    const QList<QWidget*> expected = {group("LMDRG1")->button(0),
                                      group("LMDRG1")->button(1),
                                      edit("Edit1"),
                                      edit("Edit2"),
                                      edit("Edit3"),
                                      edit("Edit5"),
                                      edit("Edit6"),
                                      edit("Edit7"),
                                      edit("Edit8"),
                                      spinner(),
                                      edit("Edit9"),
                                      control("Button1"),
                                      group("srg1")->button(0),
                                      group("srg1")->button(1),
                                      edit("Edit4")};
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
    control<QLabel>("Label1")->setText(QString::fromStdString(set.landmarkPath()));
    control<QLabel>("LSL14")->setText(QStringLiteral("Landmarks of the Flanders Region"));
    control<QLabel>("LMDSimpleLabel11")->setText(QStringLiteral("1024"));
    control<QLabel>("LMDSimpleLabel12")->setText(QStringLiteral("1024"));
    editor->setRecordNumber(1024);
    QWidget* client = editor->centralWidget();

    QList<QWidget*> placed;
    for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(editor.get()) && !w->inherits("QLabel") && w->height() > 9)
            placed << w;
    for (QLabel* label : client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->isVisibleTo(editor.get()) || label->text().isEmpty() || label->objectName() == "Label1")
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
        if (box->objectName() == "Edit1")
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
    auto* clock = control<QLabel>("ClockPanel");
    clock->setText(QLocale().toString(QDateTime(QDate(2024, 9, 30), QTime(23, 59, 59)),
                                      QStringLiteral("MMMM dd yyyy  HH:mm:ss")));
    for (QLabel* panel : {control<QLabel>("NoticePanel"), clock}) {
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()) + 4, panel->width())
            << panel->text().toStdString();
    }

    const QPixmap picture = editor->grab();
    EXPECT_EQ(picture.size(), editor->size());
    keep(picture, "editor_window.png");
}

} // namespace
} // namespace korvland::testing
