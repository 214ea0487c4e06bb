#include "tables/status_window.h"

#include "app/window_sight.h"
#include "data/landmark_kind.h"
#include "data/text_codec.h"
#include "document/landmark_document.h"
#include "editor/record_format.h"
#include "tables/check_list.h"
#include "tables/table_style.h"

#include <QHideEvent>
#include <QScopedValueRollback>

namespace korvland {

namespace {

constexpr int kColumns = 3;
constexpr int kRowHeight = 16;
constexpr BgrColour kOtherSideColour = 0x000000; // black

} // namespace

TForm6::TForm6(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Landmarks Status Table"));
    setFont(tableFont());
    move(470, 653);
    resize(391, 218);

    CLBox1 = new CheckList(kColumns, kRowHeight, this);
    CLBox1->setObjectName(QStringLiteral("CLBox1"));
    // The list is drawn on the window's colour, not the usual white of a list.
    QPalette palette = CLBox1->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    CLBox1->setPalette(palette);

    connect(CLBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        // Only a tick or an untick by the user reaches here: the rows' other data is set
        // while the table fills, quietly.
        if (mQuiet)
            return;
        if (CLBox1->currentItem() != item) {
            const QScopedValueRollback quiet(mQuiet, true);
            CLBox1->setCurrentItem(item);
        }
        CLBox1ClickCheck();
    });
    connect(CLBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!mQuiet && row >= 0)
            CLBox1Click();
    });
    // A click on the row already selected selects it again.
    connect(CLBox1, &QAbstractItemView::clicked, this, [this] { CLBox1Click(); });
}

bool TForm6::hasRow(int index) const {
    return index >= 0 && index < CLBox1->count();
}

void TForm6::setRowTicked(int index, bool ticked) {
    if (!hasRow(index))
        return;
    const QScopedValueRollback quiet(mQuiet, true);
    CLBox1->item(index)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TForm6::selectRow(int index) {
    if (!hasRow(index))
        return;
    const QScopedValueRollback quiet(mQuiet, true);
    CLBox1->setCurrentRow(index);
    CLBox1->scrollToItem(CLBox1->item(index));
}

int TForm6::selectedRow() const {
    return CLBox1->currentRow();
}

void TForm6::Button1Click() {
    const LandmarkSet& set = mContext.document.set();
    {
        const QScopedValueRollback quiet(mQuiet, true);
        CLBox1->clear();
        const QColor allied = colourFromBgr(kAlliedColour);
        const QColor other = colourFromBgr(kOtherSideColour);
        for (std::size_t i = 0; i < set.recordCount(); ++i) {
            const LandmarkRecord& record = set.record(i);
            const QString name = QString::fromStdString(decodeCp1252(record.nameBytes()));
            auto* item = new QListWidgetItem(name);
            // A long name is cut at the column's edge; its hint gives it whole.
            item->setToolTip(name);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setForeground(isAllied(record.side) ? allied : other);
            item->setCheckState(set.disabledFlag(i) == 0 ? Qt::Checked : Qt::Unchecked);
            CLBox1->addItem(item);
        }
    }
    // The current record's row starts selected: the keyboard starts there, and the list
    // does not pick its first row by itself (and run the click handling on it) when it
    // takes the focus.
    selectRow(set.currentIndex());
    fitListToWholeRows();
    emit inSightChanged(true);
    bringIntoSight(*this);
}

void TForm6::CLBox1ClickCheck() {
    applyClick(CLBox1->currentRow());
}

void TForm6::CLBox1Click() {
    applyClick(CLBox1->currentRow());
}

void TForm6::applyClick(int row) {
    LandmarkDocument& document = mContext.document;
    // Rows of a file read since the last filling are not the set's records.
    if (row < 0 || row >= document.recordCount() || !hasRow(row))
        return;
    // A record of type 6 cannot be switched on here: its tick goes at once, and a
    // profile's flag 2 becomes a plain "off" as an untick would make it.
    const bool ticked = CLBox1->item(row)->checkState() == Qt::Checked;
    const bool refused = document.setActive(row, ticked) == LandmarkDocument::ActiveEdit::Refused;
    if (refused)
        document.setActive(row, false);
    if (!ticked || refused)
        setRowTicked(row, false);
    // The one road of selection: the editor's refresh shows the flag in "Active Landmark"
    // without running that group's change handling, then the map and the ownership table
    // follow.
    document.select(row);
    // A tick that went at once says why, where the operator looks for notices.
    if (refused)
        emit noticeRaised(typeSixStaysOffNotice());
}

void TForm6::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The close box and a file read hide the table; minimising it (a hide by the window
    // system) does not give the button back.
    if (event->spontaneous())
        return;
    emit inSightChanged(false);
}

void TForm6::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Minimised, the table is out of sight: "Table" brings it back. Restored, it is shown again.
    if (event->type() == QEvent::WindowStateChange && !isHidden())
        emit inSightChanged(!isMinimized());
}

void TForm6::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitListToWholeRows();
}

void TForm6::fitListToWholeRows() {
    CLBox1->setGeometry(0, 0, width(), CLBox1->heightForRows(height()));
}

} // namespace korvland
