#pragma once

#include <QDialog>
#include <QString>

namespace korvland {

class Dialogs;

// The folder chooser "Choose Landmarks Files Location".
class LMDDD1 : public QDialog {
    Q_OBJECT
public:
    LMDDD1(Dialogs& dialogs, QWidget* parent, const QString& startFolder);

    // The confirmed folder, as the chooser returns it.
    QString result() const;

private:
    Dialogs& mDialogs;
    QString mFolder;
};

} // namespace korvland
