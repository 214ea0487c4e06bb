#pragma once

#include "data/set_state.h"
#include "document/landmark_document.h"
#include "support/fixture_builder.h"

#include <QSignalSpy>
#include <QUndoStack>

#include <string>
#include <string_view>

namespace korvland::testing {

inline QString qPath(const std::string& path) {
    return QString::fromStdString(path);
}

// Eight records of every interest: record 1 "Vertus" and record 5 "Sedan" are of type 6
// (switched off by the read), record 2 has no name, record 3 is Allied.
inline LandmarkFileBuilder frontLine() {
    LandmarkFileBuilder builder;
    builder.add(makeRecord(101, 0x01, 0x02, 0, "Arras"))
        .add(makeRecord(102, 0x06, 0xAC, 0, "Vertus"))
        .add(makeRecord(103, 0x03, 0x13, 0, ""))
        .add(makeRecord(104, 0x02, 0x05, 1, "Cambrai"))
        .add(makeRecord(105, 0x09, 0x00, 0, "Lens"))
        .add(makeRecord(106, 0x06, 0x10, 1, "Sedan"))
        .add(makeRecord(107, 0x0A, 0x01, 1, "Douai"))
        .add(makeRecord(108, 0x04, 0x07, 0, "Bapaume"))
        .recordSize(70)
        .headerAuxWord(0x4321);
    return builder;
}

// A document read from the front-line file, named `fileName`, in a folder of its own.
struct OpenDocument {
    TempDir dir;
    std::string path;
    LandmarkDocument document;

    explicit OpenDocument(std::string_view fileName = "lndmrks1.dat") {
        path = frontLine().writeTo(dir.path() / fileName);
        document.read(qPath(path));
    }
    QUndoStack& stack() { return *document.undoStack(); }
    std::vector<std::uint8_t> bytes() const { return document.set().compiledBytes(); }
    SetState state() const { return stateOf(document.set()); }
};

} // namespace korvland::testing
