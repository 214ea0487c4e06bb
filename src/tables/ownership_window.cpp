#include "tables/ownership_window.h"

namespace korvland {

TForm5::TForm5(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Active Landmark Ownership Table"));
    move(205, 575);
    setFixedSize(633, 75);
}

void TForm5::UpdateData1Click() {}

} // namespace korvland
