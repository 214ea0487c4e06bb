#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace korvland::testing {

// Pictures go to KORVLAND_RENDER_DIR when it is set, for a person to look at.
inline void keep(const QImage& picture, const char* name) {
    const QByteArray folder = qgetenv("KORVLAND_RENDER_DIR");
    if (!folder.isEmpty())
        picture.save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name));
}

inline void keep(const QPixmap& picture, const char* name) {
    keep(picture.toImage(), name);
}

} // namespace korvland::testing
