#pragma once

#include "app/app_context.h"

#include <QWidget>

namespace korvland {

// The ownership table: counts of landmarks per kind and side.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(AppContext& context, QWidget* parent = nullptr);

    // Recounts the table from the landmark set.
    void UpdateData1Click();

private:
    AppContext& mContext;
};

} // namespace korvland
