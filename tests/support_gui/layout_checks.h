#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <string>
#include <utility>

namespace korvland::testing {

// The controls of `window` a user can reach with the keyboard: shown, enabled and taking
// focus by Tab.
inline QList<QWidget*> tabStops(const QWidget* window) {
    QList<QWidget*> stops;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(window) && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
            !widget->focusProxy())
            stops << widget;
    }
    return stops;
}

// The tab stops of `window` in the order Tab visits them, starting after the window itself.
inline QList<QWidget*> tabOrder(QWidget* window) {
    const QList<QWidget*> stops = tabStops(window);
    QList<QWidget*> order;
    for (QWidget* next = window->nextInFocusChain(); next != window && !order.contains(next);
         next = next->nextInFocusChain()) {
        if (stops.contains(next))
            order << next;
    }
    return order;
}

// Where `widget` lies in `window`'s coordinates.
inline QRect placeIn(const QWidget* widget, const QWidget* window) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// A name for messages: the objectName, or the class where there is none.
inline std::string describe(const QWidget* widget) {
    const QString name = widget->objectName();
    return (name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name).toStdString();
}

// The first stop of the round of Tab `order` that does not follow its predecessor in reading
// order (to the right within a row, else below it), with that predecessor; empty when all do. The
// round is read from its topmost, leftmost stop.
inline std::string firstOutOfReadingOrder(QList<QWidget*> order, const QWidget* window) {
    const auto first = std::min_element(order.begin(), order.end(), [window](QWidget* a, QWidget* b) {
        const QRect pa = placeIn(a, window);
        const QRect pb = placeIn(b, window);
        return std::pair(pa.top(), pa.left()) < std::pair(pb.top(), pb.left());
    });
    std::rotate(order.begin(), first, order.end());
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QRect before = placeIn(order.at(i - 1), window);
        const QRect after = placeIn(order.at(i), window);
        const bool sameRow = after.top() <= before.bottom() && before.top() <= after.bottom();
        if (sameRow ? after.left() < before.left() : after.top() < before.top())
            return describe(order.at(i - 1)) + " -> " + describe(order.at(i));
    }
    return {};
}

// The shown, named controls of `window`, leaving out the cells inside the control named
// `drawnAsOne`, which count as that one control.
inline QList<const QWidget*> shownControls(const QWidget* window, const char* drawnAsOne = nullptr) {
    QList<const QWidget*> controls;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const QWidget* parent = widget->parentWidget();
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")) &&
            widget->isVisibleTo(window) && !widget->size().isEmpty() &&
            !(drawnAsOne && parent && parent->objectName() == QLatin1String(drawnAsOne)))
            controls << widget;
    }
    return controls;
}

// The first pair of shown controls of `window` that cover each other (neither inside the other),
// as "a / b"; empty when none do.
inline std::string firstOverlap(const QWidget* window, const char* drawnAsOne = nullptr) {
    const QList<const QWidget*> controls = shownControls(window, drawnAsOne);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QWidget* a = controls.at(i);
            const QWidget* b = controls.at(j);
            if (!a->isAncestorOf(b) && !b->isAncestorOf(a) &&
                placeIn(a, window).intersects(placeIn(b, window)))
                return describe(a) + " / " + describe(b);
        }
    }
    return {};
}

// The first shown control that reaches out of `window`, where it would be cut off; empty when none.
inline std::string firstOutside(const QWidget* window) {
    for (const QWidget* control : shownControls(window)) {
        if (!window->rect().contains(placeIn(control, window)))
            return describe(control);
    }
    return {};
}

} // namespace korvland::testing
