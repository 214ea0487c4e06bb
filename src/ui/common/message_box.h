#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>

class QTextEdit;

namespace korvland {

// The program's message box: an icon, the text and its buttons. The text is shown as it
// stands (a path holding "<b>" is no markup) and wraps within a box of sensible width: at
// word boundaries where it can, anywhere inside a long path that has none. It stays
// selectable, so a path can be copied whole.
class MessageBox : public QDialog {
    Q_OBJECT
  public:
    // The widest the text may grow before it wraps, in pixels.
    static constexpr int kMaximumTextWidth = 420;

    MessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
               QDialogButtonBox::StandardButtons buttons, QDialogButtonBox::StandardButton defaultButton,
               QWidget* parent = nullptr);

    QMessageBox::Icon icon() const { return mIcon; }
    QString text() const;
    QDialogButtonBox* buttonBox() const { return mButtons; }
    QTextEdit* textView() const { return mText; }

    // Runs the box; the button the user chose. Escape or closing the box chooses "No" where
    // there is one, else "Cancel" where there is one, otherwise the default button.
    QDialogButtonBox::StandardButton ask();

  private:
    QMessageBox::Icon mIcon;
    QTextEdit* mText = nullptr;
    QDialogButtonBox* mButtons = nullptr;
    QDialogButtonBox::StandardButton mChosen = QDialogButtonBox::NoButton;
    QDialogButtonBox::StandardButton mEscapeButton = QDialogButtonBox::NoButton;
};

} // namespace korvland
