#include "ui/tables/ownership_window.h"

#include "document/landmark_document.h"
#include "ui/common/record_format.h"
#include "ui/common/window_sight.h"
#include "ui/tables/caption_label.h"
#include "ui/tables/ownership_access.h"
#include "ui/tables/table_style.h"

#include <QCoreApplication>
#include <QKeyEvent>
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

// What a count says it selects, per row (Allied, German) and column: whole sentences, as the
// side's word and the landmark's take different forms with the count in other languages; the
// forms for one and for more come from the translation's plural forms.
struct CellTexts {
    const char* select; // the tool tip of a count above none: "Select the %n Allied bridges"
    const char* none;   // "No Allied bridges"
    const char* choice; // what the status table then keeps to: "the %n Allied bridges"
};
constexpr std::array<std::array<CellTexts, kOwnershipColumnCount>, 2> kCellTexts{
    {{{{//: The tool tip of a count of one or more that selects what it counts: "Select the
        //: Allied airfield" for one, "Select the %n Allied airfields" for more.
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied airfields"),
        //: The tool tip of a count of none.
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied airfields"),
        //: What the status table keeps to, shown in its filter row as "Only %1" (korvland::FilterRow):
        //: use the case that follows "Only". "the Allied airfield" for one, "the %n Allied airfields" for
        //: more.
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied airfields")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied cities"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied cities")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied supply landmarks"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied supply landmarks")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied train stations"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied train stations")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied bridges"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied bridges")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied factories"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied factories")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied towns"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied towns")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied villages"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied villages")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n Allied blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No Allied blank landmarks"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n Allied blank landmarks")}}},
     {{{QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German airfields"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German airfields"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German airfields")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German cities"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German cities"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German cities")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German supply landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German supply landmarks"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German supply landmarks")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German train stations"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German train stations"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German train stations")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German bridges"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German bridges"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German bridges")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German factories"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German factories"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German factories")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German towns"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German towns"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German towns")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German villages"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German villages"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German villages")},
       {QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "Select the %n German blank landmarks"),
        QT_TRANSLATE_NOOP("korvland::OwnershipWindow", "No German blank landmarks"),
        QT_TRANSLATE_N_NOOP("korvland::OwnershipWindow", "the %n German blank landmarks")}}}}};

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

QString translated(const char* source, unsigned count) {
    return QCoreApplication::translate("korvland::OwnershipWindow", source, nullptr, static_cast<int>(count));
}

// The tool tip of a cell counting `count` landmarks.
QString cellHint(std::size_t row, std::size_t column, unsigned count) {
    const CellTexts& texts = kCellTexts[row][column];
    return count == 0 ? translated(texts.none) : translated(texts.select, count);
}

// The landmarks a cell counting `count` (at least one) selects: "the 4 Allied bridges".
QString cellChoice(std::size_t row, std::size_t column, unsigned count) {
    return translated(kCellTexts[row][column].choice, count);
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
    // Named after its accessible table is made: naming it earlier would make the plain one.
    grid->setAccessibleName(windowTitle());
    layout->addWidget(grid);

    // Placed by its frame's corner once the layout has fixed its size.
    layout->activate();
    move(205, 575);
}

void OwnershipWindow::createGrid(QWidget* grid) {
    OwnershipGridCells cells;
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
    cells.labels[0][0] = caption(tr("Owner"), windowText, true, kRowCaption, kRowTops[0]);
    for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
        // Aqua, white and yellow, light on the light window, get a dark outline of their own.
        const bool blanks = column == kOwnershipColumnCount - 1;
        cells.labels[0][column + 1] = caption(translated(kColumnTitles[column]),
                                              blanks ? windowText : colourFromBgr(kColumnColours[column]),
                                              blanks, kColumnCaptions[column], kRowTops[0]);
    }

    for (std::size_t row = 0; row < 2; ++row) {
        const int top = kRowTops[row + 1];
        cells.labels[row + 1][0] = caption(translated(kRowCaptions[row]), windowText, true, kRowCaption, top);
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
            const OwnershipCell where{static_cast<OwnershipRow>(row), column};
            auto* cell = new CountCell(grid, [this, where] { selectCell(where); });
            cell->setObjectName(kRowNames[row] + QStringLiteral("Count") + QString::number(column));
            cell->setAlignment(Qt::AlignCenter);
            cell->setGeometry(kCountCells[column].left, top, kCountCells[column].width, kCellHeight);
            mCells[row][column] = cell;
            cells.labels[row + 1][column + 1] = cell;
            showCount(row, column, 0);
        }
    }
    cells.pressed = [this](int row, int column) {
        selectCell({static_cast<OwnershipRow>(row), static_cast<std::size_t>(column)});
    };
    makeAccessibleTable(grid, cells);
}

void OwnershipWindow::keyPressEvent(QKeyEvent* event) {
    // Escape empties the selection here as on the map and in the status table.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        mContext.document.selectNone();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
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
