#include "document/native_path.h"

#include <QFile>

namespace korvland {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace korvland
