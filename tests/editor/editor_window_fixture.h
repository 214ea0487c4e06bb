#pragma once

#include "support_gui/named.h"
#include "support_gui/test_windows.h"
#include "ui/common/radio_group.h"
#include "ui/common/up_down.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace korvland::testing {

// Arras (1) is current after a read; Vertus (2) and Sedan (6) are of type 6 and read as
// switched off; Cambrai (4) is Allied. Names are Windows-1252 bytes;
// "a" is in Arras, Crépy-en-Valois, Cambrai and Sedan.
inline LandmarkFileBuilder frontLine() {
    LandmarkFileBuilder builder;
    builder.add(makeRecord(1000, 0x01, 0x02, 0, "Arras"))
        .add(makeRecord(1001, 0x06, 0xAC, 0, "Vertus"))
        .add(makeRecord(1002, 0x03, 0x13, 0, "Cr\xE9py-en-Valois"))
        .add(makeRecord(1003, 0x02, 0x05, 1, "Cambrai"))
        .add(makeRecord(1004, 0x09, 0x00, 0, "Lens"))
        .add(makeRecord(1005, 0x06, 0x10, 1, "Sedan"));
    return builder;
}

// The editor window on the offscreen platform with its own landmark set, scripted
// dialogs and settings file, and the map and table windows it calls into. Files are
// loaded straight into the set and the record number set as an open leaves it.
class EditorWindowTest : public WindowsTest<> {
  protected:
    EditorWindowTest() {
        // Texts with separators are checked in the C locale's form ("12.50000", "1,000").
        QLocale::setDefault(QLocale::c());
        createWindows();
        editor->show();
    }

    ~EditorWindowTest() override {
        destroyWindows();
        QLocale::setDefault(mLocale);
    }

    // Reads the file the builder describes and shows its record `number`.
    void load(const LandmarkFileBuilder& builder, int number = 1) {
        document.read(QString::fromStdString(builder.writeTo(dir.path() / "lndmrks0.dat")));
        editor->setRecordMaximum(set.recordCount());
        editor->setRecordControlsEnabled(true);
        editor->setFieldEditsEnabled(true);
        select(number);
    }

    // The one road of record selection other windows take.
    void select(int number) {
        editor->setRecordNumber(number);
        editor->selectRecord();
    }

    template <typename T = QWidget> T* control(const char* name) const { return required<T>(editor, name); }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    QString text(const char* name) const { return edit(name)->text(); }
    // The index of the record the window shows, by its identifier (addMany gives 1000 + index).
    int shownIndex() const { return text(editor_names::kIdBox).toInt() - 1000; }
    QLabel* kindLabel() const { return control<QLabel>(editor_names::kKindLabel); }
    QColor kindColour() const { return kindLabel()->palette().color(QPalette::WindowText); }
    RadioGroup* group(const char* name) const { return control<RadioGroup>(name); }
    UpDown* spinner() const { return control<UpDown>(editor_names::kRecordStepper); }

    void clickItem(const char* groupName, int item) { clickRadioItem(*group(groupName), item); }
    // Replaces the whole text of a box as the user would: select all, then type.
    void retype(const char* name, const QString& typed) {
        QLineEdit* box = edit(name);
        box->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, typed);
    }

  private:
    QLocale mLocale;
};

} // namespace korvland::testing
