#include "editor_commands_harness.h"
#include "support_gui/named.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QSet>
#include <QTest>

namespace korvland::testing {
namespace {
using namespace editor_names;

class EditorKeyboardTest : public EditorCommandsTest {
  protected:
    void showActive() {
        create();
        editor->show();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    QLineEdit* box(const char* name) const { return editor->findChild<QLineEdit*>(QLatin1String(name)); }
};

// The captions read as they always did; each access key is unique within its menu.
TEST_F(EditorKeyboardTest, EveryMenuCommandHasItsOwnAccessKey) {
    create();
    const auto check = [](const QList<QAction*>& actions, const QStringList& captions) {
        QStringList shown;
        QSet<QChar> keys;
        for (QAction* a : actions) {
            if (a->isSeparator() || a->objectName().startsWith(QLatin1String("MRUEntry")))
                continue;
            const QString text = a->text();
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(mark, 0) << text.toStdString();
            EXPECT_FALSE(keys.contains(text.at(mark + 1).toLower())) << text.toStdString();
            keys.insert(text.at(mark + 1).toLower());
            shown << QString(text).remove(QLatin1Char('&'));
        }
        EXPECT_EQ(shown, captions);
    };
    check(editor->menuBar()->actions(),
          {"Open", "Save Profile", "Save Landmark", "Edit", "Change Folder", "Map", "Data", "About"});
    check(named<QMenu>(editor, kOpenMenu)->actions(), {"Master", "Profile", "Landmark"});
}

TEST_F(EditorKeyboardTest, ShortcutsOpenSaveAndQuitFromAFocusedBox) {
    showActive();
    dialogs.expectOpenFile(landmarkFile("lndmrks2.dat"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(set.recordCount(), 3);

    QLineEdit* name = box(kNameBox);
    name->setFocus();
    const QString before = name->text();
    dialogs.expectSaveFile(std::nullopt);
    dialogs.expectInformation();
    QTest::keyClick(name, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked().back().kind, ScriptedDialogs::Kind::Information);
    EXPECT_EQ(name->text(), before);

    QTest::keyClick(name, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(EditorKeyboardTest, AltWithAnAccessKeyOpensItsMenuAndTypesNothing) {
    showActive();
    openLandmark(landmarkFile("lndmrks0.dat"));
    QLineEdit* name = box(kNameBox);
    name->setFocus();
    const QString before = name->text();
    auto* open = named<QMenu>(editor, kOpenMenu);
    QTest::keyClick(name, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(open->isVisible());
    open->hide();
    EXPECT_EQ(name->text(), before);
    EXPECT_FALSE(editor->isModified());
}

} // namespace
} // namespace korvland::testing
