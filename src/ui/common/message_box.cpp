#include "ui/common/message_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvland {

namespace {

QStyle::StandardPixmap pixmapOf(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information:
        return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Warning:
        return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
        return QStyle::SP_MessageBoxQuestion;
    case QMessageBox::NoIcon:
        break;
    }
    return QStyle::SP_CustomBase;
}

// The width the text wants: its widest line, but no more than the box allows.
int textWidthFor(const QString& text, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return std::min(widest + 2, MessageBox::kMaximumTextWidth);
}

} // namespace

MessageBox::MessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                       QDialogButtonBox::StandardButtons buttons,
                       QDialogButtonBox::StandardButton defaultButton, QWidget* parent)
    : QDialog(parent), mIcon(icon) {
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(title);
    setModal(true);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("MessageIcon"));
    if (icon != QMessageBox::NoIcon) {
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(pixmapOf(icon), nullptr, this).pixmap(size, size));
    }
    iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    // A text view rather than a label: a label wraps only between words and would cut a
    // long path; this one breaks inside a word only when the word alone is too wide.
    mText = new QTextEdit(this);
    mText->setObjectName(QStringLiteral("MessageText"));
    mText->setReadOnly(true);
    mText->setPlainText(text);
    mText->setFrameShape(QFrame::NoFrame);
    mText->setFocusPolicy(Qt::ClickFocus);
    mText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mText->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mText->viewport()->setAutoFillBackground(false);
    mText->document()->setDocumentMargin(0);
    const int width = textWidthFor(text, mText->fontMetrics());
    mText->setLineWrapMode(QTextEdit::FixedPixelWidth);
    mText->setLineWrapColumnOrWidth(width);
    mText->document()->setTextWidth(width);
    const int height = static_cast<int>(std::ceil(mText->document()->size().height()));
    mText->setFixedSize(width, height);

    mButtons = new QDialogButtonBox(buttons, this);
    mButtons->setCenterButtons(true);
    for (QAbstractButton* button : mButtons->buttons()) {
        auto* push = qobject_cast<QPushButton*>(button);
        const auto which = mButtons->standardButton(button);
        if (push) {
            push->setAutoDefault(which == defaultButton);
            push->setDefault(which == defaultButton);
        }
        if (which == defaultButton)
            button->setFocus();
    }
    mEscapeButton = buttons.testFlag(QDialogButtonBox::No)       ? QDialogButtonBox::No
                    : buttons.testFlag(QDialogButtonBox::Cancel) ? QDialogButtonBox::Cancel
                                                                 : defaultButton;
    connect(mButtons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        mChosen = mButtons->standardButton(button);
        accept();
    });

    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(iconLabel, 0, Qt::AlignTop);
    row->addWidget(mText, 1, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(row);
    layout->addWidget(mButtons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString MessageBox::text() const {
    return mText->toPlainText();
}

QDialogButtonBox::StandardButton MessageBox::ask() {
    mChosen = mEscapeButton;
    exec();
    return mChosen;
}

} // namespace korvland
