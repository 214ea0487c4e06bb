#include "app/hint_settings.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

namespace korvland {

namespace {

// The delay before a hint, on top of whatever style the platform gives.
class HintTimingStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Shows every plain hint for the same time, whatever its length.
class HintDurationFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return QObject::eventFilter(watched, event);
        // Before the widget shows its hint, which it does for the duration it holds.
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->toolTipDuration() <= 0)
            widget->setToolTipDuration(kHintDurationMs);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void applyHintSettings(QApplication& application) {
    static QPointer<QObject> installed;
    if (installed)
        return;
    QApplication::setStyle(new HintTimingStyle);
    installed = new HintDurationFilter(&application);
    application.installEventFilter(installed);
}

} // namespace korvland
