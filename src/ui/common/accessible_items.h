#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QWidget;

namespace korvland {

// What a widget that draws many items without a widget each (the markers of the map, the
// rows of a check-list) tells assistive technologies about them: one accessible child per
// item, in order, with a name, a description, its states and place, and the two things a
// user does to an item by mouse or keyboard. Made with the widget as its parent, before the
// widget is first asked for its accessible interface; the widget's own interface becomes a
// list of these items.
class AccessibleItems : public QObject {
  public:
    explicit AccessibleItems(QWidget* widget);
    ~AccessibleItems() override;

    AccessibleItems(const AccessibleItems&) = delete;
    AccessibleItems& operator=(const AccessibleItems&) = delete;

    QWidget* widget() const { return mWidget; }
    // The items of `object`, or null when it has none.
    static AccessibleItems* of(const QObject* object);

    virtual int count() const = 0;
    virtual QString name(int item) const = 0;
    virtual QString description(int item) const = 0;
    virtual QAccessible::State state(int item) const = 0;
    // The item's place in the widget's own coordinates.
    virtual QRect rect(int item) const = 0;
    // The item becomes the current one, as a click on it makes it.
    virtual void activate(int item) = 0;
    // The item's check turns over, as a click on its box does; an item without one ignores it.
    virtual void toggle(int item) = 0;

    // Tell a listening assistive technology that `item` has the focus, or that the selection
    // among the items changed.
    void announceFocus(int item) const;
    void announceSelection() const;

  private:
    QPointer<QWidget> mWidget;
    // The widget's address, the registry's key: still known while the widget dies.
    const QObject* mKey;
};

// Tells assistive technologies that `window`, a plain widget made a window, is a window of
// its own (a frame, as the editor's main window is) rather than a filler inside another.
void exposeAsWindow(QWidget* window);

} // namespace korvland
