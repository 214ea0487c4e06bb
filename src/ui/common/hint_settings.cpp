#include "ui/common/hint_settings.h"

#include "ui/common/hint_presenter.h"

#include <QApplication>
#include <QPointer>

namespace korvland {

void applyHintSettings(QApplication& application) {
    static QPointer<HintPresenter> installed;
    if (!installed)
        installed = new HintPresenter(&application);
}

} // namespace korvland
