// The map window's names, comparison with another file and background picture: their
// pop-up menu entries, their settings and their overlays.
#include "ui/map/map_window.h"

#include "data/user_error.h"
#include "settings/settings_store.h"
#include "ui/common/dialogs.h"
#include "ui/map/background_calibration.h"
#include "ui/map/map_background.h"
#include "ui/map/map_comparison.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsView>
#include <QMenu>
#include <QPainter>

namespace korvland {

namespace {

const std::string kSection = "Map";
const std::string kNamesKey = "Names";

std::string pictureKey(int region) {
    return "Background" + std::to_string(region);
}

std::string anchorsKey(int region) {
    return "BackgroundAnchors" + std::to_string(region);
}

// "ID:X,Y;ID:X,Y" as kept in the settings file.
std::optional<BackgroundAnchors> parseAnchorPair(const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(';'));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<BackgroundAnchor> first = parseAnchor(parts[0]);
    const std::optional<BackgroundAnchor> second = parseAnchor(parts[1]);
    if (!first || !second)
        return std::nullopt;
    return BackgroundAnchors{*first, *second};
}

} // namespace

// The legend of a comparison, in the window's top-left corner over the map; it stays there
// while the map scrolls and lets the pointer through.
class ComparisonLegendBox : public QWidget {
  public:
    explicit ComparisonLegendBox(QWidget* parent) : QWidget(parent) {
        setObjectName(QLatin1String(map_names::kComparisonLegend));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    QString text() const { return mText; }
    void setText(const QString& text) {
        mText = text;
        if (!text.isEmpty())
            resize(comparisonLegendSize(text));
        setVisible(!text.isEmpty());
        raise();
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintComparisonLegend(painter, QPoint(0, 0), mText);
    }

  private:
    QString mText;
};

void MapWindow::createStoryEntries() {
    mNamesAction = mPopupMenu->addAction(tr("&Names"));
    mNamesAction->setObjectName(QLatin1String(map_names::kNamesAction));
    mNamesAction->setCheckable(true);
    mNamesAction->setChecked(mContext.store.readString(kSection, kNamesKey, "0") == "1");
    connect(mNamesAction, &QAction::triggered, this, &MapWindow::namesToggled);

    mPopupMenu->addSeparator();
    mCompareAction = mPopupMenu->addAction(tr("&Compare With..."));
    mCompareAction->setObjectName(QLatin1String(map_names::kCompareAction));
    connect(mCompareAction, &QAction::triggered, this, &MapWindow::compareWithChosen);
    mStopComparingAction = mPopupMenu->addAction(tr("S&top Comparing"));
    mStopComparingAction->setObjectName(QLatin1String(map_names::kStopComparingAction));
    connect(mStopComparingAction, &QAction::triggered, this, &MapWindow::stopComparing);
    mStopComparingAction->setEnabled(false);

    mPopupMenu->addSeparator();
    mBackgroundAction = mPopupMenu->addAction(tr("&Background Picture..."));
    mBackgroundAction->setObjectName(QLatin1String(map_names::kBackgroundAction));
    connect(mBackgroundAction, &QAction::triggered, this, &MapWindow::backgroundPictureChosen);
    mRemoveBackgroundAction = mPopupMenu->addAction(tr("&Remove Background Picture"));
    mRemoveBackgroundAction->setObjectName(QLatin1String(map_names::kRemoveBackgroundAction));
    connect(mRemoveBackgroundAction, &QAction::triggered, this, &MapWindow::removeBackgroundPicture);
    connect(mPopupMenu, &QMenu::aboutToShow, this, [this] {
        mStopComparingAction->setEnabled(mComparisonFor.contains(mContext.document.filePath()));
        mRemoveBackgroundAction->setEnabled(
            !mContext.store.readString(kSection, pictureKey(mContext.document.region()), "").empty());
    });

    mLegend = new ComparisonLegendBox(this);
    mLegend->move(6, 6);
}

QString MapWindow::comparisonLegend() const {
    return mLegend->text();
}

void MapWindow::namesToggled() {
    refreshStory();
    try {
        mContext.store.writeString(kSection, kNamesKey, mNamesAction->isChecked() ? "1" : "0");
    } catch (const UserError& error) {
        // The names follow the entry all the same; only the next run forgets them.
        reportError(mContext.dialogs, this, error);
    }
}

bool MapWindow::loadComparison(const QString& path) {
    auto set = std::make_shared<LandmarkSet>();
    try {
        set->read(QFile::encodeName(path).toStdString());
    } catch (const UserError& error) {
        reportError(mContext.dialogs, this, error);
        return false;
    }
    mCompared = {path, std::move(set)};
    return true;
}

void MapWindow::compareWithChosen() {
    // Any landmark file or master copy, whatever its name: an older version is seldom named
    // like the file the server loads.
    FileDialogRequest request;
    request.title = tr("Compare With");
    request.filter = QStringLiteral("%1|*.dat *.mlf|%2|*").arg(tr("Landmark files"), tr("All files"));
    request.initialFolder = mContext.landmarksFolder;
    const std::optional<QString> path = mContext.dialogs.openFile(this, request);
    // A file that cannot be read leaves the map as it was, an earlier comparison included.
    if (!path || !loadComparison(*path))
        return;
    // Kept for this run and this file only: another file, of another region perhaps, is
    // compared with nothing until the operator chooses for it.
    mComparisonFor.insert(mContext.document.filePath(), *path);
    mStopComparingAction->setEnabled(true);
    refreshStory();
}

void MapWindow::stopComparing() {
    mComparisonFor.remove(mContext.document.filePath());
    mCompared = {};
    mStopComparingAction->setEnabled(false);
    refreshStory();
}

void MapWindow::refreshStory() {
    const QString filePath = mContext.document.filePath();
    if (const QString wanted = mComparisonFor.value(filePath); wanted != mCompared.path)
        mCompared = {wanted, nullptr};
    if (mContent.markers.empty()) {
        mLegend->setText({});
        return;
    }
    const LandmarkSet& set = mContext.document.set();
    if (mNamesAction->isChecked())
        showLabels(*mScene, mContent, set, mMapScale);
    else
        hideLabels(*mScene, mContent);
    // The file is read again when its landmark file comes back; one that has gone since is
    // reported once and forgotten.
    if (!mCompared.path.isEmpty() && !mCompared.set && !loadComparison(mCompared.path)) {
        mComparisonFor.remove(filePath);
        mCompared = {};
    }
    mStopComparingAction->setEnabled(!mCompared.path.isEmpty());
    if (!mCompared.set) {
        hideComparison(*mScene, mContent);
        mLegend->setText({});
        return;
    }
    const int region = mContext.document.region();
    const ComparisonMarks marks = showComparison(*mScene, mContent, *mCompared.set, set, region, mMapScale);
    mLegend->setText(comparisonLegendText(QFileInfo(mCompared.path).fileName(), marks, region));
}

void MapWindow::showStoryOverlays() {
    showBackgroundPicture();
    refreshStory();
}

void MapWindow::showBackgroundPicture() {
    const int region = mContext.document.region();
    const QString path = QString::fromStdString(mContext.store.readString(kSection, pictureKey(region), ""));
    const std::optional<BackgroundAnchors> anchors =
        parseAnchorPair(mContext.store.readString(kSection, anchorsKey(region), ""));
    if (path.isEmpty() || !anchors || mContent.markers.empty()) {
        hideBackground(*mScene, mContent);
        return;
    }
    if (path != mPicturePath) {
        QImage picture(path);
        if (picture.isNull()) {
            // Said once a run, not at every build: the map is shown without it.
            if (mUnreadablePicture != path)
                reportError(mContext.dialogs, this, tr("The picture cannot be read"), path);
            mUnreadablePicture = path;
            hideBackground(*mScene, mContent);
            return;
        }
        mPicturePath = path;
        mPicture = std::move(picture);
    }
    const BackgroundFit fit = fitBackground(*anchors, mContext.document.set(), mContent.markers);
    if (fit.problem != BackgroundFit::Problem::None) {
        hideBackground(*mScene, mContent);
        return;
    }
    showBackground(*mScene, mContent, mPicture, fit.transform);
}

void MapWindow::backgroundPictureChosen() {
    if (mContent.markers.empty())
        return;
    FileDialogRequest request;
    request.title = tr("Background Picture");
    request.filter = QStringLiteral("%1|*.png *.jpg *.jpeg").arg(tr("Pictures"));
    request.initialFolder = mContext.landmarksFolder;
    const std::optional<QString> path = mContext.dialogs.openFile(this, request);
    if (!path)
        return;
    const QImage picture(*path);
    if (picture.isNull()) {
        reportError(mContext.dialogs, this, tr("The picture cannot be read"), *path);
        return;
    }
    BackgroundCalibrationDialog dialog(picture, mContext.document.set(), this);
    if (mContext.dialogs.exec(dialog) != QDialog::Accepted || !dialog.anchors())
        return;
    const BackgroundAnchors anchors = *dialog.anchors();
    const BackgroundFit fit = fitBackground(anchors, mContext.document.set(), mContent.markers);
    if (fit.problem != BackgroundFit::Problem::None) {
        reportError(mContext.dialogs, this, backgroundFitProblemText(fit));
        return;
    }
    mPicturePath = *path;
    mPicture = picture;
    showBackground(*mScene, mContent, mPicture, fit.transform);
    const int region = mContext.document.region();
    try {
        mContext.store.writeString(kSection, pictureKey(region), path->toStdString());
        mContext.store.writeString(
            kSection, anchorsKey(region),
            (anchorText(anchors[0]) + QLatin1Char(';') + anchorText(anchors[1])).toStdString());
    } catch (const UserError& error) {
        reportError(mContext.dialogs, this, error);
    }
}

void MapWindow::removeBackgroundPicture() {
    const int region = mContext.document.region();
    hideBackground(*mScene, mContent);
    mContext.store.deleteKey(kSection, pictureKey(region));
    mContext.store.deleteKey(kSection, anchorsKey(region));
}

} // namespace korvland
