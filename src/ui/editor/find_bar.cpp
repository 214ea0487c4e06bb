#include "ui/editor/find_bar.h"

#include "document/landmark_document.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace korvland {

namespace {

QToolButton* addToolButton(QWidget* parent, const QString& text, const char* name, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

constexpr QKeyCombination kNextKey(Qt::Key_F3);
constexpr QKeyCombination kPreviousKey(Qt::SHIFT | Qt::Key_F3);
constexpr QKeyCombination kCloseKey(Qt::Key_Escape);

// The key as the hints name it, in the user's language ("Shift+F3", "Esc").
QString keyName(QKeyCombination key) {
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

QAction* addKey(QWidget* bar, const QKeySequence& key, Qt::ShortcutContext context) {
    auto* action = new QAction(bar);
    action->setShortcut(key);
    action->setShortcutContext(context);
    bar->addAction(action);
    return action;
}

} // namespace

FindBar::FindBar(LandmarkDocument& document, QWidget* parent) : QFrame(parent), mDocument(document) {
    setObjectName(QLatin1String(find_bar_names::kWindow));
    setFrameStyle(QFrame::NoFrame);
    auto* caption = new QLabel(tr("Find:"), this);
    // A caption longer than its place takes its room from the field.
    const int captionWidth = std::max(30, caption->sizeHint().width());
    caption->setGeometry(0, 4, captionWidth, 17);
    mText = new QLineEdit(this);
    mText->setObjectName(QLatin1String(find_bar_names::kText));
    mText->setGeometry(captionWidth + 2, 2, 160 - captionWidth, 21);
    mText->setClearButtonEnabled(false);
    caption->setBuddy(mText);
    //: Hint of the button that goes to the previous match; %1 is its key.
    mPrevious = addToolButton(this, QStringLiteral("\u25B2"), find_bar_names::kPrevious,
                              tr("Previous (%1)").arg(keyName(kPreviousKey)));
    mPrevious->setGeometry(166, 1, 25, 23);
    //: Hint of the button that goes to the next match; %1 is its key.
    mNext = addToolButton(this, QStringLiteral("\u25BC"), find_bar_names::kNext,
                          tr("Next (%1)").arg(keyName(kNextKey)));
    mNext->setGeometry(192, 1, 25, 23);
    mResult = new QLabel(this);
    mResult->setObjectName(QLatin1String(find_bar_names::kResult));
    mResult->setTextFormat(Qt::PlainText);
    mResult->setGeometry(222, 4, 82, 17);
    //: Button 112 pixels wide: selects every landmark whose name matches.
    mSelectAll = new QPushButton(tr("Select All Matches"), this);
    mSelectAll->setObjectName(QLatin1String(find_bar_names::kSelectAll));
    mSelectAll->setGeometry(308, 1, 112, 23);
    //: Hint of the button that hides the find bar; %1 is its key.
    mClose = addToolButton(this, QStringLiteral("\u00D7"), find_bar_names::kClose,
                           tr("Close (%1)").arg(keyName(kCloseKey)));
    mClose->setGeometry(423, 2, 21, 21);
    // The arrows and the cross are symbols: a screen reader reads these names instead.
    //: Accessible name of the find bar's up arrow.
    mPrevious->setAccessibleName(tr("Previous match"));
    //: Accessible name of the find bar's down arrow.
    mNext->setAccessibleName(tr("Next match"));
    //: Accessible name of the find bar's cross.
    mClose->setAccessibleName(tr("Close the find bar"));

    connect(mText, &QLineEdit::textEdited, this, &FindBar::typed);
    connect(mText, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(mNext, &QToolButton::clicked, this, &FindBar::findNext);
    connect(mPrevious, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(mSelectAll, &QPushButton::clicked, this, &FindBar::selectAllMatches);
    connect(mClose, &QToolButton::clicked, this, &FindBar::close);
    // F3 works anywhere in the window while the bar is shown; Escape while the focus is in it.
    connect(addKey(this, kNextKey, Qt::WindowShortcut), &QAction::triggered, this, &FindBar::findNext);
    connect(addKey(this, kPreviousKey, Qt::WindowShortcut), &QAction::triggered, this,
            &FindBar::findPrevious);
    connect(addKey(this, kCloseKey, Qt::WidgetWithChildrenShortcut), &QAction::triggered, this,
            &FindBar::close);
    // Another file's names: an old count says nothing about them.
    connect(&document, &LandmarkDocument::setReplaced, mResult, &QLabel::clear);
}

void FindBar::open() {
    show();
    raise();
    mText->setFocus(Qt::ShortcutFocusReason);
    mText->selectAll();
}

void FindBar::close() {
    hide();
    emit closed();
}

QString FindBar::resultText() const {
    return mResult->text();
}

void FindBar::showResult(const std::optional<FindMatch>& match) {
    if (mText->text().isEmpty())
        mResult->clear();
    else if (!match)
        mResult->setText(tr("Not found"));
    else
        //: The match's place among all matches: "3 of 12".
        mResult->setText(tr("%1 of %2").arg(match->position).arg(match->count));
}

void FindBar::typed() {
    showResult(mDocument.find(mText->text(), FindStep::Here));
}

void FindBar::findNext() {
    showResult(mDocument.findNext(mText->text()));
}

void FindBar::findPrevious() {
    showResult(mDocument.findPrevious(mText->text()));
}

void FindBar::selectAllMatches() {
    if (mDocument.selectAllMatches(mText->text()) == 0)
        showResult(std::nullopt);
}

} // namespace korvland
