#include "app/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace korvland {
namespace {

TEST(FileDialogFilters, PairsBecomeQtNameFiltersAndAllFilesShowsNamesWithoutDot) {
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Landmark Files|Lndmrks?.dat|Data Flies|*.dat|All Files|*.*")),
              (QStringList{QStringLiteral("Landmark Files (Lndmrks?.dat)"),
                           QStringLiteral("Data Flies (*.dat)"), QStringLiteral("All Files (*)")}));
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Landmark Profile|*.lmp")),
              QStringList{QStringLiteral("Landmark Profile (*.lmp)")});
    // A description without its pattern is dropped rather than shown as a filter matching nothing.
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Broken")), QStringList{});
}

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
    bool answered = false;
};

// Runs `show`, reads the message box it opens and answers it with the box's default button.
ShownBox answerMessageBox(const std::function<void()>& show) {
    ShownBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.format = box->textFormat();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove(QLatin1Char('&'));
        seen.answered = true;
        box->defaultButton()->click();
    });
    show();
    return seen;
}

// The texts carry paths and what the user typed: markup in them is shown as it stands.
TEST(MessageBoxes, ShowTheirTextAsPlainTextWithTheirCaptionIconAndButtons) {
    QtDialogs dialogs;
    setApplicationTitle(QStringLiteral("KORV Landmarks Editor"));
    const QString typed = QStringLiteral("'$<b>1</b>' is not a valid integer value.");

    ShownBox box = answerMessageBox([&] { dialogs.error(nullptr, typed); });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.title, QStringLiteral("KORV Landmarks Editor"));
    EXPECT_EQ(box.text, typed);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});

    box =
        answerMessageBox([&] { dialogs.information(nullptr, QStringLiteral("Landmarks folder not set.")); });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.title, QStringLiteral("Information"));
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});

    box = answerMessageBox([&] {
        dialogs.warning(nullptr, QStringLiteral("Warning"),
                        QStringLiteral("IO-Error!\nCould not create folder."));
    });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});

    bool yes = true;
    box = answerMessageBox(
        [&] { yes = dialogs.question(nullptr, QStringLiteral("/maps/<i>x</i>/lndmrks0.dat")); });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_FALSE(yes) << "No is the default answer";
}

TEST(PromptBox, ShowsItsPromptAsPlainTextAndReturnsWhatWasTyped) {
    QtDialogs dialogs;
    QString prompt;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        auto* label = box->findChild<QLabel*>();
        prompt = label->text();
        format = label->textFormat();
        box->setTextValue(QStringLiteral("Maps"));
        box->accept();
    });
    const auto answer =
        dialogs.prompt(nullptr, QStringLiteral("New Folder"), QStringLiteral("Name: (/srv/<i>land)"));
    EXPECT_EQ(answer, QStringLiteral("Maps"));
    EXPECT_EQ(prompt, QStringLiteral("Name: (/srv/<i>land)"));
    EXPECT_EQ(format, Qt::PlainText);

    QTimer::singleShot(0, [] {
        if (auto* box = QApplication::activeModalWidget())
            static_cast<QDialog*>(box)->reject();
    });
    EXPECT_EQ(dialogs.prompt(nullptr, QStringLiteral("New Folder"), QStringLiteral("Name: (/)")),
              std::nullopt);
}

} // namespace
} // namespace korvland
