#include "ui/tables/ownership_window.h"

#include "document/landmark_document.h"
#include "ui/common/record_format.h"
#include "ui/common/window_sight.h"
#include "ui/tables/caption_label.h"
#include "ui/tables/table_style.h"

#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <functional>

namespace korvland {

namespace {

constexpr int kClientWidth = 633;
constexpr int kClientHeight = 75;
constexpr int kCellHeight = 25;
constexpr int kRowTops[] = {0, 24, 48};
constexpr int kHorizontalRules[] = {24, 48};
constexpr int kVerticalRules[] = {56, 121, 169, 225, 321, 377, 441, 497, 553};

struct Span {
    int left, width;
};
constexpr Span kRowCaption{0, 46};
constexpr Span kColumnCaptions[] = {{64, 46},  {128, 46}, {176, 46}, {232, 89}, {328, 46},
                                    {384, 57}, {448, 46}, {504, 46}, {560, 65}};
constexpr Span kCountCells[] = {{56, 65},  {112, 65}, {168, 65}, {224, 97}, {320, 57},
                                {376, 65}, {440, 57}, {496, 57}, {552, 65}};
static_assert(std::size(kColumnCaptions) == kOwnershipColumnCount);
static_assert(std::size(kCountCells) == kOwnershipColumnCount);

// Caption colours of the columns (0xBBGGRR); "Blanks" has the window's text colour.
constexpr BgrColour kColumnColours[] = {0xFFFF00, 0xFFFFFF, 0x800000, 0x0000FF,
                                        0x00FFFF, 0x000080, 0x808080, 0x800080};

// What one of each column's landmarks and many of them are called in a sentence.
struct ColumnNouns {
    const char* one;
    const char* many;
};
constexpr ColumnNouns kColumnNouns[] = {{"airfield", "airfields"},
                                        {"city", "cities"},
                                        {"supply landmark", "supply landmarks"},
                                        {"train station", "train stations"},
                                        {"bridge", "bridges"},
                                        {"factory", "factories"},
                                        {"town", "towns"},
                                        {"village", "villages"},
                                        {"blank landmark", "blank landmarks"}};
static_assert(std::size(kColumnNouns) == kOwnershipColumnCount);

const QString kRowNames[] = {QStringLiteral("Allied"), QStringLiteral("German")};

// "the 4 Allied bridges", "the Allied bridge", "no Allied bridges".
QString cellWords(std::size_t row, std::size_t column, unsigned count) {
    const ColumnNouns& nouns = kColumnNouns[column];
    const QString side = kRowNames[row] + QLatin1Char(' ');
    if (count == 0)
        return QStringLiteral("no ") + side + QLatin1String(nouns.many);
    if (count == 1)
        return QStringLiteral("the ") + side + QLatin1String(nouns.one);
    return QStringLiteral("the %1 ").arg(count) + side + QLatin1String(nouns.many);
}

// A count that selects what it counts when clicked.
class CountCell : public QLabel {
  public:
    CountCell(QWidget* parent, std::function<void()> clicked)
        : QLabel(parent), mClicked(std::move(clicked)) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            mClicked();
            return;
        }
        QLabel::mouseReleaseEvent(event);
    }

  private:
    std::function<void()> mClicked;
};

// The client area: cells separated by thin etched lines.
class OwnershipGrid : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        for (const int y : kHorizontalRules)
            qDrawShadeLine(&painter, 0, y, width(), y, palette(), true, 1, 0);
        for (const int x : kVerticalRules)
            qDrawShadeLine(&painter, x, 0, x, height(), palette(), true, 1, 0);
    }
};

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

