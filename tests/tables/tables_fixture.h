#pragma once

#include "support_gui/named.h"
#include "support_gui/test_windows.h"
#include "ui/common/check_list.h"
#include "ui/common/radio_group.h"
#include "ui/tables/filter_row.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace korvland::testing {

// The editor window with the map and both tables, on the offscreen platform. Files are
// opened through the editor's "Open", "Landmark" command, as the user opens them.
class TablesTest : public WindowsTest<> {
  protected:
    TablesTest() {
        createWindows();
        editor->show();
    }

    void open(const LandmarkFileBuilder& builder, const std::string& name = "lndmrks0.dat") {
        dialogs.expectOpenFile(QString::fromStdString(builder.writeTo(dir.path() / name)));
        editorAction(editor_names::kOpenLandmarkAction)->trigger();
    }

    template <typename T = QWidget> T* editorControl(const char* name) const {
        return required<T>(editor, name);
    }
    QAction* editorAction(const char* name) const { return editorControl<QAction>(name); }
    QPushButton* tableButton() const { return editorControl<QPushButton>(editor_names::kTableButton); }
    // The 0-based index of the record the editor shows, by its identifier (ids are 1000 + index).
    int shownIndex() const { return editorControl<QLineEdit>(editor_names::kIdBox)->text().toInt() - 1000; }
    // The editor's "Active Landmark": 0 "Yes", 1 "No".
    int activeItem() const { return editorControl<RadioGroup>(editor_names::kActiveGroup)->itemIndex(); }

    // The user's click on item `item` of an editor radio group (editor_names::kSideGroup,
    // editor_names::kActiveGroup).
    void clickItem(const char* group, int item) { clickRadioItem(*editorControl<RadioGroup>(group), item); }

    CheckList* list() const { return named<CheckList>(status, status_names::kList); }
    QModelIndex rowAt(int index) const { return list()->model()->index(index, 0); }
    int rowCount() const { return list()->model()->rowCount(); }
    bool ticked(int index) const { return rowAt(index).data(Qt::CheckStateRole).toInt() == Qt::Checked; }
    // The user's mouse on a row: on its check box, or on its name.
    void clickBox(int row) { clickRow(row, 9); }
    void clickName(int row) { clickRow(row, 40); }

  private:
    void clickRow(int index, int x) {
        list()->scrollTo(rowAt(index));
        const QRect rect = list()->visualRect(rowAt(index));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + x, rect.center().y()));
    }
};

} // namespace korvland::testing
