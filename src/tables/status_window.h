#pragma once

#include "app/app_context.h"

#include <QWidget>

namespace korvland {

class CheckList;

// The status table: every landmark by name with a tick for the active ones. The editor's
// "Table" button fills and shows it; ticking a row switches the landmark on or off and
// selecting a row makes it the editor's current record. Closing only hides it.
class TForm6 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm6(AppContext& context, QWidget* parent = nullptr);

    // Whether the list has a row for record `index` (it is filled when the table opens).
    bool hasRow(int index) const;
    // Ticks (active) or unticks the row of record `index`; the list is repainted.
    void setRowTicked(int index, bool ticked);
    // Selects the row of record `index` and scrolls it into view, without the table's
    // click handling (the map selects the row of a clicked marker this way). Nothing
    // happens when the list has no such row.
    void selectRow(int index);
    // The row selected in the list, -1 for none.
    int selectedRow() const;

    // The editor's "Table" button: fills the list from the set, disables the button and
    // shows the window.
    void Button1Click();
    // The user ticked or unticked the selected row.
    void CLBox1ClickCheck();
    // The user selected a row. The same steps as CLBox1ClickCheck.
    void CLBox1Click();

  signals:
    // The table came into sight (filled by "Table") or went out of it (hidden, or
    // minimised): "Table" is needed only while it is out of sight.
    void inSightChanged(bool inSight);
    // A line for the editor's notice panel.
    void noticeRaised(const QString& text);

  protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyClick(int row);
    void fitListToWholeRows();

    AppContext& mContext;
    CheckList* CLBox1 = nullptr;
    // Set while the table changes its own rows: those changes are not the user's.
    bool mQuiet = false;
};

} // namespace korvland
