// The map window's front line: the pop-up menu's entry, its setting and the overlay's
// refresh.
#include "ui/map/map_window.h"

#include "data/user_error.h"
#include "settings/settings_store.h"
#include "ui/common/dialogs.h"
#include "ui/map/front_line_item.h"

#include <QAction>
#include <QMenu>

namespace korvland {

namespace {

const std::string kSection = "Map";
const std::string kKey = "FrontLine";

} // namespace

void MapWindow::createFrontLineEntry() {
    mPopupMenu->addSeparator();
    mFrontLineAction = mPopupMenu->addAction(tr("&Front Line"));
    mFrontLineAction->setObjectName(QLatin1String(map_names::kFrontLineAction));
    mFrontLineAction->setCheckable(true);
    mFrontLineAction->setChecked(mContext.store.readString(kSection, kKey, "0") == "1");
    connect(mFrontLineAction, &QAction::triggered, this, &MapWindow::frontLineToggled);
}

void MapWindow::frontLineToggled() {
    refreshFrontLine();
    try {
        mContext.store.writeString(kSection, kKey, mFrontLineAction->isChecked() ? "1" : "0");
    } catch (const UserError& error) {
        // The overlay follows the entry all the same; only the next run forgets it.
        reportError(mContext.dialogs, this, error);
    }
}

void MapWindow::refreshFrontLine() {
    if (!mFrontLineAction->isChecked() || mContent.markers.empty()) {
        hideFrontLine(*mScene, mContent);
        return;
    }
    showFrontLine(*mScene, mContent, mContext.document.set(), mContext.document.region(), mMapScale);
    // Scrolling and every marker's repaint then copy the overlay from the window's worth
    // kept as a picture instead of filling its cells again.
    mContent.frontLine->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
}

} // namespace korvland
