#include "ui/editor/editor_window.h"

#include "data/landmark_kind.h"
#include "data/text_codec.h"
#include "ui/common/alt_letter_guard.h"
#include "ui/common/data_texts.h"
#include "ui/common/dialogs.h"
#include "ui/common/kind_label.h"
#include "ui/common/radio_group.h"
#include "ui/common/record_format.h"
#include "ui/common/up_down.h"
#include "ui/editor/find_bar.h"
#include "ui/editor/name_validator.h"
#include "ui/editor/path_label.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <utility>

namespace korvland {

namespace {

constexpr BgrColour kMaroon = 0x000080;
constexpr int kClientWidth = 460;

// A regular face at the window's pixel height; set outright, so that boxes inside a bold
// group stay regular.
QFont regularFont(const QString& family) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

// The texts of the window are laid out for a font of this pixel height: the family
// metric-compatible with Arial fits every caption into its place.
QFont windowFont() {
    return regularFont(QStringLiteral("Liberation Sans"));
}

// The face of the number boxes and the clock: the widest coordinate ("-1.23456789E+10"),
// a four-digit record number with its separator and the longest date fit their boxes.
QFont narrowFont() {
    return regularFont(QStringLiteral("Liberation Sans Narrow"));
}

QFont boldFont(int pixelSize) {
    QFont font = windowFont();
    font.setFamily(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* addLabel(QWidget* parent, const QString& text, int x, int y, bool maroon = true) {
    auto* label = new QLabel(text, parent);
    // Labels show file paths and marker names: a "<i>" in a folder's name is no markup.
    label->setTextFormat(Qt::PlainText);
    if (maroon)
        setTextColour(label, colourFromBgr(kMaroon));
    label->adjustSize();
    label->move(x, y);
    return label;
}

QLineEdit* addEdit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    return edit;
}

QGroupBox* addGroup(QWidget* parent, const QString& caption, const QRect& geometry) {
    auto* group = new QGroupBox(caption, parent);
    group->setAlignment(Qt::AlignHCenter);
    group->setFont(boldFont(11));
    group->setGeometry(geometry);
    return group;
}

// The client area below the menu; it keeps the rule under the menu as wide as itself.
class EditorPanel : public QWidget {
  public:
    using QWidget::QWidget;
    QFrame* rule = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (rule)
            rule->setGeometry(0, 0, width(), 9);
    }
};

} // namespace

EditorWindow::EditorWindow(AppContext& context, QWidget* parent) : QMainWindow(parent), mContext(context) {
    setObjectName(QLatin1String(editor_names::kWindow));
    // The caption's "[*]" shows unsaved changes, also before an open names the file: restored
    // work is modified before the caption names it.
    setWindowTitle(applicationTitle() + QStringLiteral("[*]"));
    connect(&mContext.document, &LandmarkDocument::modifiedChanged, this, &QWidget::setWindowModified);
    // Another program's change of the file being edited is told once, until it is read again.
    connect(&mContext.document, &LandmarkDocument::fileChangedOnDisk, this,
            &EditorWindow::noticeChangeOnDisk);
    connect(&mContext.document, &LandmarkDocument::setReplaced, this, &EditorWindow::endChangeNotice);
    setFont(windowFont());
    move(742, 181);
    resize(468, 326);
    createControls();
    createMenu();
}

EditorWindow::~EditorWindow() {
    // Closing the window moves the focus out of a hex box, whose leaving would otherwise
    // reach this half-destroyed window.
    for (QLineEdit* box : {mTypeBox, mSubTypeBox})
        box->disconnect(this);
    // The recent-files list reaches the settings file only when the program ends.
    if (!mRecentFilesSaved)
        saveRecentFiles();
}

// The controls in their designed places read best as one list, in the order they appear.
// NOLINTNEXTLINE(readability-function-size)
void EditorWindow::createControls() {
    auto* panel = new EditorPanel(this);
    panel->setObjectName(QLatin1String(editor_names::kClient));
    setCentralWidget(panel);
    panel->rule = new QFrame(panel);
    panel->rule->setFrameShape(QFrame::HLine);
    panel->rule->setFrameShadow(QFrame::Sunken);
    panel->rule->setGeometry(0, 0, kClientWidth, 9);

    addLabel(panel, tr("File being edited:"), 8, 8);
    auto* pathLabel = new PathLabel(panel);
    setTextColour(pathLabel, colourFromBgr(kMaroon));
    pathLabel->adjustSize();
    mPathLabel = pathLabel;
    mPathLabel->setObjectName(QLatin1String(editor_names::kPathLabel));
    mPathLabel->setGeometry(96, 8, kClientWidth - 96 - 4, mPathLabel->height());

    mRecordGroup = addGroup(panel, tr("Record Number"), {8, 24, 97, 41});
    mRecordGroup->setObjectName(QLatin1String(editor_names::kRecordGroup));
    mRecordNumberBox = addEdit(mRecordGroup, editor_names::kRecordNumberBox, {8, 16, 33, 21});
    mRecordNumberBox->setFont(narrowFont());
    mRecordNumberBox->setText(QStringLiteral("100"));
    mRecordStepper = new UpDown(mRecordGroup);
    mRecordStepper->setObjectName(QLatin1String(editor_names::kRecordStepper));
    mRecordStepper->setGeometry(41, 16, 48, 21);
    mRecordStepper->setBuddy(mRecordNumberBox);
    // The arrows show no text: a screen reader reads these.
    //: Accessible name of the spinner's left arrow.
    mRecordStepper->downButton()->setAccessibleName(tr("Previous record"));
    //: Accessible name of the spinner's right arrow.
    mRecordStepper->upButton()->setAccessibleName(tr("Next record"));
    connect(mRecordStepper, &UpDown::changing, this, &EditorWindow::selectRecord);
    connect(mRecordStepper, &UpDown::clicked, this, &EditorWindow::selectNumberedRecord);
    connect(mRecordNumberBox, &QLineEdit::textChanged, this, &EditorWindow::recordNumberTyped);
    // Return or leaving the box puts back the number of the record on screen when the
    // text names no record.
    connect(mRecordNumberBox, &QLineEdit::editingFinished, mRecordStepper, &UpDown::showPositionInBuddy);

    //: The group that switches the current landmark on ("Yes") or off ("No").
    mActiveGroup = new RadioGroup(tr("Active Landmark"), {tr("Yes"), tr("No")}, 2, panel);
    mActiveGroup->setObjectName(QLatin1String(editor_names::kActiveGroup));
    mActiveGroup->setFont(boldFont(11));
    mActiveGroup->setItemFont(boldFont(11));
    mActiveGroup->setGeometry(112, 24, 121, 41);
    mActiveGroup->setItemIndex(1);
    connect(mActiveGroup, &RadioGroup::itemChanged, this, &EditorWindow::activeStateChosen);
    connect(mActiveGroup, &RadioGroup::clicked, this, &EditorWindow::activeGroupClicked);

    mTypeGroup = addGroup(panel, tr("Landmark Type"), {240, 24, 105, 41});
    mTypeGroup->setObjectName(QLatin1String(editor_names::kTypeGroup));
    mKindLabel = new KindLabel(mTypeGroup);
    mKindLabel->setObjectName(QLatin1String(editor_names::kKindLabel));
    mKindLabel->setGeometry(0, 8, 105, 33);
    mKindLabel->setAlignment(Qt::AlignCenter);
    mKindLabel->setFont(boldFont(11));
    setTextColour(mKindLabel, colourFromBgr(kMaroon));

    mTableButton = new QPushButton(
        //: Opens the status table of all landmarks.
        tr("Table"), panel);
    mTableButton->setObjectName(QLatin1String(editor_names::kTableButton));
    mTableButton->setGeometry(352, 32, 73, 33);
    mTableButton->setEnabled(false);
    connect(mTableButton, &QPushButton::clicked, this, &EditorWindow::tableButtonClicked);

    //: Followed by the region of the file, e.g. "Western Front".
    addLabel(panel, tr("Location:"), 16, 72);
    mRegionLine = addLabel(panel, QString(), 64, 72);
    mRegionLine->setObjectName(QLatin1String(editor_names::kRegionLine));
    mRegionLine->setGeometry(64, 72, 336 - 64 - 4, mRegionLine->height());
    addLabel(panel, tr("# of records:"), 336, 72);
    mRecordCountLabel = addLabel(panel, QString(), 400, 72);
    mRecordCountLabel->setObjectName(QLatin1String(editor_names::kRecordCountLabel));
    mRecordCountLabel->setGeometry(400, 72, kClientWidth - 400 - 4, mRecordCountLabel->height());
    //: Followed by the size of one record in bytes.
    addLabel(panel, tr("Size of records:"), 336, 88);
    mRecordSizeLabel = addLabel(panel, QString(), 416, 88);
    mRecordSizeLabel->setObjectName(QLatin1String(editor_names::kRecordSizeLabel));
    mRecordSizeLabel->setGeometry(416, 88, kClientWidth - 416 - 4, mRecordSizeLabel->height());

    // Each box is its label's buddy: a screen reader names the box by its label.
    QLabel* nameLabel = addLabel(panel, tr("Land Mark Name:"), 16, 96);
    mNameBox = addEdit(panel, editor_names::kNameBox, {112, 93, 169, 21});
    nameLabel->setBuddy(mNameBox);
    mNameBox->setMaxLength(static_cast<int>(kNameSize));
    mNameBox->setValidator(new NameValidator(mNameBox));
    QLabel* idLabel = addLabel(panel, tr("Landmark ID:"), 16, 128);
    mIdBox = addEdit(panel, editor_names::kIdBox, {88, 125, 65, 21});
    idLabel->setBuddy(mIdBox);
    //: The landmark's type byte (a hexadecimal number).
    QLabel* typeLabel = addLabel(panel, tr("Lo File Type:"), 16, 160);
    mTypeBox = addEdit(panel, editor_names::kTypeBox, {80, 157, 41, 21});
    typeLabel->setBuddy(mTypeBox);
    //: The landmark's sub-type byte (a hexadecimal number).
    QLabel* subTypeLabel = addLabel(panel, tr("Lo File No.:"), 16, 184);
    mSubTypeBox = addEdit(panel, editor_names::kSubTypeBox, {80, 184, 41, 21});
    subTypeLabel->setBuddy(mSubTypeBox);
    connect(mNameBox, &QLineEdit::textEdited, this, &EditorWindow::nameEdited);
    connect(mTypeBox, &QLineEdit::textEdited, this, &EditorWindow::typeEdited);
    connect(mSubTypeBox, &QLineEdit::textEdited, this, &EditorWindow::subTypeEdited);
    // Typing into the name after leaving the box is a step of its own.
    connect(mNameBox, &QLineEdit::editingFinished, &mContext.document, &LandmarkDocument::endNameTyping);
    // A byte is two hexadecimal digits: a third digit, a sign or a blank never reaches the
    // record, and a box emptied on the way to another value reports nothing.
    const QRegularExpression hexByte(QStringLiteral("[0-9A-Fa-f]{0,2}"));
    for (QLineEdit* box : {mTypeBox, mSubTypeBox}) {
        box->setValidator(new QRegularExpressionValidator(hexByte, box));
        connect(box, &QLineEdit::editingFinished, this, [this, box] { hexBoxLeft(box); });
    }

    //: The side a landmark belongs to: "German" or "Allied".
    mSideGroup = new RadioGroup(tr("Side:"),
                                {//: The German side (not the language).
                                 tr("German"), tr("Allied")},
                                2, panel);
    mSideGroup->setObjectName(QLatin1String(editor_names::kSideGroup));
    mSideGroup->setFont(boldFont(13));
    mSideGroup->setItemFont(windowFont());
    mSideGroup->setGeometry(16, 208, 153, 33);
    mSideGroup->setItemIndex(0);
    connect(mSideGroup, &RadioGroup::itemChanged, this, &EditorWindow::sideChosen);

    //: North/south coordinate.
    QLabel* northSouthLabel = addLabel(panel, tr("N/S Coord:"), 184, 128);
    mNorthSouthBox = addEdit(panel, editor_names::kNorthSouthBox, {240, 125, 81, 21});
    northSouthLabel->setBuddy(mNorthSouthBox);
    //: East/west coordinate.
    QLabel* eastWestLabel = addLabel(panel, tr("E/W Coord:"), 181, 160);
    mEastWestBox = addEdit(panel, editor_names::kEastWestBox, {240, 157, 81, 21});
    eastWestLabel->setBuddy(mEastWestBox);
    QLabel* elevationLabel = addLabel(panel, tr("Elevation:"), 191, 192);
    mElevationBox = addEdit(panel, editor_names::kElevationBox, {240, 189, 81, 21});
    elevationLabel->setBuddy(mElevationBox);
    QLabel* rotationLabel = addLabel(panel, tr("Rotation:"), 195, 224);
    mRotationBox = addEdit(panel, editor_names::kRotationBox, {240, 221, 81, 21});
    rotationLabel->setBuddy(mRotationBox);
    for (QLineEdit* box : {mNorthSouthBox, mEastWestBox, mElevationBox, mRotationBox})
        box->setFont(narrowFont());
    // Shown, never stored: read-only, so typing cannot look like an edit. The text can
    // still be selected and copied.
    for (QLineEdit* box : {mIdBox, mNorthSouthBox, mEastWestBox, mElevationBox, mRotationBox})
        box->setReadOnly(true);

    // Never shown: the map window writes its pointer readings and the clicked marker's
    // name here.
    //: Never shown: a hidden group the map window writes its pointer readings into.
    mMouseCoordsGroup = addGroup(panel, tr("Mouse Coords"), {336, 104, 105, 137});
    mMouseCoordsGroup->setObjectName(QLatin1String(editor_names::kMouseCoordsGroup));
    mNorthSouthReading = addLabel(mMouseCoordsGroup, tr("n/s location"), 8, 24, false);
    mNorthSouthReading->setObjectName(QLatin1String(editor_names::kNorthSouthReading));
    mEastWestReading = addLabel(mMouseCoordsGroup, tr("e/w location"), 8, 48, false);
    mEastWestReading->setObjectName(QLatin1String(editor_names::kEastWestReading));
    mPointerYReading = addLabel(mMouseCoordsGroup, tr("pointer y"), 8, 72, false);
    mPointerYReading->setObjectName(QLatin1String(editor_names::kPointerYReading));
    mPointerXReading = addLabel(mMouseCoordsGroup, tr("pointer x"), 8, 96, false);
    mPointerXReading->setObjectName(QLatin1String(editor_names::kPointerXReading));
    mMouseCoordsGroup->hide();
    //: Placeholder for the name of the marker last clicked on the map.
    mCurrentControlLabel = addLabel(panel, tr("Current Control"), 16, 256, false);
    mCurrentControlLabel->setObjectName(QLatin1String(editor_names::kCurrentControlLabel));
    mCurrentControlLabel->hide();

    // Under the boxes, where the client area has room to spare; hidden until "Find...".
    mFindBar = new FindBar(mContext.document, panel);
    mFindBar->setGeometry(8, 250, kClientWidth - 16, 25);
    mFindBar->hide();
    connect(mFindBar, &FindBar::closed, this, [this] {
        if (mFindBarGrowth > 0)
            resize(width(), height() - std::exchange(mFindBarGrowth, 0));
        if (mRecordNumberBox->isEnabled())
            mRecordNumberBox->setFocus();
    });

    createStatusBar();
    applyTabOrder();
    AltLetterGuard::guardBoxesIn(this);
    // Nothing to edit until a file has been read.
    setFieldEditsEnabled(false);
}

void EditorWindow::setFieldEditsEnabled(bool enabled) {
    for (QWidget* edit :
         std::initializer_list<QWidget*>{mNameBox, mTypeBox, mSubTypeBox, mSideGroup, mActiveGroup})
        edit->setEnabled(enabled);
}

void EditorWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(25);
    mStandingNotice = tr("Copyright \u00A9 the korvland developers");
    // A notice reads from its start: one too long for the room the other panels leave is cut
    // at its end, and the whole of it is the panel's hint. It never pushes into its neighbours.
    mNoticePanel = new PathLabel(bar);
    mNoticePanel->setObjectName(QLatin1String(editor_names::kNoticePanel));
    mNoticePanel->setElideMode(Qt::ElideRight);
    mNoticePanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    mNoticePanel->setText(mStandingNotice);
    mNoticePanel->setAlignment(Qt::AlignCenter);
    mNoticePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextColour(mNoticePanel, colourFromBgr(kMaroon));
    bar->addWidget(mNoticePanel, 1);
    mSelectionPanel = new QLabel(bar);
    mSelectionPanel->setObjectName(QLatin1String(editor_names::kSelectionPanel));
    mSelectionPanel->setAlignment(Qt::AlignCenter);
    mSelectionPanel->setFont(narrowFont());
    mSelectionPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextColour(mSelectionPanel, colourFromBgr(kMaroon));
    // Room for the largest count, so that the panel keeps its width as the count changes.
    mSelectionPanel->setFixedWidth(
        mSelectionPanel->fontMetrics().horizontalAdvance(selectedText(1024, true)) + 10);
    bar->addPermanentWidget(mSelectionPanel);
    mSelectionPanel->hide();
    mClockPanel = new QLabel(bar);
    mClockPanel->setObjectName(QLatin1String(editor_names::kClockPanel));
    mClockPanel->setAlignment(Qt::AlignCenter);
    mClockPanel->setFixedWidth(130);
    mClockPanel->setFont(narrowFont());
    mClockPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(mClockPanel);
    mClockTimer = new QTimer(this);
    mClockTimer->setInterval(1000);
    connect(mClockTimer, &QTimer::timeout, this, &EditorWindow::refreshClock);
    mClockTimer->start();
    refreshClock();
}