OwnershipWindow::OwnershipWindow(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QLatin1String(ownership_names::kWindow));
    setWindowTitle(QStringLiteral("Active Landmark Ownership Table"));
    // A fixed window with a close box and nothing else in its title bar.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(tableFont());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    mMenuBar = new QMenuBar(this);
    mRecountAction = mMenuBar->addAction(QStringLiteral("Update Data"));
    mRecountAction->setObjectName(QLatin1String(ownership_names::kRecountAction));
    connect(mRecountAction, &QAction::triggered, this, &OwnershipWindow::recount);
    mCloseAction = mMenuBar->addAction(QStringLiteral("Close"));
    mCloseAction->setObjectName(QLatin1String(ownership_names::kCloseAction));
    connect(mCloseAction, &QAction::triggered, this, &OwnershipWindow::closeCommand);
    layout->setMenuBar(mMenuBar);

    auto* grid = new OwnershipGrid(this);
    grid->setObjectName(QLatin1String(ownership_names::kGrid));
    grid->setFixedSize(kClientWidth, kClientHeight);
    createGrid(grid);
    layout->addWidget(grid);

    // Placed by its frame's corner once the layout has fixed its size.
    layout->activate();
    move(205, 575);
}

void OwnershipWindow::createGrid(QWidget* grid) {
    const auto caption = [grid](const QString& text, const QColor& colour, bool raised, Span span, int top) {
        auto* label = new CaptionLabel(text, colour, raised, grid);
        label->setFont(tableBoldFont());
        label->setGeometry(span.left, top, span.width, kCellHeight);
        return label;
    };
    const QColor windowText = palette().color(QPalette::WindowText);
    caption(QStringLiteral("Owner"), windowText, true, kRowCaption, kRowTops[0]);
    for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
        // Aqua, white and yellow, light on the light window, get a dark outline of their own.
        const bool blanks = column == kOwnershipColumnCount - 1;
        caption(qText(kOwnershipColumns[column]), blanks ? windowText : colourFromBgr(kColumnColours[column]),
                blanks, kColumnCaptions[column], kRowTops[0]);
    }

    for (std::size_t row = 0; row < 2; ++row) {
        const int top = kRowTops[row + 1];
        caption(kRowNames[row], windowText, true, kRowCaption, top);
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
            const OwnershipCell where{static_cast<OwnershipRow>(row), column};
            auto* cell = new CountCell(grid, [this, where] { selectCell(where); });
            cell->setObjectName(kRowNames[row] + QStringLiteral("Count") + QString::number(column));
            cell->setAlignment(Qt::AlignCenter);
            cell->setGeometry(kCountCells[column].left, top, kCountCells[column].width, kCellHeight);
            mCells[row][column] = cell;
            showCount(row, column, 0);
        }
    }
}

void OwnershipWindow::showCount(std::size_t row, std::size_t column, unsigned count) {
    QLabel* cell = mCells[row][column];
    cell->setText(QString::number(count));
    // The program's hint presenter shows a widget's tool tip.
    if (count == 0) {
        QString words = cellWords(row, column, count);
        words[0] = words[0].toUpper();
        cell->setToolTip(words);
        cell->unsetCursor();
    } else {
        cell->setToolTip(QStringLiteral("Select ") + cellWords(row, column, count));
        cell->setCursor(Qt::PointingHandCursor);
    }
}

void OwnershipWindow::selectCell(OwnershipCell cell) {
    // The counts shown may be older than the last edits: the cell's count and what it
    // selects are made the same.
    recount();
    const auto row = static_cast<std::size_t>(cell.row);
    const unsigned count = mShown.at(cell.row, cell.column);
    if (count == 0)
        return;
    LandmarkDocument& document = mContext.document;
    document.selectOwnershipCell(cell);
    document.filterToSelection(cellWords(row, cell.column, count));
}

void OwnershipWindow::recount() {
    const OwnershipCounts counts = countOwnership(mContext.document.set());
    for (std::size_t row = 0; row < 2; ++row)
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column)
            if (counts.cells[row][column] != mShown.cells[row][column])
                showCount(row, column, counts.cells[row][column]);
    mShown = counts;
    emit recounted();
}

void OwnershipWindow::showOnCommand() {
    bringIntoSight(*this);
    recount();
}

void OwnershipWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Selections made while the table was minimised did not recount it.
    recount();
}

void OwnershipWindow::closeCommand() {
    hide();
}

} // namespace korvland
