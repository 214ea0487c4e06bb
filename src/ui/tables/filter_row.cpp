#include "ui/tables/filter_row.h"

#include "ui/common/data_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolButton>

#include <algorithm>

namespace korvland {

namespace {

constexpr int kMargin = 2;
constexpr int kSpacing = 3;

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

} // namespace

FilterRow::FilterRow(QWidget* parent) : QWidget(parent) {
    mText = new QLineEdit(this);
    mText->setObjectName(QLatin1String(filter_row_names::kText));
    //: Placeholder of the box that filters the status table by landmark name.
    mText->setPlaceholderText(tr("Name"));
    mText->setClearButtonEnabled(true);
    mText->setToolTip(tr("Show the landmarks whose name contains this text"));
    //: Accessible name of the status table's name filter.
    mText->setAccessibleName(tr("Filter by name"));
    // The clear button is the box's own tool button, without text.
    for (QToolButton* clear : mText->findChildren<QToolButton*>())
        //: Accessible name of the button that empties the name filter.
        clear->setAccessibleName(tr("Clear the name filter"));

    QStringList kinds{tr("Any kind")};
    for (const LandmarkKind kind : kFilterKinds)
        kinds.append(kindLabelText(kindInfo(kind)));
    mKind = makeCombo(this, filter_row_names::kKind, kinds);
    mSide = makeCombo(this, filter_row_names::kSide,
                      {tr("Any side"),
                       //: Filter choice: the landmarks of the German side.
                       tr("German"),
                       //: Filter choice: the landmarks of the Allied side.
                       tr("Allied")});
    mState = makeCombo(this, filter_row_names::kState,
                       {tr("Any state"),
                        //: Filter choice: the landmarks switched on.
                        tr("On"),
                        //: Filter choice: the landmarks switched off.
                        tr("Off")});

    //: Accessible name of the menu that filters the status table by kind.
    mKind->setAccessibleName(tr("Filter by kind"));
    //: Accessible name of the menu that filters the status table by side.
    mSide->setAccessibleName(tr("Filter by side"));
    //: Accessible name of the menu that filters the status table by state.
    mState->setAccessibleName(tr("Filter by state"));

    mOnly = new QCheckBox(this);
    mOnly->setObjectName(QLatin1String(filter_row_names::kOnly));
    mOnly->setToolTip(tr("Untick to show every landmark again"));
    mOnly->hide();

    connect(mText, &QLineEdit::textChanged, this, &FilterRow::announce);
    for (QComboBox* combo : {mKind, mSide, mState})
        connect(combo, &QComboBox::currentIndexChanged, this, &FilterRow::announce);
    connect(mOnly, &QCheckBox::toggled, this, [this](bool on) {
        if (mQuiet || on)
            return;
        mChoice.reset();
        announce();
    });
}

void FilterRow::showFilter(const LandmarkFilter& filter) {
    const QScopedValueRollback quiet(mQuiet, true);
    const QString text = QString::fromStdString(filter.text);
    // Setting the same text again would move the cursor of the operator typing it.
    if (mText->text() != text)
        mText->setText(text);
    const auto kind =
        filter.kind ? std::find(kFilterKinds.begin(), kFilterKinds.end(), *filter.kind) : kFilterKinds.end();
    mKind->setCurrentIndex(kind == kFilterKinds.end() ? 0
                                                      : static_cast<int>(kind - kFilterKinds.begin()) + 1);
    mSide->setCurrentIndex(static_cast<int>(filter.side));
    mState->setCurrentIndex(static_cast<int>(filter.state));
    mChoice = filter.only;
    if (mChoice) {
        //: %1 names the landmarks of an ownership cell as a subject: "the 4 Allied bridges",
        //: "the German airfield" (the texts of korvland::OwnershipWindow).
        mOnly->setText(tr("Only %1").arg(QString::fromStdString(mChoice->description)));
        mOnly->setChecked(true);
    }
    mOnly->setVisible(mChoice.has_value());
    placeControls();
}

LandmarkFilter FilterRow::filter() const {
    LandmarkFilter filter;
    filter.text = mText->text().toStdString();
    if (mKind->currentIndex() > 0)
        filter.kind = kFilterKinds[static_cast<std::size_t>(mKind->currentIndex() - 1)];
    filter.side = static_cast<SideFilter>(std::max(0, mSide->currentIndex()));
    filter.state = static_cast<StateFilter>(std::max(0, mState->currentIndex()));
    filter.only = mChoice;
    return filter;
}

int FilterRow::heightNeeded() const {
    return mChoice ? 2 * kLineHeight : kLineHeight;
}

void FilterRow::announce() {
    if (mQuiet)
        return;
    if (!mChoice && mOnly->isVisible()) {
        mOnly->hide();
        placeControls();
    }
    emit edited(filter());
}

void FilterRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
}

void FilterRow::placeControls() {
    // The menus take the width their longest entry needs; the text field the rest, in the
    // middle of each line.
    const int controlHeight = std::min(kLineHeight - 2, std::max(mText->sizeHint().height(), 20));
    const int top = (kLineHeight - controlHeight) / 2;
    int right = width() - kMargin;
    for (QComboBox* combo : {mState, mSide, mKind}) {
        const int w = combo->sizeHint().width();
        right -= w;
        combo->setGeometry(right, top, w, controlHeight);
        right -= kSpacing;
    }
    mText->setGeometry(kMargin, top, std::max(0, right - kMargin), controlHeight);
    mOnly->setGeometry(kMargin, kLineHeight + top, width() - 2 * kMargin, controlHeight);
}

} // namespace korvland
