#include "ui/common/guide_link.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace korvland {

QString guideFolder() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    QString besideProgram = programFolder + QStringLiteral("/guide");
    if (QFileInfo::exists(besideProgram + QStringLiteral("/index.html")))
        return besideProgram;
    return QDir::cleanPath(programFolder + QStringLiteral("/" KORVLAND_INSTALLED_GUIDE));
}

QUrl guidePage(const QString& page) {
    return QUrl::fromLocalFile(guideFolder() + QLatin1Char('/') + page);
}

void openGuideOnF1(QWidget& window, const char* page) {
    auto* shortcut = new QShortcut(QKeySequence::HelpContents, &window);
    shortcut->setContext(Qt::WindowShortcut);
    const QString name = QString::fromLatin1(page);
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     [name] { QDesktopServices::openUrl(guidePage(name)); });
}

} // namespace korvland
