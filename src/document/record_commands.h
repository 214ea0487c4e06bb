#pragma once

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

  private:
    void swap();

    LandmarkDocument& mDocument;
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
    RecordsCommand(LandmarkDocument& document, LandmarkDocument::Field field, std::vector<int> indices,
                   std::uint8_t value);

    void undo() override { swap(); }
    void redo() override { swap(); }

  private:
    void swap();

    LandmarkDocument& mDocument;
    LandmarkDocument::Field mField;
    QList<int> mIndices;
    std::vector<std::uint8_t> mValues;
};

// The name a step's text gives a record: its name, or "Landmark 12" (its number) when the
// name is empty.
QString recordLabel(const LandmarkSet& set, int index);

} // namespace korvland
