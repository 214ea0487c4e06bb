#pragma once

#include "data/map_projection.h"
#include "support_gui/named.h"
#include "support_gui/test_windows.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>

#include <gtest/gtest.h>

#include <string>

namespace korvland::testing {

// The map window among the windows it works with; files are read through the editor's
// "Open", "Landmark" and the map opened with its "Map" command, as a user does.
class MapWindowTest : public WindowsTest<> {
  protected:
    void SetUp() override { createWindows(); }

    // Writes the file as lndmrks<region>.dat, so that the editor detects that region.
    void load(const LandmarkFileBuilder& file, int region = 0) {
        const std::string name = "lndmrks" + std::to_string(region) + ".dat";
        dialogs.expectOpenFile(QString::fromStdString(file.writeTo(dir.path() / name)));
        editorAction(editor_names::kOpenLandmarkAction)->trigger();
    }

    void openMap() {
        editorAction(editor_names::kMapAction)->trigger();
        QApplication::processEvents();
    }

    // Makes the last record current through the editor, so that the highlight rests on
    // its marker and leaves the others as built.
    void selectLast() {
        editor->setRecordNumber(set.recordCount());
        editor->selectRecord();
    }

    QAction* editorAction(const char* name) const { return required<QAction>(editor, name); }
    QAction* scaleEntry(const char* name) const { return required<QAction>(map, name); }

    // The scene item that bears `name`, or null.
    QGraphicsItem* item(const QString& name) const {
        for (QGraphicsItem* candidate : map->scene()->items()) {
            if (candidate->data(kMarkerNameKey).toString() == name)
                return candidate;
        }
        return nullptr;
    }

    // The names of the items at a point of the content surface, topmost first.
    QStringList namesAt(QPointF point) const {
        QStringList names;
        for (QGraphicsItem* found : map->scene()->items(point))
            names << found->data(kMarkerNameKey).toString();
        return names;
    }

    // Where the projection puts every record of the set now.
    std::vector<MapPoint> projected(float scale) const {
        std::vector<LandmarkRecord> records;
        for (std::size_t i = 0; i < set.recordCount(); ++i)
            records.push_back(set.record(i));
        return projectRecords(records, scale, document.region());
    }
};

} // namespace korvland::testing
