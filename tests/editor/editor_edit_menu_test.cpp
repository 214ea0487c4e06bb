// The "Edit" menu on the real editor window: undo and redo name their step and put the
// record and the screen back, the question before closing counts the steps, the status bar
// counts the selection, and edits of the selection explain what they left off.
#include "editor_window_fixture.h"
#include "support_gui/named.h"

#include "support_gui/render_keep.h"
#include "ui/common/edit_actions.h"
#include "ui/common/record_format.h"
#include "ui/editor/find_bar.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>

#include <functional>

namespace korvland::testing {
using namespace editor_names;

class EditMenuTest : public EditorWindowTest {
  protected:
    EditActions& actions() const { return *windows.editActions; }
    void activate() {
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    // A key pressed in the record-number box, whose own typing history must not answer it.
    void press(QKeyCombination key) {
        edit(kRecordNumberBox)->setFocus();
        QTest::keyClick(edit(kRecordNumberBox), key.key(), key.keyboardModifiers());
    }
    // Everything the window shows of the current record.
    QString screen() const {
        QStringList shown;
        for (const char* box : {kRecordNumberBox, kNameBox, kIdBox, kTypeBox, kSubTypeBox, kNorthSouthBox})
            shown << text(box);
        shown << kindLabel()->text() << QString::number(group(kSideGroup)->itemIndex())
              << QString::number(group(kActiveGroup)->itemIndex());
        return shown.join(QLatin1Char('|'));
    }
};

namespace {

struct StepCase {
    const char* kind;
    std::function<void()> edit;
    const char* step;
    bool oneRecord; // an undo of one record's step brings that record back into view
};

TEST_F(EditMenuTest, UndoAndRedoNameTheStepAndPutRecordAndScreenBack) {
    const auto bulk = [this](QAction* command) {
        document.setSelection({0, 2, 3});
        command->trigger();
    };
    const StepCase cases[] = {
        {"name typed", [this] { retype(kNameBox, QStringLiteral("Lille")); }, "Name of Arras", true},
        {"type", [this] { retype(kTypeBox, QStringLiteral("05")); }, "Type of Arras", true},
        // The window keeps the typed sub-type without a refresh; undo must still show the old one.
        {"sub-type", [this] { retype(kSubTypeBox, QStringLiteral("33")); }, "Sub-Type of Arras", true},
        {"side", [this] { clickItem(kSideGroup, 1); }, "Side of Arras", true},
        {"active", [this] { clickItem(kActiveGroup, 1); }, "Switch Off Arras", true},
        {"bulk off", [&] { bulk(actions().switchOff()); }, "Switch Off 3 Landmarks", false},
        {"bulk side", [&] { bulk(actions().sideAllied()); }, "Side of 2 Landmarks", false},
    };
    for (const StepCase& c : cases) {
        for (const bool movedAway : {false, true}) {
            if (movedAway && !c.oneRecord)
                continue;
            SCOPED_TRACE(std::string(c.kind) + (movedAway ? ", another record shown" : ""));
            load(frontLine());
            activate();
            const QString before = screen();
            const std::vector<std::uint8_t> bytes = set.compiledBytes();
            EXPECT_EQ(actions().undo()->text(), "&Undo");
            EXPECT_FALSE(actions().undo()->isEnabled());

            c.edit();
            EXPECT_EQ(actions().undo()->text(), QStringLiteral("&Undo %1").arg(QLatin1String(c.step)));
            EXPECT_EQ(document.undoStack()->count(), 1);
            if (movedAway)
                select(5);

            press(Qt::CTRL | Qt::Key_Z);
            EXPECT_EQ(set.compiledBytes(), bytes);
            EXPECT_EQ(screen(), before);
            EXPECT_FALSE(editor->isModified());
            EXPECT_EQ(actions().redo()->text(), QStringLiteral("&Redo %1").arg(QLatin1String(c.step)));

            press(Qt::CTRL | Qt::Key_Y);
            EXPECT_NE(set.compiledBytes(), bytes);
            const QString redone = screen();
            EXPECT_NE(redone, before);
            select(1); // a fresh look at the record shows nothing else
            EXPECT_EQ(screen(), redone);
            press(Qt::CTRL | Qt::Key_Z);
            press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
            EXPECT_EQ(screen(), redone);
            EXPECT_TRUE(editor->isModified());
        }
    }
}

TEST_F(EditMenuTest, AnAmpersandInANameIsNoAccessKey) {
    load(frontLine());
    // A step is named after the record as it was before the step.
    document.setName(0, QStringLiteral("Arras & Lens"));
    document.setSide(0, 1);
    EXPECT_EQ(actions().undo()->text(), "&Undo Side of Arras && Lens");
    document.setName(2, QString());
    document.setSide(2, 1);
    EXPECT_EQ(actions().undo()->text(), "&Undo Side of Landmark 3");
}

TEST_F(EditMenuTest, OpeningAFileOrAProfileClearsTheHistory) {
    load(frontLine());
    const QString path = QString::fromStdString(set.landmarkPath());
    for (const bool profile : {false, true}) {
        document.setSide(0, 1);
        document.undoStack()->undo();
        ASSERT_TRUE(actions().redo()->isEnabled());
        if (profile) {
            dialogs.expectSaveFile(dir.file("front.lmp").c_str());
            editor->saveProfileCommand();
            ASSERT_TRUE(editor->openProfileFile(QString::fromStdString(dir.file("front.lmp"))));
        } else {
            ASSERT_TRUE(editor->openLandmarkFile(path));
        }
        EXPECT_EQ(document.undoStack()->count(), 0);
        EXPECT_FALSE(actions().undo()->isEnabled());
        EXPECT_FALSE(actions().redo()->isEnabled());
        EXPECT_EQ(actions().redo()->text(), "&Redo");
    }
}

// Side changes of the first records, then the rest of the history in this order.
struct CloseCase {
    int edits;
    bool save;
    int undos;
    int redos;
    int moreEdits;
    const char* question; // none: the window closes without one
};

const CloseCase kCloses[] = {
    {3, false, 0, 0, 0, "3 changes not saved. Save the changes to lndmrks0.dat before quitting?"},
    {1, false, 0, 0, 0, "1 change not saved. Save the change to lndmrks0.dat before quitting?"},
    {2, false, 1, 0, 0, "1 change not saved. Save the change to lndmrks0.dat before quitting?"},
    {2, false, 2, 0, 0, nullptr},
    // A save makes the file written the one being edited.
    {3, true, 2, 0, 0, "2 changes not saved. Save the changes to saved.dat before quitting?"},
    {2, true, 1, 1, 0, nullptr},
    // The saved state is gone from the history: no count to give.
    {2, true, 1, 0, 1, "There are unsaved changes. Save the changes to saved.dat before quitting?"},
};

TEST_F(EditMenuTest, TheQuestionBeforeClosingCountsTheSteps) {
    for (const CloseCase& c : kCloses) {
        SCOPED_TRACE(::testing::Message() << c.edits << " " << c.save << " " << c.undos << " " << c.redos);
        load(frontLine());
        editor->show();
        const auto changeSides = [this](int from, int count) {
            for (int i = from; i < from + count; ++i)
                document.setSide(i, static_cast<std::uint8_t>(1 - document.record(i).side));
        };
        changeSides(0, c.edits);
        if (c.save)
            document.write(QString::fromStdString(dir.file("saved.dat")));
        for (int u = 0; u < c.undos; ++u)
            document.undoStack()->undo();
        for (int r = 0; r < c.redos; ++r)
            document.undoStack()->redo();
        changeSides(c.edits, c.moreEdits);
        if (c.question)
            dialogs.expectSaveChoice(SaveChoice::Cancel);
        EXPECT_EQ(editor->close(), c.question == nullptr);
        if (c.question) {
            EXPECT_EQ(dialogs.last().text, c.question);
        }
    }
}

TEST_F(EditMenuTest, TheEditMenuFollowsSaveLandmarkItsEditsWaitForASelectionAndCountSeveral) {
    QStringList bar;
    for (QAction* a : editor->menuBar()->actions())
        bar << QString(a->text()).remove(QLatin1Char('&'));
    EXPECT_EQ(bar.indexOf("Edit"), bar.indexOf("Save Landmark") + 1);
    auto* menu = named<QMenu>(editor, kEditMenu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().size(), 12); // every command, and the separators between the groups
    QAction* setSide = menu->findChild<QMenu*>(QStringLiteral("SetSide"))->menuAction();

    const QList<QAction*> onSelection = {actions().selectNone(), actions().switchOn(),
                                         actions().switchOff(),  actions().sideGerman(),
                                         actions().sideAllied(), setSide};
    const auto enabled = [](const QList<QAction*>& list) {
        return std::all_of(list.begin(), list.end(), [](QAction* a) { return a->isEnabled(); });
    };
    const auto disabled = [](const QList<QAction*>& list) {
        return std::none_of(list.begin(), list.end(), [](QAction* a) { return a->isEnabled(); });
    };
    EXPECT_TRUE(disabled(onSelection + QList<QAction*>{actions().selectAll(), actions().find()}));
    load(frontLine());
    EXPECT_TRUE(enabled(onSelection)) << "the record shown is the selection";
    EXPECT_EQ(actions().switchOff()->text(), "S&witch Off");
    actions().selectAll()->trigger();
    EXPECT_TRUE(enabled(onSelection));
    EXPECT_EQ(document.selectedCount(), 6);
    EXPECT_EQ(actions().switchOn()->text(), "Switch &On 6 Landmarks");
    EXPECT_EQ(setSide->text(), "Set &Side of 6 Landmarks");
    actions().invertSelection()->trigger();
    EXPECT_TRUE(disabled(onSelection));
    EXPECT_EQ(setSide->text(), "Set &Side");
    document.setSelection({1});
    actions().selectNone()->trigger();
    EXPECT_EQ(document.selectedCount(), 0);
}

TEST_F(EditMenuTest, StatusBarCountsTheSelectionAndBulkSwitchOnSaysWhatItLeftOff) {
    load(frontLine());
    auto* panel = control<QLabel>(kSelectionPanel);
    auto* notice = control<QLabel>(kNoticePanel);
    const QString standing = notice->text();
    EXPECT_FALSE(panel->isVisibleTo(editor.get()));
    document.selectAll();
    EXPECT_TRUE(panel->isVisibleTo(editor.get()));
    EXPECT_EQ(panel->text(), "6 selected");
    // A plain click selects the current record alone: nothing to count, the notice keeps its room.
    document.setSelection({document.currentIndex()});
    EXPECT_FALSE(panel->isVisibleTo(editor.get()));
    document.select(document.currentIndex() + 1, LandmarkDocument::SelectionUpdate::Keep);
    EXPECT_TRUE(panel->isVisibleTo(editor.get())) << "one record beside the current one";
    document.selectAll();
    // Another window's edit: the editor's notice panel still says why two stayed off.
    document.switchOnSelection();
    EXPECT_EQ(notice->text(), typeSixLeftOffNotice(2));
    EXPECT_EQ(notice->text(), "2 landmarks of type 06 stay switched off: give them another type first.");
    document.setSelection({1, 4});
    EXPECT_EQ(panel->text(), "2 selected");
    document.switchOffSelection();
    EXPECT_EQ(notice->text(), standing);
    document.switchOnSelection();
    EXPECT_EQ(notice->text(), typeSixStaysOffNotice());
    document.selectNone();
    EXPECT_FALSE(panel->isVisibleTo(editor.get()));
}

// The menu bar keeps every command in sight with "Edit" added; the open menu, the find bar and
// the selection count show their widest texts whole, clear of the other controls.
TEST_F(EditMenuTest, EditMenuFindBarAndSelectionCountFitTheWindow) {
    LandmarkFileBuilder many = frontLine();
    many.addMany(1018);
    load(many);
    activate();
    QMenuBar* bar = editor->menuBar();
    for (QAction* a : bar->actions()) {
        EXPECT_TRUE(bar->actionGeometry(a).isValid()) << a->text().toStdString();
        EXPECT_LE(bar->actionGeometry(a).right(), bar->width()) << a->text().toStdString();
    }
    document.selectAll();
    document.setSide(0, 1);
    auto* count = control<QLabel>(kSelectionPanel);
    auto* notice = control<QLabel>(kNoticePanel);
    EXPECT_EQ(count->text(), "1024 selected");
    EXPECT_LE(count->fontMetrics().horizontalAdvance(count->text()) + 4, count->width());
    EXPECT_LE(notice->fontMetrics().horizontalAdvance(notice->text()) + 4, notice->width());

    editor->showFindBar();
    auto* find = named<QLineEdit>(editor, find_bar_names::kText);
    QTest::keyClicks(find, QStringLiteral("landmark"));
    QTest::keyClick(find, Qt::Key_F3, Qt::ShiftModifier);
    auto* result = control<QLabel>(find_bar_names::kResult);
    EXPECT_EQ(result->text(), "1018 of 1018");
    FindBar* findBar = editor->findBar();
    EXPECT_LE(findBar->geometry().bottom(), editor->centralWidget()->height());
    for (QWidget* w : editor->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != findBar && w->isVisible() && w->height() > 9) {
            EXPECT_FALSE(w->geometry().intersects(findBar->geometry())) << w->objectName().toStdString();
        }
    }
    EXPECT_LE(result->fontMetrics().horizontalAdvance(result->text()), result->width());
    for (auto* button : findBar->findChildren<QAbstractButton*>())
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
    keep(editor->grab(), "editor_find_bar.png");

    auto* menu = named<QMenu>(editor, kEditMenu);
    editor->move(40, 40); // the menu opens below its title, inside the screen
    menu->popup(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator()) {
            EXPECT_LE(menu->fontMetrics().horizontalAdvance(a->text()), menu->actionGeometry(a).width());
        }
    }
    const QRect frame = editor->geometry().united(menu->geometry());
    QPixmap picture(frame.size());
    picture.fill(Qt::darkGray);
    QPainter painter(&picture);
    painter.drawPixmap(editor->geometry().topLeft() - frame.topLeft(), editor->grab());
    painter.drawPixmap(menu->geometry().topLeft() - frame.topLeft(), menu->grab());
    painter.end();
    keep(picture, "editor_edit_menu.png");
    menu->close();
}

} // namespace
} // namespace korvland::testing
