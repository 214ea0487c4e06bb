#pragma once

#include <QObject>

class QWidget;

namespace korvland {

// Keeps Alt+letter out of text boxes: a letter that no menu or label takes as its access key
// would otherwise be typed into the focused box (X11 sends the plain letter with Alt held).
// Access keys and shortcuts are matched before a box sees the key, so they still work.
class AltLetterGuard : public QObject {
  public:
    using QObject::QObject;

    // Guards every line edit inside `root` that exists now.
    static void guardBoxesIn(QWidget* root);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace korvland
