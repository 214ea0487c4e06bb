#pragma once

#include "data/edit_steps.h"
#include "document/landmark_document.h"

#include <QUndoCommand>

#include <cstdint>
#include <vector>

namespace korvland {

// An edit of one record (name, type, sub-type, side or active state). The record and its
// flag are swapped whole with the copy the step holds, so undo and redo are one swap()
// and give back every byte. Undo and redo make the record current again, so the windows
// show what changed. Name steps of one record merge while typing goes on.
class RecordCommand : public QUndoCommand {
  public:
    RecordCommand(LandmarkDocument& document, int index, LandmarkDocument::Field field,
                  const LandmarkRecord& record, std::uint8_t flag);

    void undo() override { swap(); }
    void redo() override { swap(); }
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    // What the step does, from the record as it was before to the record as it left it.
    const EditStep& step() const { return mStep; }

  private:
    void swap();

    LandmarkDocument& mDocument;
    EditStep mStep;
    int mIndex;
    LandmarkDocument::Field mField;
    LandmarkRecord mRecord;
    std::uint8_t mFlag;
    int mTypingSerial;
    bool mPushed = false;
};

// An edit of many records at once (switching on or off, setting the side): one byte per
// record swapped with the value the step holds, announced in one recordsChanged.
class RecordsCommand : public QUndoCommand {
  public:
    RecordsCommand(LandmarkDocument& document, LandmarkDocument::Field field, const std::vector<int>& indices,
                   std::uint8_t value);
    // Each record to its own value (steps laid again onto a file).
    RecordsCommand(LandmarkDocument& document, LandmarkDocument::Field field, std::vector<int> indices,
                   std::vector<std::uint8_t> values);

    void undo() override { swap(); }
    void redo() override { swap(); }
    const EditStep& step() const { return mStep; }

  private:
    void swap();

    LandmarkDocument& mDocument;
    EditStep mStep;
    LandmarkDocument::Field mField;
    QList<int> mIndices;
    std::vector<std::uint8_t> mValues;
};

// What a step of the document's history does; nothing for a step that is not an edit of records.
const EditStep* editStepOf(const QUndoCommand* command);

// The name a step's text gives a record: its name, or "Landmark 12" (its number) when the
// name is empty.
QString recordLabel(const LandmarkSet& set, int index);

} // namespace korvland