QString EditorWindow::selectedText(int count, bool filtered) {
    //: The status bar's count of selected landmarks.
    if (!filtered)
        return tr("%1 selected").arg(count);
    //: The status bar's count of selected landmarks while the tables' filter is set.
    return tr("%1 selected (filtered)").arg(count);
}

void EditorWindow::showNotice(const QString& text) {
    mNoticePanel->setText(text);
    mNoticePanel->setToolTip(text);
}

void EditorWindow::showSelectionCount() {
    const LandmarkDocument& document = mContext.document;
    const int count = document.selectedCount();
    mSelectionPanel->setText(selectedText(count, document.isFiltered()));
    mSelectionPanel->setVisible(count > 1 || (count == 1 && !document.isSelected(document.currentIndex())));
}

void EditorWindow::selectionEdited(LandmarkDocument::Field field, LandmarkDocument::BulkEdit result) {
    if (field == LandmarkDocument::Field::Active && result.leftOff > 0)
        showNotice(typeSixLeftOffNotice(result.leftOff));
}

void EditorWindow::recordEdited(int index) {
    documentEdited();
    if (!mOwnEdit && index == mContext.document.currentIndex())
        refreshRecord();
}

void EditorWindow::recordsEdited(const QList<int>& indices) {
    documentEdited();
    if (!mOwnEdit && indices.contains(mContext.document.currentIndex()))
        refreshRecord();
}

