#include "ui/start/translations.h"

#include "ui/common/english_plurals.h"

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
    installEnglishPlurals();
    QStringList installed;
    const auto install = [&](const QString& name, const QStringList& where) {
        for (const QString& folder : where) {
            auto* translator = new QTranslator(&app);
            if (translator->load(locale, name, QStringLiteral("_"), folder) && !translator->isEmpty()) {
                QCoreApplication::installTranslator(translator);
                installed << translator->filePath();
                return;
            }
            delete translator;
        }
    };
    install(QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    install(QStringLiteral("korvland"), folders);
    return installed;
}

} // namespace korvland
