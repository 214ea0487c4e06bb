#include "editor/editor_window.h"

#include <QCloseEvent>

namespace korvland {

void TForm2::createMenu() {}
void TForm2::rebuildRecentMenu() {}
bool TForm2::confirmDiscard() { return true; }
void TForm2::openLandmarkWith(const FileDialogRequest&) {}
void TForm2::FormActivate() {}
void TForm2::Map1Click(QObject*) {}
void TForm2::Landmark1Click() {}
void TForm2::MasterFile1Click() {}
void TForm2::LMDMRUList1Click(const QString&) {}
void TForm2::Profile1Click() {}
void TForm2::Save1Click() {}
void TForm2::CompileLandmark1Click() {}
void TForm2::N1Click() {}
void TForm2::Data1Click() {}
void TForm2::About1Click() {}
bool TForm2::readLandmarkFile(const QString&) { return false; }
void TForm2::markModified() { mModified = true; }

void TForm2::closeEvent(QCloseEvent* event) {
    event->accept();
    if (mContext.requestQuit)
        mContext.requestQuit();
}

} // namespace korvland
