#include "ui/editor/find_bar.h"

#include "document/landmark_document.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

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
    auto* caption = new QLabel(QStringLiteral("Find:"), this);
    caption->setGeometry(0, 4, 30, 17);
    mText = new QLineEdit(this);
    mText->setObjectName(QLatin1String(find_bar_names::kText));
    mText->setGeometry(32, 2, 130, 21);
    mText->setClearButtonEnabled(false);
    caption->setBuddy(mText);
    mPrevious = addToolButton(this, QStringLiteral("\u25B2"), find_bar_names::kPrevious,
                              QStringLiteral("Previous (Shift+F3)"));
    mPrevious->setGeometry(166, 1, 25, 23);
    mNext = addToolButton(this, QStringLiteral("\u25BC"), find_bar_names::kNext, QStringLiteral("Next (F3)"));
    mNext->setGeometry(192, 1, 25, 23);
    mResult = new QLabel(this);
    mResult->setObjectName(QLatin1String(find_bar_names::kResult));
    mResult->setTextFormat(Qt::PlainText);
    mResult->setGeometry(222, 4, 82, 17);
    mSelectAll = new QPushButton(QStringLiteral("Select All Matches"), this);
    mSelectAll->setObjectName(QLatin1String(find_bar_names::kSelectAll));
    mSelectAll->setGeometry(308, 1, 112, 23);
    mClose =
        addToolButton(this, QStringLiteral("\u00D7"), find_bar_names::kClose, QStringLiteral("Close (Esc)"));
    mClose->setGeometry(423, 2, 21, 21);

    connect(mText, &QLineEdit::textEdited, this, &FindBar::typed);
    connect(mText, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(mNext, &QToolButton::clicked, this, &FindBar::findNext);
    connect(mPrevious, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(mSelectAll, &QPushButton::clicked, this, &FindBar::selectAllMatches);
    connect(mClose, &QToolButton::clicked, this, &FindBar::close);
    // F3 works anywhere in the window while the bar is shown; Escape while the focus is in it.
    connect(addKey(this, QKeySequence(Qt::Key_F3), Qt::WindowShortcut), &QAction::triggered, this,
            &FindBar::findNext);
    connect(addKey(this, QKeySequence(Qt::SHIFT | Qt::Key_F3), Qt::WindowShortcut), &QAction::triggered, this,
            &FindBar::findPrevious);
    connect(addKey(this, QKeySequence(Qt::Key_Escape), Qt::WidgetWithChildrenShortcut), &QAction::triggered,
            this, &FindBar::close);
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
        mResult->setText(QStringLiteral("Not found"));
    else
        mResult->setText(QStringLiteral("%1 of %2").arg(match->position).arg(match->count));
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
