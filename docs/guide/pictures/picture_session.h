#pragma once

#include "picture_dialogs.h"

#include "document/landmark_document.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

class QMenu;

namespace korvland::guide {

// Lets the windows handle what the last step set off.
void settle();

// The control of `parent` named `name`; a step without it is a step gone wrong.
template <typename T = QWidget> T& child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return *found;
}

// The program as an operator runs it, over its own settings file in a work folder.
class Session {
  public:
    explicit Session(const QString& folder);

    EditorWindow& editor() const { return *mStartup->windows().editor; }
    MapWindow& map() const { return *mStartup->windows().map; }
    LandmarkDocument& document() const { return mStartup->context().document; }
    WelcomeWindow& welcome() const { return *mStartup->welcome(); }
    const ProgramWindows& windows() const { return mStartup->windows(); }

    // Opens a file as "Open" > "Landmark" does, the editor in sight.
    void open(const QString& path);
    // The clock in the editor's status bar shows the guide's date, in the language shown, and
    // the file's path the folder an operator's files are in, not the work folder of this program.
    void fixClock() const;
    void trigger(const QObject& window, const char* action) const;
    // A message box means a step went wrong; its text is the error.
    void requireNoMessage() const;

    PictureDialogs dialogs;

  private:
    QString mFolder;
    std::unique_ptr<Startup> mStartup;
};

// An area of the map's ground, and a landmark's marker, in the map window's coordinates.
QRect onMap(const MapWindow& map, const QRectF& sceneArea);
QRect markerOnMap(const MapWindow& map, int index);
// The switched-on landmark nearest the middle of the map.
int middleRecord(const MapWindow& map, const LandmarkDocument& document);
// The landmarks whose markers lie within `radius` of record `index`'s.
QList<int> around(const MapWindow& map, int index, double radius);
// The German and the Allied landmark nearest to each other, both switched on: the front
// runs between them.
std::pair<int, int> frontPair(const MapWindow& map, const LandmarkDocument& document);
// A menu as it drops down, with some of its entries framed, each or all in one frame.
QImage menuPicture(QMenu& menu, const QWidget& window, const QStringList& entries, bool oneFrame = false);

} // namespace korvland::guide
