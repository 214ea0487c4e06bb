#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

namespace korvland {

// The folders that may hold the editor's own translations (korvland_<language>.qm): the
// "translations" folder beside the program, as in a build folder, and the installed data
// folder (share/korvland/translations beside the program's bin folder).
QStringList translationFolders();

// Installs Qt's own translations (its dialogs' buttons and the like) and the editor's for
// `locale`, looking for the editor's in `folders`, the first holding one wins. A language
// without a translation leaves the texts English, with the English plural forms. Returns the
// files installed.
QStringList installTranslations(QCoreApplication& app, const QLocale& locale = QLocale(),
                                const QStringList& folders = translationFolders());

} // namespace korvland
