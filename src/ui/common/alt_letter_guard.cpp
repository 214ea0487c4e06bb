#include "ui/common/alt_letter_guard.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace korvland {

void AltLetterGuard::guardBoxesIn(QWidget* root) {
    auto* guard = new AltLetterGuard(root);
    for (QLineEdit* box : root->findChildren<QLineEdit*>())
        box->installEventFilter(guard);
}

bool AltLetterGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // AltGr arrives as Ctrl+Alt on Windows and types characters; it stays.
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
            !key->text().isEmpty())
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvland
