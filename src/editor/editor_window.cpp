#include "editor/editor_window.h"

#include "app/alt_letter_guard.h"
#include "data/landmark_kind.h"
#include "data/text_codec.h"
#include "editor/find_bar.h"
#include "editor/kind_label.h"
#include "editor/name_validator.h"
#include "editor/path_label.h"
#include "editor/radio_group.h"
#include "editor/record_format.h"
#include "editor/up_down.h"

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

TForm2::TForm2(AppContext& context, QWidget* parent) : QMainWindow(parent), mContext(context) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("KORV TLQ Landmarks Editor"));
    setFont(windowFont());
    move(742, 181);
    resize(468, 326);
    createControls();
    createMenu();
}

TForm2::~TForm2() {
    // Closing the window moves the focus out of a hex box, whose leaving would otherwise
    // reach this half-destroyed window.
    for (QLineEdit* box : {Edit3, Edit4})
        box->disconnect(this);
    // The recent-files list reaches the settings file only when the program ends.
    if (!mRecentFilesSaved)
        saveRecentFiles();
}

void TForm2::createControls() {
    auto* panel = new EditorPanel(this);
    panel->setObjectName(QStringLiteral("client"));
    setCentralWidget(panel);
    panel->rule = new QFrame(panel);
    panel->rule->setFrameShape(QFrame::HLine);
    panel->rule->setFrameShadow(QFrame::Sunken);
    panel->rule->setGeometry(0, 0, kClientWidth, 9);

    addLabel(panel, QStringLiteral("File being edited:"), 8, 8);
    auto* pathLabel = new PathLabel(panel);
    setTextColour(pathLabel, colourFromBgr(kMaroon));
    pathLabel->adjustSize();
    Label1 = pathLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(96, 8, kClientWidth - 96 - 4, Label1->height());

    mRecordGroup = addGroup(panel, QStringLiteral("Record Number"), {8, 24, 97, 41});
    mRecordGroup->setObjectName(QStringLiteral("RecordNumberGroup"));
    Edit9 = addEdit(mRecordGroup, "Edit9", {8, 16, 33, 21});
    Edit9->setFont(narrowFont());
    Edit9->setText(QStringLiteral("100"));
    UpDown1 = new UpDown(mRecordGroup);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setGeometry(41, 16, 48, 21);
    UpDown1->setBuddy(Edit9);
    connect(UpDown1, &UpDown::changing, this, &TForm2::UpDown1Changing);
    connect(UpDown1, &UpDown::clicked, this, &TForm2::UpDown1Click);
    connect(Edit9, &QLineEdit::textChanged, this, &TForm2::Edit9Change);
    // Return or leaving the box puts back the number of the record on screen when the
    // text names no record.
    connect(Edit9, &QLineEdit::editingFinished, UpDown1, &UpDown::showPositionInBuddy);

    LMDRG1 = new RadioGroup(QStringLiteral("Active Landmark"), {QStringLiteral("Yes"), QStringLiteral("No")},
                            2, panel);
    LMDRG1->setObjectName(QStringLiteral("LMDRG1"));
    LMDRG1->setFont(boldFont(11));
    LMDRG1->setItemFont(boldFont(11));
    LMDRG1->setGeometry(112, 24, 121, 41);
    LMDRG1->setItemIndex(1);
    connect(LMDRG1, &RadioGroup::itemChanged, this, &TForm2::LMDRG1Change);
    connect(LMDRG1, &RadioGroup::clicked, this, &TForm2::LMDRG1Click);

    mTypeGroup = addGroup(panel, QStringLiteral("Landmark Type"), {240, 24, 105, 41});
    mTypeGroup->setObjectName(QStringLiteral("LandmarkTypeGroup"));
    LSL16 = new KindLabel(mTypeGroup);
    LSL16->setObjectName(QStringLiteral("LSL16"));
    LSL16->setGeometry(0, 8, 105, 33);
    LSL16->setAlignment(Qt::AlignCenter);
    LSL16->setFont(boldFont(11));
    setTextColour(LSL16, colourFromBgr(kMaroon));

    Button1 = new QPushButton(QStringLiteral("Table"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(352, 32, 73, 33);
    Button1->setEnabled(false);
    connect(Button1, &QPushButton::clicked, this, &TForm2::tableButtonClicked);

    addLabel(panel, QStringLiteral("Location:"), 16, 72);
    LSL14 = addLabel(panel, QString(), 64, 72);
    LSL14->setObjectName(QStringLiteral("LSL14"));
    LSL14->setGeometry(64, 72, 336 - 64 - 4, LSL14->height());
    addLabel(panel, QStringLiteral("# of records:"), 336, 72);
    LMDSimpleLabel11 = addLabel(panel, QString(), 400, 72);
    LMDSimpleLabel11->setObjectName(QStringLiteral("LMDSimpleLabel11"));
    LMDSimpleLabel11->setGeometry(400, 72, kClientWidth - 400 - 4, LMDSimpleLabel11->height());
    addLabel(panel, QStringLiteral("Size of records:"), 336, 88);
    LMDSimpleLabel12 = addLabel(panel, QString(), 416, 88);
    LMDSimpleLabel12->setObjectName(QStringLiteral("LMDSimpleLabel12"));
    LMDSimpleLabel12->setGeometry(416, 88, kClientWidth - 416 - 4, LMDSimpleLabel12->height());

    addLabel(panel, QStringLiteral("Land Mark Name:"), 16, 96);
    Edit1 = addEdit(panel, "Edit1", {112, 93, 169, 21});
    Edit1->setMaxLength(static_cast<int>(kNameSize));
    Edit1->setValidator(new NameValidator(Edit1));
    addLabel(panel, QStringLiteral("Landmark ID:"), 16, 128);
    Edit2 = addEdit(panel, "Edit2", {88, 125, 65, 21});
    addLabel(panel, QStringLiteral("Lo File Type:"), 16, 160);
    Edit3 = addEdit(panel, "Edit3", {80, 157, 41, 21});
    addLabel(panel, QStringLiteral("Lo File No.:"), 16, 184);
    Edit4 = addEdit(panel, "Edit4", {80, 184, 41, 21});
    connect(Edit1, &QLineEdit::textEdited, this, &TForm2::Edit1Change);
    connect(Edit3, &QLineEdit::textEdited, this, &TForm2::Edit3Change);
    connect(Edit4, &QLineEdit::textEdited, this, &TForm2::Edit4Change);
    // Typing into the name after leaving the box is a step of its own.
    connect(Edit1, &QLineEdit::editingFinished, &mContext.document, &LandmarkDocument::endNameTyping);
    // A byte is two hexadecimal digits: a third digit, a sign or a blank never reaches the
    // record, and a box emptied on the way to another value reports nothing.
    const QRegularExpression hexByte(QStringLiteral("[0-9A-Fa-f]{0,2}"));
    for (QLineEdit* box : {Edit3, Edit4}) {
        box->setValidator(new QRegularExpressionValidator(hexByte, box));
        connect(box, &QLineEdit::editingFinished, this, [this, box] { hexBoxLeft(box); });
    }

    srg1 = new RadioGroup(QStringLiteral("Side:"), {QStringLiteral("German"), QStringLiteral("Allied")}, 2,
                          panel);
    srg1->setObjectName(QStringLiteral("srg1"));
    srg1->setFont(boldFont(13));
    srg1->setItemFont(windowFont());
    srg1->setGeometry(16, 208, 153, 33);
    srg1->setItemIndex(0);
    connect(srg1, &RadioGroup::itemChanged, this, &TForm2::srg1Change);

    addLabel(panel, QStringLiteral("N/S Coord:"), 184, 128);
    Edit5 = addEdit(panel, "Edit5", {240, 125, 81, 21});
    addLabel(panel, QStringLiteral("E/W Coord:"), 181, 160);
    Edit6 = addEdit(panel, "Edit6", {240, 157, 81, 21});
    addLabel(panel, QStringLiteral("Elevation:"), 191, 192);
    Edit7 = addEdit(panel, "Edit7", {240, 189, 81, 21});
    addLabel(panel, QStringLiteral("Rotation:"), 195, 224);
    Edit8 = addEdit(panel, "Edit8", {240, 221, 81, 21});
    for (QLineEdit* box : {Edit5, Edit6, Edit7, Edit8})
        box->setFont(narrowFont());
    // Shown, never stored: read-only, so typing cannot look like an edit. The text can
    // still be selected and copied.
    for (QLineEdit* box : {Edit2, Edit5, Edit6, Edit7, Edit8})
        box->setReadOnly(true);

    // Never shown: the map window writes its pointer readings and the clicked marker's
    // name here.
    mMouseCoordsGroup = addGroup(panel, QStringLiteral("Mouse Coords"), {336, 104, 105, 137});
    mMouseCoordsGroup->setObjectName(QStringLiteral("MouseCoordsGroup"));
    slns = addLabel(mMouseCoordsGroup, QStringLiteral("n/s location"), 8, 24, false);
    slns->setObjectName(QStringLiteral("slns"));
    slew = addLabel(mMouseCoordsGroup, QStringLiteral("e/w location"), 8, 48, false);
    slew->setObjectName(QStringLiteral("slew"));
    sL15 = addLabel(mMouseCoordsGroup, QStringLiteral("pointer y"), 8, 72, false);
    sL15->setObjectName(QStringLiteral("sL15"));
    SL16 = addLabel(mMouseCoordsGroup, QStringLiteral("pointer x"), 8, 96, false);
    SL16->setObjectName(QStringLiteral("SL16"));
    mMouseCoordsGroup->hide();
    Label2 = addLabel(panel, QStringLiteral("Current Control"), 16, 256, false);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();

    // Under the boxes, where the client area has room to spare; hidden until "Find...".
    mFindBar = new FindBar(mContext.document, panel);
    mFindBar->setGeometry(8, 250, kClientWidth - 16, 25);
    mFindBar->hide();
    connect(mFindBar, &FindBar::closed, this, [this] {
        if (Edit9->isEnabled())
            Edit9->setFocus();
    });

    createStatusBar();
    applyTabOrder();
    AltLetterGuard::guardBoxesIn(this);
    // Nothing to edit until a file has been read.
    setFieldEditsEnabled(false);
}

void TForm2::setFieldEditsEnabled(bool enabled) {
    for (QWidget* edit : std::initializer_list<QWidget*>{Edit1, Edit3, Edit4, srg1, LMDRG1})
        edit->setEnabled(enabled);
}

void TForm2::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(25);
    mStandingNotice = QStringLiteral("Copyright \u00A9 the korvland developers");
    // A notice names files: one too long for the panel keeps its end in sight.
    mNoticePanel = new PathLabel(bar);
    mNoticePanel->setObjectName(QStringLiteral("NoticePanel"));
    mNoticePanel->setText(mStandingNotice);
    mNoticePanel->setAlignment(Qt::AlignCenter);
    mNoticePanel->setMinimumWidth(266);
    mNoticePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextColour(mNoticePanel, colourFromBgr(kMaroon));
    bar->addWidget(mNoticePanel, 1);
    mSelectionPanel = new QLabel(bar);
    mSelectionPanel->setObjectName(QStringLiteral("SelectionPanel"));
    mSelectionPanel->setAlignment(Qt::AlignCenter);
    mSelectionPanel->setFont(narrowFont());
    mSelectionPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextColour(mSelectionPanel, colourFromBgr(kMaroon));
    // Room for the largest count, so that the panel keeps its width as the count changes.
    mSelectionPanel->setFixedWidth(
        mSelectionPanel->fontMetrics().horizontalAdvance(QStringLiteral("1024 selected")) + 10);
    bar->addPermanentWidget(mSelectionPanel);
    mSelectionPanel->hide();
    mClockPanel = new QLabel(bar);
    mClockPanel->setObjectName(QStringLiteral("ClockPanel"));
    mClockPanel->setAlignment(Qt::AlignCenter);
    mClockPanel->setFixedWidth(130);
    mClockPanel->setFont(narrowFont());
    mClockPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(mClockPanel);
    mClockTimer = new QTimer(this);
    mClockTimer->setInterval(1000);
    connect(mClockTimer, &QTimer::timeout, this, &TForm2::refreshClock);
    mClockTimer->start();
    refreshClock();
}

void TForm2::showNotice(const QString& text) {
    mNoticePanel->setText(text);
    mNoticePanel->setToolTip(text);
}

void TForm2::showSelectionCount() {
    const LandmarkDocument& document = mContext.document;
    const int count = document.selectedCount();
    mSelectionPanel->setText(QStringLiteral("%1 selected").arg(count));
    mSelectionPanel->setVisible(count > 1 || (count == 1 && !document.isSelected(document.currentIndex())));
}

void TForm2::selectionEdited(LandmarkDocument::Field field, LandmarkDocument::BulkEdit result) {
    if (field == LandmarkDocument::Field::Active && result.leftOff > 0)
        showNotice(typeSixLeftOffNotice(result.leftOff));
}

void TForm2::recordEdited(int index) {
    if (!mOwnEdit && index == mContext.document.currentIndex())
        GetLocationType();
}

void TForm2::recordsEdited(const QList<int>& indices) {
    if (!mOwnEdit && indices.contains(mContext.document.currentIndex()))
        GetLocationType();
}

void TForm2::refreshClock() {
    mClockPanel->setText(
        QLocale().toString(QDateTime::currentDateTime(), QStringLiteral("MMMM dd yyyy  HH:mm:ss")));
}

void TForm2::applyTabOrder() {
    const QList<QWidget*> order = {LMDRG1->button(0),
                                   LMDRG1->button(1),
                                   Edit1,
                                   Edit2,
                                   Edit3,
                                   Edit5,
                                   Edit6,
                                   Edit7,
                                   Edit8,
                                   UpDown1,
                                   Edit9,
                                   Button1,
                                   srg1->button(0),
                                   srg1->button(1),
                                   Edit4};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void TForm2::GetLocationType() {
    const LandmarkDocument& document = mContext.document;
    const LandmarkRecord& record = document.currentRecord();

    Edit2->setText(QString::number(record.landmarkId));
    Edit3->setText(formatHexByte(record.loFileType));
    Edit4->setText(formatHexByte(record.loFileNo));
    LMDRG1->setItemIndex(document.isActive(document.currentIndex()) ? 0 : 1);

    // "Unknown" kinds change only the text; the label keeps the colour of the record before.
    const KindInfo& kind = kindInfo(classifyKind(record.loFileType, record.loFileNo));
    LSL16->setText(
        QString::fromUtf8(kind.editorLabel.data(), static_cast<qsizetype>(kind.editorLabel.size())));
    if (kind.editorLabelColour)
        setTextColour(LSL16, colourFromBgr(*kind.editorLabelColour));

    srg1->setItemIndex(isAllied(record.side) ? 1 : 0);

    const QString decimalPoint = QLocale().decimalPoint();
    Edit5->setText(formatCoordinate(record.northSouth, decimalPoint));
    Edit6->setText(formatCoordinate(record.eastWest, decimalPoint));
    Edit7->setText(formatCoordinate(record.elevation, decimalPoint));
    Edit8->setText(formatCoordinate(record.rotation, decimalPoint));
    Edit1->setText(QString::fromStdString(decodeCp1252(record.nameBytes())));
    // A name longer than the box shows from its start.
    Edit1->setCursorPosition(0);
    // Each box and label schedules its own repaint when its content changes; repainting
    // the whole window on top doubled the painting of every selection.
}

void TForm2::UpDown1Click() {
    mContext.document.select(recordNumber() - 1);
}

void TForm2::showCurrentRecord(int index) {
    // The number typed into the box stays as typed while it names this record.
    if (recordNumber() != index + 1)
        setRecordNumber(index + 1);
    GetLocationType();
    emit recordShown(index);
}

void TForm2::UpDown1Changing() {
    UpDown1Click();
}

void TForm2::Edit9Change() {
    // The spinner's own writes leave the modified state cleared; only typing selects.
    if (!Edit9->isModified())
        return;
    UpDown1->takePositionFromBuddy();
    UpDown1Click();
}

void TForm2::Edit1Change() {
    // The box's validator admits only text that Windows-1252 can carry.
    const std::optional<std::string> bytes = encodeCp1252(Edit1->text().toStdString());
    if (!bytes)
        return;
    LandmarkDocument& document = mContext.document;
    const QScopedValueRollback<bool> own(mOwnEdit, true);
    document.setName(document.currentIndex(), Edit1->text());
}

std::optional<int> TForm2::hexByteOf(const QLineEdit* box) {
    const QString text = box->text();
    const std::optional<std::uint32_t> value = parseHexText(text);
    if (!value) {
        reportError(mContext.dialogs, this, invalidIntegerMessage(QLatin1Char('$') + text));
        return std::nullopt;
    }
    return static_cast<int>(*value & 0xFF);
}

void TForm2::hexBoxLeft(QLineEdit* box) {
    const qsizetype digits = box->text().size();
    if (digits == 1) {
        box->setText(QLatin1Char('0') + box->text());
        box == Edit3 ? Edit3Change() : Edit4Change();
    } else if (digits == 0) {
        const LandmarkRecord& record = mContext.document.currentRecord();
        box->setText(formatHexByte(box == Edit3 ? record.loFileType : record.loFileNo));
    }
}

void TForm2::Edit3Change() {
    // A first digit waits for its second, or for the box to be left.
    if (Edit3->text().size() < 2)
        return;
    const std::optional<int> value = hexByteOf(Edit3);
    if (!value)
        return;
    LandmarkDocument& document = mContext.document;
    {
        const QScopedValueRollback<bool> own(mOwnEdit, true);
        document.setType(document.currentIndex(), static_cast<std::uint8_t>(*value));
    }
    // Rewrites the box in two-digit form, folding a third digit into the low byte.
    GetLocationType();
}

void TForm2::Edit4Change() {
    if (Edit4->text().size() < 2)
        return;
    const std::optional<int> value = hexByteOf(Edit4);
    if (!value)
        return;
    // No refresh: the kind label and the box keep what they show until the next selection.
    LandmarkDocument& document = mContext.document;
    const QScopedValueRollback<bool> own(mOwnEdit, true);
    document.setSubType(document.currentIndex(), static_cast<std::uint8_t>(*value));
}

void TForm2::srg1Change(int itemIndex) {
    if (itemIndex < 0)
        return;
    LandmarkDocument& document = mContext.document;
    const QScopedValueRollback<bool> own(mOwnEdit, true);
    document.setSide(document.currentIndex(), static_cast<std::uint8_t>(itemIndex));
}

void TForm2::LMDRG1Change(int itemIndex) {
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
        refused = document.setActive(index, itemIndex == 0) == LandmarkDocument::ActiveEdit::Refused;
        // A refused "Yes" still switches a profile's flag 2 to a plain "off", as "No" would.
        if (refused)
            document.setActive(index, false);
    }
    if (refused) {
        LMDRG1->setItemIndex(1);
        showNotice(typeSixStaysOffNotice());
    }
    LMDRG1->update();
    if (Edit9->isEnabled())
        Edit9->setFocus();
}

void TForm2::LMDRG1Click() {
    LMDRG1Change(LMDRG1->itemIndex());
}

int TForm2::recordNumber() const {
    return UpDown1->position();
}

void TForm2::setRecordNumber(int number) {
    UpDown1->setPosition(number);
}

void TForm2::setRecordMaximum(int maximum) {
    UpDown1->setMaximum(maximum);
}

int TForm2::recordMaximum() const {
    return UpDown1->maximum();
}

void TForm2::setRecordControlsEnabled(bool enabled) {
    UpDown1->setEnabled(enabled);
    Edit9->setEnabled(enabled);
}

void TForm2::setTableButtonEnabled(bool enabled) {
    Button1->setEnabled(enabled);
}

void TForm2::setCurrentControlText(const QString& name) {
    Label2->setText(name);
}

void TForm2::setPointerReadings(const QString& northSouth, const QString& eastWest, const QString& y,
                                const QString& x) {
    slns->setText(northSouth);
    slew->setText(eastWest);
    sL15->setText(y);
    SL16->setText(x);
}

} // namespace korvland
