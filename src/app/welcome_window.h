#pragma once

#include "app/app_context.h"

#include <QWidget>

namespace korvland {

// The welcome window: the program's main window, a warning and the start button.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(AppContext& context, QWidget* parent = nullptr);

    // Establishes the landmarks folder from the settings file or the folder chooser.
    void FormCreate();
    // Hands over to the editor window.
    void Button5Click();

private:
    AppContext& mContext;
};

} // namespace korvland
