#include "support/fixture_builder.h"
#include "support_gui/render_keep.h"
#include "ui/common/message_box.h"
#include "ui/start/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
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
    QStringList buttons;
    QSize size;
    bool answered = false;
};

// Runs `show`, reads the message box it opens and answers it with the box's default button.
ShownBox answerMessageBox(const std::function<void()>& show) {
    ShownBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<MessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.size = box->size();
        for (QAbstractButton* button : box->buttonBox()->buttons())
            seen.buttons << button->text().remove(QLatin1Char('&'));
        seen.answered = true;
        for (auto* button : box->findChildren<QPushButton*>())
            if (button->isDefault())
                button->click();
    });
    show();
    return seen;
}

// The texts carry paths and what the user typed: markup in them is shown as it stands.
TEST(MessageBoxes, ShowTheirTextAsPlainTextWithTheirCaptionIconAndButtons) {
    QtDialogs dialogs;
    const QString typed = QStringLiteral("'$<b>1</b>' is not a valid integer value.");

    ShownBox box = answerMessageBox([&] { dialogs.error(nullptr, typed); });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.title, QStringLiteral("KORV TLQ Landmarks Editor"));
    EXPECT_EQ(box.text, typed);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});

    box =
        answerMessageBox([&] { dialogs.information(nullptr, QStringLiteral("Landmarks folder not set.")); });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.title, QStringLiteral("Information"));
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});

    box = answerMessageBox([&] {
        dialogs.warning(nullptr, QStringLiteral("Warning"),
                        QStringLiteral("IO-Error!\nCould not create folder."));
    });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});

    bool yes = true;
    box = answerMessageBox(
        [&] { yes = dialogs.question(nullptr, QStringLiteral("/maps/<i>x</i>/lndmrks0.dat")); });
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.text, QStringLiteral("/maps/<i>x</i>/lndmrks0.dat"));
    EXPECT_EQ(box.buttons, (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
    EXPECT_FALSE(yes) << "No is the default answer";

    SaveChoice choice = SaveChoice::Cancel;
    box = answerMessageBox([&] { choice = dialogs.askToSave(nullptr, QStringLiteral("Save?")); });
    EXPECT_EQ(box.title, QStringLiteral("KORV TLQ Landmarks Editor"));
    EXPECT_EQ(box.buttons,
              (QStringList{QStringLiteral("Save"), QStringLiteral("Cancel"), QStringLiteral("Discard")}));
    EXPECT_EQ(choice, SaveChoice::Save) << "Save is the default answer";
}

// A path has no blanks to wrap at: the box stays of sensible width and breaks the path
// inside, showing all of it; the message keeps its own line above.
TEST(MessageBoxes, ALongPathWrapsWithinABoxOfSensibleWidth) {
    const QString path = QStringLiteral("/srv/korv/") + QString(30, QLatin1Char('x')) +
                         QStringLiteral("/landmarks/masters/") + QString(40, QLatin1Char('y')) +
                         QStringLiteral("/LNDMRKS3.MLF");
    const QString text = QStringLiteral("File not found.\n") + path;
    MessageBox box(QMessageBox::Critical, QStringLiteral("KORV Landmarks Editor"), text, QDialogButtonBox::Ok,
                   QDialogButtonBox::Ok);
    box.show();
    EXPECT_EQ(box.text(), text) << "shown and copied whole";
    EXPECT_LE(box.width(), MessageBox::kMaximumTextWidth + 140);
    QTextEdit* view = box.textView();
    const QTextDocument* document = view->document();
    EXPECT_LE(document->idealWidth(), MessageBox::kMaximumTextWidth + 1);
    // Every line of the laid-out text is inside the view: nothing is cut.
    EXPECT_LE(document->size().height(), view->height() + 1);
    EXPECT_GE(document->firstBlock().layout()->lineCount(), 1);
    EXPECT_GE(document->lastBlock().layout()->lineCount(), 2) << "the path wraps";
    testing::keep(box.grab(), "error_box_long_path.png");
}

// The save dialog asks before replacing a file; "No" keeps the dialog open, "Yes" takes the name.
TEST(FileDialogs, SavingOverAnExistingFileAsksAndNoReturnsToTheDialog) {
    testing::TempDir dir;
    testing::writeBytes(dir.path() / "lndmrks1.dat", {1, 2, 3});
    const QString existing = QString::fromStdString(dir.file("lndmrks1.dat"));
    FileDialogRequest request;
    request.title = QStringLiteral("Save Compiled Landmark File");
    request.filter = QStringLiteral("All Landmarks Files|*.dat");
    request.defaultSuffix = QStringLiteral("dat");
    request.initialFolder = QString::fromStdString(dir.path().string());
    request.proposedName = QStringLiteral("lndmrks1.dat");
    QtDialogs dialogs;

    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "Yes" : "No");
        QString question;
        bool stillOpenAfterNo = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTimer::singleShot(0, [&] {
                QWidget* asking = QApplication::activeModalWidget();
                if (auto* box = qobject_cast<QMessageBox*>(asking)) {
                    question = box->text();
                    box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                }
            });
            dialog->selectFile(existing);
            QMetaObject::invokeMethod(dialog, "accept");
            stillOpenAfterNo = dialog->isVisible();
            if (stillOpenAfterNo)
                dialog->reject();
        });
        const std::optional<QString> chosen = dialogs.saveFile(nullptr, request);
        EXPECT_EQ(question, QStringLiteral("lndmrks1.dat already exists.\nDo you want to replace it?"));
        if (replace) {
            EXPECT_EQ(chosen, existing);
        } else {
            EXPECT_TRUE(stillOpenAfterNo) << "No returns to the dialog";
            EXPECT_EQ(chosen, std::nullopt);
        }
    }
    EXPECT_EQ(testing::readBytes(dir.path() / "lndmrks1.dat"), (std::vector<std::uint8_t>{1, 2, 3}));
}

