#include "app/welcome_window.h"

namespace korvland {

TForm1::TForm1(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("KORV TLQ Landmarks Editor V3.2"));
}

void TForm1::FormCreate() {}
void TForm1::Button5Click() {}

} // namespace korvland
