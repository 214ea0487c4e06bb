#include "ui/tables/ownership_window.h"

#include "document/landmark_document.h"
#include "ui/common/record_format.h"
#include "ui/common/window_sight.h"
#include "ui/tables/caption_label.h"
#include "ui/tables/table_style.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

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

// What a count says it selects, per row (Allied, German) and column: whole sentences, as
// the side's word and the landmark's take different forms with the count in other languages.
struct CellTexts {
    const char* selectMany; // the tool tip of a count above one: "Select the %1 Allied bridges"
    const char* selectOne;  // "Select the Allied bridge"
    const char* none;       // "No Allied bridges"
    const char* many;       // what the status table then keeps to: "the %1 Allied bridges"
    const char* one;        // "the Allied bridge"
};
constexpr std::array<std::array<CellTexts, kOwnershipColumnCount>, 2> kCellTexts{
    {{{{//: %1 is a number above one: the tool tip of a count that selects what it counts.
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied airfields"),
        //: The tool tip of a count of one that selects the landmark it counts.
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied airfield"),
        //: The tool tip of a count of none.
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied airfields"),
        //: %1 is a number above one. What the status table keeps to, shown in its filter row
        //: as "Only %1" (korvland::FilterRow): use the case that follows "Only".
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied airfields"),
        //: What the status table keeps to, shown in its filter row as "Only %1"
        //: (korvland::FilterRow): use the case that follows "Only".
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied airfield")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied city"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied city")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied supply landmark"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied supply landmark")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied train station"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied train station")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied bridge"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied bridge")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied factory"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied factory")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied town"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied town")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied village"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied village")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 Allied blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the Allied blank landmark"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 Allied blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the Allied blank landmark")}}},
     {{{QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German airfields"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German airfield"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German airfields"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German airfields"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German airfield")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German city"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German city")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German supply landmark"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German supply landmark")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German train station"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German train station")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German bridge"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German bridge")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German factory"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German factory")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German town"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German town")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German village"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German village")},
       {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the %1 German blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Select the German blank landmark"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the %1 German blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "the German blank landmark")}}}}};

// The captions of the columns, as the data layer names them (checked below); a language may
// shorten them to fit the cells.
constexpr const char* kColumnTitles[] = {QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Airfields"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Cities"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Supply"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Train Stations"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Bridges"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Factories"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Towns"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Villages"),
                                         QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Blanks")};
static_assert(std::size(kColumnTitles) == kOwnershipColumnCount);
constexpr bool titlesMatchColumns() {
    for (std::size_t column = 0; column < kOwnershipColumnCount; ++column)
        if (std::string_view(kColumnTitles[column]) != kOwnershipColumns[column])
            return false;
    return true;
}
static_assert(titlesMatchColumns());

// The rows' objectNames, and their captions.
const QString kRowNames[] = {QStringLiteral("Allied"), QStringLiteral("German")};
constexpr const char* kRowCaptions[] = {
    //: Row caption of the ownership table: the landmarks the Allied side owns.
    QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "Allied"),
    //: Row caption of the ownership table: the landmarks the German side owns.
    QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "German")};

// The width from `left` to the next rule or the grid's edge.
int roomRightOf(int left) {
    for (const int x : kVerticalRules)
        if (x > left)
            return x - left;
    return kClientWidth - left;
}

QString translated(const char* source) {
    return QCoreApplication::translate("korvland::OwnershipWindow", source);
}

// The tool tip of a cell counting `count` landmarks.
QString cellHint(std::size_t row, std::size_t column, unsigned count) {
    const CellTexts& texts = kCellTexts[row][column];
    if (count == 0)
        return translated(texts.none);
    if (count == 1)
        return translated(texts.selectOne);
    return translated(texts.selectMany).arg(count);
}

// The landmarks a cell counting `count` (at least one) selects: "the 4 Allied bridges".
QString cellChoice(std::size_t row, std::size_t column, unsigned count) {
    const CellTexts& texts = kCellTexts[row][column];
    if (count == 1)
        return translated(texts.one);
    return translated(texts.many).arg(count);
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

} // namespace

OwnershipWindow::OwnershipWindow(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QLatin1String(ownership_names::kWindow));
    setWindowTitle(tr("Active Landmark Ownership Table"));
    // A fixed window with a close box and nothing else in its title bar.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(tableFont());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    mMenuBar = new QMenuBar(this);
    //: Menu bar command: counts the landmarks again.
    mRecountAction = mMenuBar->addAction(tr("Update Data"));
    mRecountAction->setObjectName(QLatin1String(ownership_names::kRecountAction));
    connect(mRecountAction, &QAction::triggered, this, &OwnershipWindow::recount);
    //: Menu bar command: hides the ownership table.
    mCloseAction = mMenuBar->addAction(tr("Close"));
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
        // A caption that would reach the next rule (another language's longer word) takes the
        // room up to two pixels before it, and is drawn narrower where even that is too little.
        const int wanted = QFontMetrics(label->font()).horizontalAdvance(text) + 2;
        const int room = roomRightOf(span.left) - 2;
        const int width = wanted <= std::min(span.width, room) ? span.width : std::min(wanted, room);
        label->setGeometry(span.left, top, width, kCellHeight);
        return label;
    };
    const QColor windowText = palette().color(QPalette::WindowText);
    //: Caption above the row captions "Allied" and "German": the side that owns the landmarks.
    caption(tr("Owner"), windowText, true, kRowCaption, kRowTops[0]);
    for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
        // Aqua, white and yellow, light on the light window, get a dark outline of their own.
        const bool blanks = column == kOwnershipColumnCount - 1;
        caption(translated(kColumnTitles[column]),
                blanks ? windowText : colourFromBgr(kColumnColours[column]), blanks, kColumnCaptions[column],
                kRowTops[0]);
    }

    for (std::size_t row = 0; row < 2; ++row) {
        const int top = kRowTops[row + 1];
        caption(translated(kRowCaptions[row]), windowText, true, kRowCaption, top);
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
    cell->setToolTip(cellHint(row, column, count));
    if (count == 0)
        cell->unsetCursor();
    else
        cell->setCursor(Qt::PointingHandCursor);
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
    document.filterToSelection(cellChoice(row, cell.column, count));
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
