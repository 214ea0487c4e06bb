#include "ui/common/accessible_items.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace korvland {

namespace {

QHash<const QObject*, AccessibleItems*>& registry() {
    static QHash<const QObject*, AccessibleItems*> items;
    return items;
}

// One item: no object of its own, everything asked of its owner at the moment it is asked.
class AccessibleItem : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    AccessibleItem(AccessibleItems* items, int item) : mItems(items), mItem(item) {}

    int item() const { return mItem; }
    bool isValid() const override { return mItems && mItems->widget() && mItem < mItems->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return isValid() ? mItems->widget()->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return isValid() ? QAccessible::queryAccessibleInterface(mItems->widget()) : nullptr;
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return mItems->name(mItem);
        if (t == QAccessible::Description)
            return mItems->description(mItem);
        return {};
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = mItems->rect(mItem);
        return {mItems->widget()->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        if (isValid())
            return mItems->state(mItem);
        QAccessible::State gone;
        gone.invalid = true;
        return gone;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override {
        QStringList names{pressAction(), setFocusAction()};
        if (isValid() && mItems->state(mItem).checkable)
            names.append(toggleAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (!isValid())
            return;
        if (action == toggleAction())
            mItems->toggle(mItem);
        else if (action == pressAction() || action == setFocusAction())
            mItems->activate(mItem);
    }
    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }

  private:
    QPointer<AccessibleItems> mItems;
    int mItem;
};

// The widget as a list of its items.
class AccessibleItemList : public QAccessibleWidget {
  public:
    AccessibleItemList(QWidget* widget, AccessibleItems* items)
        : QAccessibleWidget(widget, QAccessible::List), mItems(items) {}
    ~AccessibleItemList() override {
        for (const QAccessible::Id id : mChildren)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
    }
    AccessibleItemList(const AccessibleItemList&) = delete;
    AccessibleItemList& operator=(const AccessibleItemList&) = delete;

    int childCount() const override { return mItems ? mItems->count() : 0; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        const auto at = static_cast<std::size_t>(index);
        if (mChildren.size() <= at)
            mChildren.resize(at + 1, 0);
        if (mChildren[at] == 0)
            mChildren[at] = QAccessible::registerAccessibleInterface(new AccessibleItem(mItems, index));
        return QAccessible::accessibleInterface(mChildren[at]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* item = dynamic_cast<const AccessibleItem*>(child);
        return item && item->item() < childCount() ? item->item() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        // The last item is drawn above the earlier ones.
        for (int index = childCount() - 1; index >= 0; --index)
            if (!mItems->state(index).invisible && mItems->rect(index).contains(local))
                return child(index);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        for (int index = 0; index < childCount(); ++index)
            if (mItems->state(index).focused)
                return child(index);
        return nullptr;
    }

  private:
    QPointer<AccessibleItems> mItems;
    mutable std::vector<QAccessible::Id> mChildren;
};

QAccessibleInterface* makeItemList(const QString& /*className*/, QObject* object) {
    AccessibleItems* items = AccessibleItems::of(object);
    return items ? new AccessibleItemList(items->widget(), items) : nullptr;
}

constexpr char kWindowProperty[] = "korvlandAccessibleWindow";

QAccessibleInterface* makeWindow(const QString& /*className*/, QObject* object) {
    if (!object->isWidgetType() || !object->property(kWindowProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

} // namespace

void exposeAsWindow(QWidget* window) {
    static const bool installed = [] {
        QAccessible::installFactory(makeWindow);
        return true;
    }();
    (void)installed;
    window->setProperty(kWindowProperty, true);
}

AccessibleItems::AccessibleItems(QWidget* widget) : QObject(widget), mWidget(widget), mKey(widget) {
    static const bool installed = [] {
        QAccessible::installFactory(makeItemList);
        return true;
    }();
    (void)installed;
    registry().insert(widget, this);
}

AccessibleItems::~AccessibleItems() {
    registry().remove(mKey);
}

AccessibleItems* AccessibleItems::of(const QObject* object) {
    return registry().value(object, nullptr);
}

void AccessibleItems::announceFocus(int item) const {
    if (!QAccessible::isActive() || !mWidget || item < 0 || item >= count())
        return;
    QAccessibleEvent event(mWidget.data(), QAccessible::Focus);
    event.setChild(item);
    QAccessible::updateAccessibility(&event);
}

void AccessibleItems::announceSelection() const {
    if (!QAccessible::isActive() || !mWidget)
        return;
    QAccessibleEvent event(mWidget.data(), QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}

} // namespace korvland
