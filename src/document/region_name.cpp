#include "document/region_name.h"

#include <QFile>
#include <QLocale>

namespace korvland {

std::string regionFileName(const std::string& fileName) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(fileName));
    return QFile::encodeName(QLocale().toLower(name)).toStdString();
}

} // namespace korvland
