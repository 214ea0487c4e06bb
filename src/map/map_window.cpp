#include "map/map_window.h"

namespace korvland {

TForm3::TForm3(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("object PB1: TPaintBox"));
    setGeometry(315, 154, 833, 753);
}

void TForm3::pb1DblClick() {}

void TForm3::Shape1NewHint() {}

} // namespace korvland
