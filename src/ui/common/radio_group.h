#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace korvland {

// A framed group of radio items laid out in columns, its caption centred on top.
// Selecting an item from code sends nothing; the user's choice of another item (by click,
// key or assistive technology) sends itemChanged, and any click of the user in the group
// sends clicked.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const { return mItemIndex; }
    // Without notification.
    void setItemIndex(int index);

    int count() const { return static_cast<int>(mButtons.size()); }
    QRadioButton* button(int index) const { return mButtons.at(static_cast<std::size_t>(index)); }
    void setItemFont(const QFont& font);

  signals:
    void itemChanged(int index);
    void clicked();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void userClicked(int index);
    void layoutItems();

    QButtonGroup* mGroup = nullptr;
    std::vector<QRadioButton*> mButtons;
    int mColumns = 1;
    int mItemIndex = -1;
    // Set while setItemIndex checks a button: that choice is not the user's.
    bool mSettingItem = false;
};

} // namespace korvland
