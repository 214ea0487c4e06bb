#include "editor_window_fixture.h"
#include "support_gui/named.h"

#include "ui/common/kind_label.h"

#include "data/landmark_kind.h"
#include "ui/common/record_format.h"

#include <QApplication>
#include <QPainter>

namespace korvland::testing {
namespace {
using namespace editor_names;

// Typing into a box that shows a value without storing it must not look like an edit.
TEST_F(EditorWindowTest, DisplayOnlyBoxesTakeNoTypingButCanBeCopied) {
    load(LandmarkFileBuilder().addMany(4), 2);
    for (const char* name : {kIdBox, kNorthSouthBox, kEastWestBox, kElevationBox, kRotationBox}) {
        SCOPED_TRACE(name);
        QLineEdit* box = edit(name);
        const QString shown = box->text();
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, "97");
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), shown);
        box->selectAll();
        EXPECT_EQ(box->selectedText(), shown);
    }
    EXPECT_FALSE(editor->isModified());
}

// The box never shows a number other than the record on screen once the user is done.
TEST_F(EditorWindowTest, ARecordNumberThatNamesNoRecordIsPutBackOnReturnOrLeavingTheBox) {
    load(LandmarkFileBuilder().addMany(200), 1);
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    QLineEdit* box = edit(kRecordNumberBox);
    box->setFocus();

    retype(kRecordNumberBox, "1500"); // 1, 15 and 150 select; 1500 names no record
    EXPECT_EQ(shownIndex(), 149);
    EXPECT_EQ(box->text(), "1500");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), "150");
    EXPECT_EQ(shownIndex(), 149);

    retype(kRecordNumberBox, "x");
    edit(kNameBox)->setFocus();
    EXPECT_EQ(box->text(), "150");

    // A number in range is kept as typed.
    box->setFocus();
    retype(kRecordNumberBox, "42");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), "42");
    EXPECT_EQ(shownIndex(), 41);
}

// Alt with a letter the menu does not take must not type the letter: in the type box it
// would even be taken as a hexadecimal digit.
TEST_F(EditorWindowTest, AltWithALetterNeverTypesIntoABox) {
    load(LandmarkFileBuilder().addMany(4), 2);
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    for (const char* name : {kNameBox, kTypeBox, kSubTypeBox, kRecordNumberBox}) {
        SCOPED_TRACE(name);
        QLineEdit* box = edit(name);
        box->setFocus();
        box->end(false);
        const QString before = box->text();
        for (Qt::Key key : {Qt::Key_B, Qt::Key_X, Qt::Key_E})
            QTest::keyClick(box, key, Qt::AltModifier);
        EXPECT_EQ(box->text(), before);
    }
    EXPECT_EQ(set.record(1).loFileType, 1);
    EXPECT_FALSE(editor->isModified());
    // Plain typing still works.
    QTest::keyClicks(edit(kNameBox), "x");
    EXPECT_TRUE(edit(kNameBox)->text().endsWith(QLatin1Char('x')));
}

// Every kind colour reads at 3:1 or more against what surrounds it, the window or the
// halo, on a light window as on a dark one.
TEST(KindLabelHalo, EveryKindColourReadsOnLightAndDarkWindows) {
    for (const QColor& window : {QColor(0xEF, 0xEF, 0xEF), QColor(Qt::white), QColor(0x30, 0x30, 0x30)}) {
        for (int k = 0; k <= static_cast<int>(LandmarkKind::Unrecognised); ++k) {
            const KindInfo& kind = kindInfo(static_cast<LandmarkKind>(k));
            if (!kind.editorLabelColour)
                continue;
            const QColor colour = colourFromBgr(*kind.editorLabelColour);
            const QColor around = needsHalo(colour, window) ? haloColour(colour) : window;
            EXPECT_GE(contrastRatio(colour, around), 3.0)
                << kind.editorLabel << " on " << window.name().toStdString();
        }
    }
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_TRUE(needsHalo(Qt::white, QColor(0xEF, 0xEF, 0xEF)));
    EXPECT_FALSE(needsHalo(QColor(0x80, 0, 0), QColor(0xEF, 0xEF, 0xEF)));
}

// Pictures of the label for every kind, for a person to look at (KORVLAND_RENDER_DIR).
TEST_F(EditorWindowTest, KindLabelOfEveryKindRendersForInspection) {
    const QByteArray folder = qgetenv("KORVLAND_RENDER_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set KORVLAND_RENDER_DIR to write the pictures";
    LandmarkFileBuilder builder;
    const std::pair<int, int> kinds[] = {{0, 0}, {1, 0},  {2, 0}, {3, 0}, {3, 20}, {4, 0},
                                         {5, 0}, {5, 20}, {7, 0}, {8, 0}, {9, 0}};
    for (const auto& [type, subType] : kinds)
        builder.add(
            makeRecord(1, static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(subType), 0, "x"));
    load(builder, 1);
    QWidget* group = named<QWidget>(editor, kTypeGroup);
    ASSERT_NE(group, nullptr);
    QImage sheet(group->width(), group->height() * 11, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < 11; ++i) {
        select(i + 1);
        painter.drawPixmap(0, i * group->height(), group->grab());
    }
    painter.end();
    EXPECT_TRUE(sheet.save(QString::fromLocal8Bit(folder) + QStringLiteral("/kind_labels.png")));
}

} // namespace
} // namespace korvland::testing