// A request's own question takes the place of the dialog's, in the program's question box
// with "No" as its default; "No" still returns to the dialog.
TEST(FileDialogs, ARequestsOwnReplaceQuestionIsAskedInstead) {
    testing::TempDir dir;
    testing::writeBytes(dir.path() / "lndmrks1.dat", {1, 2, 3});
    const QString existing = QString::fromStdString(dir.file("lndmrks1.dat"));
    FileDialogRequest request;
    request.defaultSuffix = QStringLiteral("dat");
    request.initialFolder = QString::fromStdString(dir.path().string());
    request.replaceQuestion = [](const QString& path) {
        return QFileInfo(path).fileName() +
               QStringLiteral(" has been changed by another program since it was "
                              "opened. Replace it with the editor's landmarks?");
    };
    QtDialogs dialogs;

    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "Yes" : "No");
        QString question;
        bool defaultIsNo = false;
        bool stillOpenAfterNo = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<MessageBox*>(QApplication::activeModalWidget())) {
                    question = box->text();
                    testing::keep(box->grab(), "replace_question_box.png");
                    auto* no = qobject_cast<QPushButton*>(box->buttonBox()->button(QDialogButtonBox::No));
                    defaultIsNo = no && no->isDefault();
                    box->buttonBox()->button(replace ? QDialogButtonBox::Yes : QDialogButtonBox::No)->click();
                }
            });
            dialog->selectFile(existing);
            QMetaObject::invokeMethod(dialog, "accept");
            stillOpenAfterNo = dialog->isVisible();
            if (stillOpenAfterNo)
                dialog->reject();
        });
        const std::optional<QString> chosen = dialogs.saveFile(nullptr, request);
        EXPECT_EQ(question,
                  QStringLiteral("lndmrks1.dat has been changed by another program since it was opened. "
                                 "Replace it with the editor's landmarks?"));
        EXPECT_TRUE(defaultIsNo);
        if (replace) {
            EXPECT_EQ(chosen, existing);
        } else {
            EXPECT_TRUE(stillOpenAfterNo) << "No returns to the dialog";
            EXPECT_EQ(chosen, std::nullopt);
        }
    }
}

TEST(PromptBox, ShowsItsPromptAsPlainTextAndReturnsWhatWasTyped) {
    QtDialogs dialogs;
    QString prompt;
    QString altTyped = QStringLiteral("not asked");
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        auto* label = box->findChild<QLabel*>();
        prompt = label->text();
        format = label->textFormat();
        // Alt with a letter types nothing into the box.
        auto* typed = box->findChild<QLineEdit*>();
        ASSERT_NE(typed, nullptr);
        QTest::keyClick(typed, Qt::Key_X, Qt::AltModifier);
        altTyped = typed->text();
        box->setTextValue(QStringLiteral("Maps"));
        box->accept();
    });
    const auto answer =
        dialogs.prompt(nullptr, QStringLiteral("New Folder"), QStringLiteral("Name: (/srv/<i>land)"));
    EXPECT_EQ(answer, QStringLiteral("Maps"));
    EXPECT_EQ(prompt, QStringLiteral("Name: (/srv/<i>land)"));
    EXPECT_EQ(altTyped, QString());
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
