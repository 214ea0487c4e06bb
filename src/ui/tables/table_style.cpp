#include "ui/tables/table_style.h"

namespace korvland {

QFont tableFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

QFont tableBoldFont() {
    QFont font = tableFont();
    font.setBold(true);
    return font;
}

} // namespace korvland
