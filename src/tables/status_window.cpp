#include "tables/status_window.h"

namespace korvland {

TForm6::TForm6(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Landmarks Status Table"));
    setGeometry(470, 653, 391, 218);
}

bool TForm6::hasRow(int /*index*/) const { return false; }

void TForm6::setRowTicked(int /*index*/, bool /*ticked*/) {}

} // namespace korvland
