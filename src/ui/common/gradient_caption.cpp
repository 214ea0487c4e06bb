#include "ui/common/gradient_caption.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>

namespace korvland {

namespace {

const QColor kLeftColour(0x00, 0x00, 0x80);  // navy, the active caption's colour
const QColor kRightColour(0x10, 0x84, 0xD0); // the light end of a gradient caption

int mix(int from, int to, int index) {
    return from + (to - from) * index / (GradientCaption::kSteps - 1);
}

} // namespace

GradientCaption::GradientCaption(QWidget& dialog) : QWidget(&dialog) {
    setObjectName(QStringLiteral("GradientCaption"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setFixedHeight(fontMetrics().height() + 8);
    if (QLayout* layout = dialog.layout()) {
        QMargins margins = layout->contentsMargins();
        margins.setTop(margins.top() + height());
        layout->setContentsMargins(margins);
    }
    dialog.installEventFilter(this);
    fitToDialog();
}

QColor GradientCaption::stepColour(int index) {
    return QColor(mix(kLeftColour.red(), kRightColour.red(), index),
                  mix(kLeftColour.green(), kRightColour.green(), index),
                  mix(kLeftColour.blue(), kRightColour.blue(), index));
}

bool GradientCaption::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowTitleChange))
        fitToDialog();
    return false;
}

void GradientCaption::fitToDialog() {
    setGeometry(0, 0, parentWidget()->width(), height());
    update();
}

void GradientCaption::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    for (int i = 0; i < kSteps; ++i) {
        const int left = w * i / kSteps;
        const int right = w * (i + 1) / kSteps;
        painter.fillRect(left, 0, right - left, height(), stepColour(i));
    }
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     parentWidget()->windowTitle());
}

} // namespace korvland