void EditorWindow::refreshClock() {
    //: The status bar clock as a QDateTime format; the month name comes from the locale. The
    //: panel is 130 pixels wide: keep the length.
    mClockPanel->setText(QLocale().toString(QDateTime::currentDateTime(), tr("MMMM dd yyyy  HH:mm:ss")));
}

void EditorWindow::applyTabOrder() {
    const QList<QWidget*> order = {mActiveGroup->button(0),
                                   mActiveGroup->button(1),
                                   mNameBox,
                                   mIdBox,
                                   mTypeBox,
                                   mNorthSouthBox,
                                   mEastWestBox,
                                   mElevationBox,
                                   mRotationBox,
                                   mRecordStepper,
                                   mRecordNumberBox,
                                   mTableButton,
                                   mSideGroup->button(0),
                                   mSideGroup->button(1),
                                   mSubTypeBox};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void EditorWindow::refreshRecord() {
    const LandmarkDocument& document = mContext.document;
    const LandmarkRecord& record = document.currentRecord();

    mIdBox->setText(QString::number(record.landmarkId));
    mTypeBox->setText(formatHexByte(record.loFileType));
    mSubTypeBox->setText(formatHexByte(record.loFileNo));
    // Type 06 is written switched off whatever its flag says.
    const bool active = document.isActive(document.currentIndex()) && record.loFileType != kDisabledType;
    mActiveGroup->setItemIndex(active ? 0 : 1);

    // "Unknown" kinds change only the text; the label keeps the colour of the record before.
    // Before the first read there is no record to name.
    const KindInfo& kind = kindInfo(classifyKind(record.loFileType, record.loFileNo));
    mKindLabel->setText(document.isLoaded() ? kindLabelText(kind) : QString());
    if (kind.editorLabelColour)
        setTextColour(mKindLabel, colourFromBgr(*kind.editorLabelColour));

    mSideGroup->setItemIndex(isAllied(record.side) ? 1 : 0);

    const QString decimalPoint = QLocale().decimalPoint();
    mNorthSouthBox->setText(formatCoordinate(record.northSouth, decimalPoint));
    mEastWestBox->setText(formatCoordinate(record.eastWest, decimalPoint));
    mElevationBox->setText(formatCoordinate(record.elevation, decimalPoint));
    mRotationBox->setText(formatCoordinate(record.rotation, decimalPoint));
    mNameBox->setText(QString::fromStdString(decodeCp1252(record.nameBytes())));
    // A name longer than the box shows from its start.
    mNameBox->setCursorPosition(0);
    // Each box and label schedules its own repaint when its content changes; repainting
    // the whole window on top doubled the painting of every selection.
}

void EditorWindow::selectNumberedRecord() {
    mContext.document.select(recordNumber() - 1);
}

void EditorWindow::showCurrentRecord(int index) {
    // The number typed into the box stays as typed while it names this record.
    if (recordNumber() != index + 1)
        setRecordNumber(index + 1);
    refreshRecord();
    emit recordShown(index);
}

void EditorWindow::selectRecord() {
    selectNumberedRecord();
}

void EditorWindow::recordNumberTyped() {
    // The spinner's own writes leave the modified state cleared; only typing selects.
    if (!mRecordNumberBox->isModified())
        return;
    mRecordStepper->takePositionFromBuddy();
    selectNumberedRecord();
}

void EditorWindow::nameEdited() {
    // The box's validator admits only text that Windows-1252 can carry.
    const std::optional<std::string> bytes = encodeCp1252(mNameBox->text().toStdString());
    if (!bytes)
        return;
    LandmarkDocument& document = mContext.document;
    const QScopedValueRollback<bool> own(mOwnEdit, true);
    document.setName(document.currentIndex(), mNameBox->text());
}

std::optional<int> EditorWindow::hexByteOf(const QLineEdit* box) {
    const QString text = box->text();
    const std::optional<std::uint32_t> value = parseHexText(text);
    if (!value) {
        reportError(mContext.dialogs, this, invalidIntegerMessage(QLatin1Char('$') + text));
        return std::nullopt;
    }
    return static_cast<int>(*value & 0xFF);
}

void EditorWindow::hexBoxLeft(QLineEdit* box) {
    const qsizetype digits = box->text().size();
    if (digits == 2) {
        box->setText(box->text().toUpper());
    } else if (digits == 1) {
        box->setText(QLatin1Char('0') + box->text());
        box == mTypeBox ? typeEdited() : subTypeEdited();
    } else if (digits == 0) {
        const LandmarkRecord& record = mContext.document.currentRecord();
        box->setText(formatHexByte(box == mTypeBox ? record.loFileType : record.loFileNo));
    }
}

void EditorWindow::typeEdited() {
    // A first digit waits for its second, or for the box to be left.
    if (mTypeBox->text().size() < 2)
        return;
    const std::optional<int> value = hexByteOf(mTypeBox);
    if (!value)
        return;
    LandmarkDocument& document = mContext.document;
    {
        const QScopedValueRollback<bool> own(mOwnEdit, true);
        document.setType(document.currentIndex(), static_cast<std::uint8_t>(*value));
    }
    // Rewrites the box in two-digit form, folding a third digit into the low byte.
    refreshRecord();
    if (*value == kDisabledType && document.isActive(document.currentIndex()))
        showNotice(typeSixStaysOffNotice());
}

void EditorWindow::subTypeEdited() {
    if (mSubTypeBox->text().size() < 2)
        return;
    const std::optional<int> value = hexByteOf(mSubTypeBox);
    if (!value)
        return;
    // No refresh: the kind label and the box keep what they show until the next selection.
    LandmarkDocument& document = mContext.document;
    const QScopedValueRollback<bool> own(mOwnEdit, true);
    document.setSubType(document.currentIndex(), static_cast<std::uint8_t>(*value));
}

void EditorWindow::sideChosen(int itemIndex) {
    if (itemIndex < 0)
        return;
    LandmarkDocument& document = mContext.document;
    const QScopedValueRollback<bool> own(mOwnEdit, true);
    document.setSide(document.currentIndex(), static_cast<std::uint8_t>(itemIndex));
}

void EditorWindow::activeStateChosen(int itemIndex) {
    if (itemIndex < 0)
        return;
    LandmarkDocument& document = mContext.document;
    const int index = document.currentIndex();
    // Type 06 is written switched off whatever its flag says: "Yes" would show what the
    // file will not hold, so the group goes back to "No", as the status table's tick does.
    // A click on the item already chosen (or on the group's frame) changes nothing.
    bool refused = false;
    {
        const QScopedValueRollback<bool> own(mOwnEdit, true);
        // A type-06 landmark whose flag is still on shows "No" and refuses "Yes" as well.
        refused = itemIndex == 0 && document.record(index).loFileType == kDisabledType;
        if (!refused)
            refused = document.setActive(index, itemIndex == 0) == LandmarkDocument::ActiveEdit::Refused;
        // A refused "Yes" still switches a profile's flag 2 to a plain "off", as "No" would;
        // a flag still on stays as the type already says enough.
        if (refused && !document.isActive(index))
            document.setActive(index, false);
    }
    if (refused) {
        mActiveGroup->setItemIndex(1);
        showNotice(typeSixStaysOffNotice());
    }
    mActiveGroup->update();
    if (mRecordNumberBox->isEnabled())
        mRecordNumberBox->setFocus();
}

void EditorWindow::activeGroupClicked() {
    activeStateChosen(mActiveGroup->itemIndex());
}

int EditorWindow::recordNumber() const {
    return mRecordStepper->position();
}

void EditorWindow::setRecordNumber(int number) {
    mRecordStepper->setPosition(number);
}

void EditorWindow::setRecordMaximum(int maximum) {
    mRecordStepper->setMaximum(maximum);
}

int EditorWindow::recordMaximum() const {
    return mRecordStepper->maximum();
}

void EditorWindow::setRecordControlsEnabled(bool enabled) {
    mRecordStepper->setEnabled(enabled);
    mRecordNumberBox->setEnabled(enabled);
}

void EditorWindow::setTableButtonEnabled(bool enabled) {
    mTableButton->setEnabled(enabled);
}

void EditorWindow::setCurrentControlText(const QString& name) {
    mCurrentControlLabel->setText(name);
}

void EditorWindow::setPointerReadings(const QString& northSouth, const QString& eastWest, const QString& y,
                                      const QString& x) {
    mNorthSouthReading->setText(northSouth);
    mEastWestReading->setText(eastWest);
    mPointerYReading->setText(y);
    mPointerXReading->setText(x);
}

} // namespace korvland
