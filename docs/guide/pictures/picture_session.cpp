#include "picture_session.h"
#include "marked_picture.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>

namespace korvland::guide {

namespace {

// The date every picture's clock shows.
const QDateTime kPictureDate(QDate(2026, 6, 14), QTime(10, 30, 0));

} // namespace

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

Session::Session(const QString& folder) : mFolder(folder) {
    QFile settings(folder + QStringLiteral("/korvland.INI"));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write("[settings]\nstartdir=" + QFile::encodeName(folder) + "\n") < 0)
        throw std::runtime_error("the settings file cannot be written");
    settings.close();
    mStartup = std::make_unique<Startup>(dialogs, settings.fileName().toStdString());
}

void Session::open(const QString& path) {
    dialogs.filesToOpen << path;
    child<QAction>(editor(), editor_names::kOpenLandmarkAction).trigger();
    settle();
}

void Session::fixClock() const {
    auto& path = child<QLabel>(editor(), editor_names::kPathLabel);
    path.setText(path.text().replace(mFolder, QStringLiteral("/home/operator/landmarks")));
    const QString format = QCoreApplication::translate("korvland::EditorWindow", "MMMM dd yyyy  HH:mm:ss");
    child<QLabel>(editor(), editor_names::kClockPanel).setText(QLocale().toString(kPictureDate, format));
}

void Session::requireNoMessage() const {
    if (!dialogs.messages.isEmpty())
        throw std::runtime_error("a step met a message: " +
                                 dialogs.messages.join(QLatin1Char(' ')).toStdString());
}

void Session::trigger(const QObject& window, const char* action) const {
    child<QAction>(window, action).trigger();
    settle();
}

QRect onMap(const MapWindow& map, const QRectF& sceneArea) {
    QGraphicsView* view = map.view();
    return view->mapFromScene(sceneArea).boundingRect().translated(
        view->viewport()->mapTo(&map, QPoint(0, 0)));
}

QRect markerOnMap(const MapWindow& map, int index) {
    return onMap(map, map.marker(index)->frame->sceneBoundingRect());
}

int middleRecord(const MapWindow& map, const LandmarkDocument& document) {
    const QPointF middle = map.scene()->sceneRect().center();
    int nearest = 0;
    double best = 1e30;
    for (int i = 0; i < document.recordCount(); ++i) {
        const QPointF step = map.marker(i)->frame->sceneBoundingRect().center() - middle;
        const double distance = QPointF::dotProduct(step, step);
        if (document.isActive(i) && distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

QList<int> around(const MapWindow& map, int index, double radius) {
    const QPointF from = map.marker(index)->frame->sceneBoundingRect().center();
    QList<int> near;
    for (int i = 0; i < static_cast<int>(map.markers().size()); ++i) {
        const QPointF step = map.marker(i)->frame->sceneBoundingRect().center() - from;
        if (QPointF::dotProduct(step, step) <= radius * radius)
            near << i;
    }
    return near;
}

std::pair<int, int> frontPair(const MapWindow& map, const LandmarkDocument& document) {
    std::pair<int, int> pair{0, 0};
    double best = 1e30;
    for (int g = 0; g < document.recordCount(); ++g) {
        for (int a = 0; a < document.recordCount(); ++a) {
            if (isAllied(document.record(g).side) || !isAllied(document.record(a).side) ||
                !document.isActive(g) || !document.isActive(a))
                continue;
            const QPointF step = map.marker(g)->frame->sceneBoundingRect().center() -
                                 map.marker(a)->frame->sceneBoundingRect().center();
            const double distance = QPointF::dotProduct(step, step);
            if (distance < best) {
                best = distance;
                pair = {g, a};
            }
        }
    }
    return pair;
}

QImage menuPicture(QMenu& menu, const QWidget& window, const QStringList& entries, bool oneFrame) {
    menu.popup(window.mapToGlobal(QPoint(0, 0)));
    settle();
    MarkedPicture picture(menu);
    QRect together;
    for (QAction* entry : menu.actions()) {
        if (!entries.contains(entry->objectName()))
            continue;
        if (oneFrame)
            together |= menu.actionGeometry(entry);
        else
            picture.frame(menu.actionGeometry(entry));
    }
    if (oneFrame)
        picture.frame(together);
    menu.hide();
    return picture.image();
}

} // namespace korvland::guide
