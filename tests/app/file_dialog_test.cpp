#include "support/fixture_builder.h"
#include "ui/start/qt_dialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSet>
#include <QTimer>

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::TempDir;

struct SeenDialog {
    QString directory;
    QSet<QString> listed;
};

// Runs `run`, which opens a file dialog, waits until the dialog has listed its folder,
// records what it shows and cancels it.
SeenDialog lookAtFileDialog(const QString& folder, const std::function<void()>& run) {
    SeenDialog seen;
    // Posted before the dialog starts reading its folder, so the folder's listing
    // arrives after this has begun waiting for it.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* model = dialog->findChild<QFileSystemModel*>();
        if (!model) {
            dialog->reject();
            return;
        }
        QEventLoop listed;
        QObject::connect(model, &QFileSystemModel::directoryLoaded, &listed, [&](const QString& path) {
            if (QFileInfo(path) == QFileInfo(folder))
                listed.quit();
        });
        listed.exec();
        const QModelIndex root = model->index(folder);
        for (int row = 0; row < model->rowCount(root); ++row)
            seen.listed << model->index(row, 0, root).data().toString();
        seen.directory = dialog->directory().absolutePath();
        dialog->reject();
    });
    run();
    return seen;
}

struct FilterCase {
    const char* filter;
    QSet<QString> listed;
};

// Landmark files come from Windows machines in every letter case.
TEST(FileDialogs, FiltersMatchNamesWithoutRegardToLetterCase) {
    TempDir dir;
    for (const char* name : {"lndmrks0.dat", "LNDMRKS1.DAT", "Lndmrks2.Dat", "lndmrks10.dat", "other.dat",
                             "LNDMRKS3.MLF", "choice.LMP", "readme"})
        testing::writeBytes(dir.path() / name, {1});
    const QString folder = QString::fromStdString(dir.path().string());
    const FilterCase cases[] = {
        {"Landmark Files|Lndmrks?.dat", {"lndmrks0.dat", "LNDMRKS1.DAT", "Lndmrks2.Dat"}},
        {"Master Landmarks File|*.mlf", {"LNDMRKS3.MLF"}},
        {"Landmark Profile|*.lmp", {"choice.LMP"}},
        {"All Files|*.*",
         {"lndmrks0.dat", "LNDMRKS1.DAT", "Lndmrks2.Dat", "lndmrks10.dat", "other.dat", "LNDMRKS3.MLF",
          "choice.LMP", "readme"}},
    };
    QtDialogs dialogs;
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.filter);
        FileDialogRequest request;
        request.filter = QString::fromLatin1(c.filter);
        request.initialFolder = folder;
        std::optional<QString> chosen = QStringLiteral("not asked");
        const SeenDialog seen =
            lookAtFileDialog(folder, [&] { chosen = dialogs.openFile(nullptr, request); });
        EXPECT_EQ(seen.directory, folder);
        EXPECT_EQ(seen.listed, c.listed);
        EXPECT_FALSE(chosen.has_value()) << "a cancel returns nothing";
    }
}

} // namespace
} // namespace korvland
