#include "ui/editor/conflict_choice.h"

#include "data/text_codec.h"
#include "ui/common/dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout>

namespace korvland {

namespace {

QString fieldName(EditField field) {
    switch (field) {
    case EditField::Name:
        //: A field changed both on disk and by the operator.
        return QCoreApplication::translate("korvland::ConflictChoice", "name");
    case EditField::Type:
        return QCoreApplication::translate("korvland::ConflictChoice", "type");
    case EditField::SubType:
        return QCoreApplication::translate("korvland::ConflictChoice", "sub-type");
    case EditField::Side:
        return QCoreApplication::translate("korvland::ConflictChoice", "side");
    case EditField::Active:
        break;
    }
    return QCoreApplication::translate("korvland::ConflictChoice", "switched on or off");
}

// "12 Arras: name, side".
QString conflictLine(const LandmarkSet& file, const StepConflict& conflict) {
    QStringList fields;
    for (const EditField field : conflict.fields)
        fields << fieldName(field);
    const QString name = QString::fromStdString(decodeCp1252(file.record(conflict.index).nameBytes()));
    // The record's number, its name in the file and the fields both changed: no words to translate.
    return QStringLiteral("%1 %2: %3")
        .arg(QString::number(conflict.index + 1), name, fields.join(QStringLiteral(", ")));
}

} // namespace

std::optional<std::vector<StepConflict>> chooseConflicts(Dialogs& dialogs, QWidget* parent,
                                                         const LandmarkSet& file,
                                                         const std::vector<StepConflict>& conflicts) {
    QDialog dialog(parent);
    dialog.setObjectName(QLatin1String(conflict_choice_names::kDialog));
    dialog.setWindowTitle(applicationTitle());
    // Wide enough that the question reads in two lines and a long name fits beside its choice.
    dialog.setMinimumWidth(420);
    auto* layout = new QVBoxLayout(&dialog);
    const int count = static_cast<int>(conflicts.size());
    auto* intro =
        new QLabel(QCoreApplication::translate("korvland::ConflictChoice",
                                               "Another program changed %n landmark(s) where your "
                                               "unsaved changes change the same fields. Keep which?",
                                               nullptr, count),
                   &dialog);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    std::vector<QComboBox*> choices;
    for (int i = 0; i < count; ++i) {
        const StepConflict& conflict = conflicts[static_cast<std::size_t>(i)];
        auto* label = new QLabel(conflictLine(file, conflict), rows);
        auto* choice = new QComboBox(rows);
        //: The operator's unsaved value of a landmark's fields wins.
        choice->addItem(QCoreApplication::translate("korvland::ConflictChoice", "Keep mine"));
        //: The value another program wrote to the file wins.
        choice->addItem(QCoreApplication::translate("korvland::ConflictChoice", "Keep the file's"));
        choice->setObjectName(QLatin1String(conflict_choice_names::kRecordPrefix) +
                              QString::number(conflict.index));
        label->setBuddy(choice);
        grid->addWidget(label, i, 0);
        grid->addWidget(choice, i, 1);
        choices.push_back(choice);
    }
    auto* scroll = new QScrollArea(&dialog);
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialogs.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    std::vector<StepConflict> keptFromFile;
    for (std::size_t i = 0; i < conflicts.size(); ++i)
        if (choices[i]->currentIndex() == 1)
            keptFromFile.push_back(conflicts[i]);
    return keptFromFile;
}

} // namespace korvland
