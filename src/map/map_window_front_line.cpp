// The map window's front line: the pop-up menu's entry, its setting and the overlay's
// refresh.
#include "map/map_window.h"

#include "app/dialogs.h"
#include "app/settings/settings_store.h"
#include "data/user_error.h"
#include "map/front_line_item.h"

#include <QAction>
#include <QMenu>

namespace korvland {

namespace {

const std::string kSection = "Map";
const std::string kKey = "FrontLine";

} // namespace

void TForm3::createFrontLineEntry() {
    PopupMenu1->addSeparator();
    FrontLine1 = PopupMenu1->addAction(QStringLiteral("Front Line"));
    FrontLine1->setObjectName(QStringLiteral("FrontLine1"));
    FrontLine1->setCheckable(true);
    FrontLine1->setChecked(mContext.store.readString(kSection, kKey, "0") == "1");
    connect(FrontLine1, &QAction::triggered, this, &TForm3::FrontLine1Click);
}

void TForm3::FrontLine1Click() {
    refreshFrontLine();
    try {
        mContext.store.writeString(kSection, kKey, FrontLine1->isChecked() ? "1" : "0");
    } catch (const UserError& error) {
        // The overlay follows the entry all the same; only the next run forgets it.
        reportError(mContext.dialogs, this, error);
    }
}

void TForm3::refreshFrontLine() {
    if (!FrontLine1->isChecked() || mContent.markers.empty()) {
        hideFrontLine(*mScene, mContent);
        return;
    }
    showFrontLine(*mScene, mContent, mContext.document.set(), mContext.document.region(), mMapScale);
    // Scrolling and every marker's repaint then copy the overlay from the window's worth
    // kept as a picture instead of filling its cells again.
    mContent.frontLine->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
}

} // namespace korvland
