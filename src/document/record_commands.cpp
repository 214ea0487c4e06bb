#include "document/record_commands.h"

#include "data/text_codec.h"

#include <QCoreApplication>

#include <utility>

namespace korvland {

namespace {

using Field = LandmarkDocument::Field;

// Name steps of one record merge; no other step does.
constexpr int kNameTypingId = 1;

// The undo steps' names, shown after "Undo" and "Redo" in the Edit menu. %1 is a landmark's
// name, "Landmark 12", or a count such as "3 Landmarks".
QString sideStep(const QString& subject) {
    //: Undo step: the side (German or Allied) of a landmark or of "3 Landmarks".
    return QCoreApplication::translate("korvland::RecordCommands", "Side of %1").arg(subject);
}

QString activeStep(std::uint8_t flag, const QString& subject) {
    if (flag == 0)
        //: Undo step: a landmark or "3 Landmarks" switched on.
        return QCoreApplication::translate("korvland::RecordCommands", "Switch On %1").arg(subject);
    //: Undo step: a landmark or "3 Landmarks" switched off.
    return QCoreApplication::translate("korvland::RecordCommands", "Switch Off %1").arg(subject);
}

QString stepText(Field field, std::uint8_t flag, const QString& subject) {
    switch (field) {
    case Field::Name:
        //: Undo step: a landmark's name typed.
        return QCoreApplication::translate("korvland::RecordCommands", "Name of %1").arg(subject);
    case Field::Type:
        //: Undo step: a landmark's type changed.
        return QCoreApplication::translate("korvland::RecordCommands", "Type of %1").arg(subject);
    case Field::SubType:
        //: Undo step: a landmark's sub-type changed.
        return QCoreApplication::translate("korvland::RecordCommands", "Sub-Type of %1").arg(subject);
    case Field::Side:
        return sideStep(subject);
    case Field::Active:
        break;
    }
    return activeStep(flag, subject);
}

QString landmarkCount(qsizetype count) {
    if (count == 1)
        //: The subject of an undo step on one selected landmark ("Switch On 1 Landmark").
        return QCoreApplication::translate("korvland::RecordCommands", "1 Landmark");
    //: The subject of an undo step on many selected landmarks ("Switch On 3 Landmarks").
    return QCoreApplication::translate("korvland::RecordCommands", "%1 Landmarks").arg(count);
}

EditField editField(Field field) {
    return static_cast<EditField>(static_cast<int>(field));
}

} // namespace

const EditStep* editStepOf(const QUndoCommand* command) {
    if (const auto* one = dynamic_cast<const RecordCommand*>(command))
        return &one->step();
    if (const auto* many = dynamic_cast<const RecordsCommand*>(command))
        return &many->step();
    return nullptr;
}

QString recordLabel(const LandmarkSet& set, int index) {
    const std::string name = set.record(static_cast<std::size_t>(index)).nameBytes();
    if (name.empty())
        //: A landmark without a name, by its record number.
        return QCoreApplication::translate("korvland::RecordCommands", "Landmark %1").arg(index + 1);
    return QString::fromStdString(decodeCp1252(name));
}

RecordCommand::RecordCommand(LandmarkDocument& document, int index, Field field, const LandmarkRecord& record,
                             std::uint8_t flag)
    : QUndoCommand(stepText(field, flag, recordLabel(document.set(), index))), mDocument(document),
      mIndex(index), mField(field), mRecord(record), mFlag(flag), mTypingSerial(document.mNameTypingSerial) {
    const auto at = static_cast<std::size_t>(index);
    const EditField edited = editField(field);
    mStep = {edited,
             false,
             {{static_cast<std::uint16_t>(index), fieldValue(document.set(), at, edited),
               fieldValue(record, flag, edited)}}};
}

int RecordCommand::id() const {
    return mField == Field::Name ? kNameTypingId : -1;
}

bool RecordCommand::mergeWith(const QUndoCommand* other) {
    // Only name steps share the id.
    const auto* next = static_cast<const RecordCommand*>(other);
    if (next->mIndex != mIndex || next->mTypingSerial != mTypingSerial)
        return false;
    // This step keeps the record from before the typing began; the set holds the newest
    // name. Typing back to where it began leaves no step at all.
    if (mDocument.set().record(mIndex) == mRecord)
        setObsolete(true);
    mStep.records.front().after = next->mStep.records.front().after;
    return true;
}

void RecordCommand::swap() {
    LandmarkSet& set = *mDocument.mSet;
    const auto index = static_cast<std::size_t>(mIndex);
    const LandmarkRecord record = set.record(index);
    set.setRecord(index, mRecord);
    mRecord = record;
    const std::uint8_t flag = set.disabledFlag(index);
    set.setDisabled(index, mFlag);
    mFlag = flag;
    // The first redo is the edit itself, made on the record the operator is looking at;
    // an undo or a later redo brings that record back into view and ends any typing.
    if (std::exchange(mPushed, true)) {
        ++mDocument.mNameTypingSerial;
        if (mDocument.currentIndex() != mIndex)
            mDocument.select(mIndex);
    }
    emit mDocument.recordChanged(mIndex, mField);
}

RecordsCommand::RecordsCommand(LandmarkDocument& document, Field field, const std::vector<int>& indices,
                               std::uint8_t value)
    : RecordsCommand(document, field, indices, std::vector<std::uint8_t>(indices.size(), value)) {}

RecordsCommand::RecordsCommand(LandmarkDocument& document, Field field, std::vector<int> indices,
                               std::vector<std::uint8_t> values)
    : mDocument(document), mField(field), mIndices(indices.begin(), indices.end()),
      mValues(std::move(values)) {
    mStep = {editField(field), true, {}};
    mStep.records.reserve(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        mStep.records.push_back(
            {static_cast<std::uint16_t>(indices[i]),
             fieldValue(document.set(), static_cast<std::size_t>(indices[i]), mStep.field),
             FieldValue(1, static_cast<char>(mValues[i]))});
    const QString subject = landmarkCount(mIndices.size());
    setText(field == Field::Side ? sideStep(subject) : activeStep(mValues.front(), subject));
}

void RecordsCommand::swap() {
    LandmarkSet& set = *mDocument.mSet;
    for (qsizetype i = 0; i < mIndices.size(); ++i) {
        const auto index = static_cast<std::size_t>(mIndices[i]);
        std::uint8_t& value = mValues[static_cast<std::size_t>(i)];
        if (mField == Field::Active) {
            const std::uint8_t flag = set.disabledFlag(index);
            set.setDisabled(index, value);
            value = flag;
        } else {
            LandmarkRecord record = set.record(index);
            std::swap(record.side, value);
            set.setRecord(index, record);
        }
    }
    // Typing into a name never continues across another step.
    ++mDocument.mNameTypingSerial;
    emit mDocument.recordsChanged(mIndices, mField);
}

} // namespace korvland
