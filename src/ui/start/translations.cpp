#include "ui/start/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace korvland {

QStringList translationFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QStringLiteral("/translations"),
            QDir::cleanPath(programFolder + QStringLiteral("/" KORVLAND_INSTALLED_TRANSLATIONS))};
}

QStringList installTranslations(QCoreApplication& app, const QLocale& locale, const QStringList& folders) {
    QStringList installed;
    const auto install = [&](const QString& name, const QStringList& where, const QLocale& language) {
        for (const QString& folder : where) {
            auto* translator = new QTranslator(&app);
            if (translator->load(language, name, QStringLiteral("_"), folder) && !translator->isEmpty()) {
                QCoreApplication::installTranslator(translator);
                installed << translator->filePath();
                return true;
            }
            delete translator;
        }
        return false;
    };
    install(QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)}, locale);
    // Without a translation of its own the program speaks English, whose plural forms ("the
    // Allied bridge", "the 4 Allied bridges") come from the English file.
    if (!install(QStringLiteral("korvland"), folders, locale))
        install(QStringLiteral("korvland"), folders, QLocale(QLocale::English));
    return installed;
}

} // namespace korvland
