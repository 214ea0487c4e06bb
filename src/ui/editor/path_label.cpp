#include "ui/editor/path_label.h"

#include <QEvent>
#include <QPainter>

namespace korvland {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

QString PathLabel::shownText() const {
    return fontMetrics().elidedText(text(), mElideMode, contentsRect().width());
}

bool PathLabel::event(QEvent* event) {
    // The whole path is always one hover away.
    if (event->type() == QEvent::ToolTip)
        setToolTip(text());
    return QLabel::event(event);
}

void PathLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), shownText());
}

} // namespace korvland
