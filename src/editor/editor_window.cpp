#include "editor/editor_window.h"

#include <QCloseEvent>

namespace korvland {

TForm2::TForm2(AppContext& context, QWidget* parent) : QMainWindow(parent), mContext(context) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("KORV TLQ Landmarks Editor"));
    createControls();
    createMenu();
}

TForm2::~TForm2() = default;

void TForm2::createControls() {}
void TForm2::GetLocationType() {}
void TForm2::UpDown1Click() {}
void TForm2::UpDown1Changing() {}
void TForm2::Edit9Change() {}
void TForm2::Edit1Change() {}
void TForm2::Edit3Change() {}
void TForm2::Edit4Change() {}
void TForm2::srg1Change(int) {}
void TForm2::LMDRG1Change(int) {}
void TForm2::LMDRG1Click() {}
int TForm2::recordNumber() const { return 1; }
void TForm2::setRecordNumber(int) {}
void TForm2::setRecordControlsEnabled(bool) {}
void TForm2::setTableButtonEnabled(bool) {}

} // namespace korvland
