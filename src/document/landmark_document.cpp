#include "document/landmark_document.h"

#include "data/bulk_edit.h"
#include "data/region.h"
#include "data/text_codec.h"
#include "document/native_path.h"
#include "document/record_commands.h"
#include "document/recovery_keeper.h"
#include "document/region_name.h"

#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

namespace korvland {

LandmarkDocument::LandmarkDocument(QObject* parent)
    : QObject(parent), mSet(std::make_unique<LandmarkSet>()), mUndoStack(new QUndoStack(this)),
      mProposedSaveName(QString::fromLatin1(regionTexts(0).proposedName)) {
    connect(mUndoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

LandmarkDocument::~LandmarkDocument() {
    // The steps go before the set they refer to, and a document on its way out announces
    // nothing to windows that may already be gone.
    disconnect(mUndoStack, nullptr, this, nullptr);
    // Emptying the history on the way out is no operator's letting the work go: the copy
    // stays for the next start.
    delete mRecoveryKeeper;
    delete mUndoStack;
}

QString LandmarkDocument::filePath() const {
    return QFile::decodeName(QByteArray::fromStdString(mSet->landmarkPath()));
}

bool LandmarkDocument::isModified() const {
    return !mUndoStack->isClean();
}

// --- files -------------------------------------------------------------------------------

void LandmarkDocument::read(const QString& path) {
    emit readStarting();
    mSet->read(nativePath(path));
    mFiles.read(nativePath(path));
    mCleanIsFile = true;
    finishRead();
}

void LandmarkDocument::openProfile(const QString& path) {
    emit readStarting();
    mSet->openProfile(nativePath(path));
    mFiles.read(mSet->landmarkPath());
    mCleanIsFile = false;
    finishRead();
}

void LandmarkDocument::finishRead(bool keepHistory) {
    // The old file's steps go first, so that every window told of the new set finds the
    // document whole: unmodified (or holding the steps laid onto it), record 1 current,
    // nothing selected.
    if (!keepHistory)
        mUndoStack->clear();
    watchFile();
    const int oldRegion = mRegion;
    const bool oldRegionKnown = mRegionKnown;
    const QString oldName = mProposedSaveName;
    const QString oldFolder = mProposedSaveFolder;
    takeRegionFromFileName();
    const bool selectionMoved = selectOnlyQuietly(0);
    mSet->selectRecord(1);
    ++mNameTypingSerial;
    const bool hadFilter = dropFilter();

    emit setReplaced();
    if (mRegion != oldRegion || mRegionKnown != oldRegionKnown || mProposedSaveName != oldName ||
        mProposedSaveFolder != oldFolder)
        emit regionChanged(mRegion);
    emit currentChanged(0);
    if (selectionMoved)
        emit selectionChanged();
    if (hadFilter)
        emit filterChanged();
}

void LandmarkDocument::takeRegionFromFileName() {
    // The stored name itself becomes lower case; the match is on the name alone.
    mSet->setCurrentFileName(regionFileName(mSet->currentFileName()));
    if (const std::optional<int> region = detectRegion(mSet->currentFileName())) {
        mRegion = *region;
        mRegionKnown = true;
        mProposedSaveName = QString::fromLatin1(regionTexts(*region).proposedName);
        mProposedSaveFolder.clear();
        return;
    }
    // The region stays, but its file is not this one: proposing the region's name would
    // put these landmarks over another file.
    const QFileInfo file(filePath());
    mProposedSaveName = file.fileName();
    mProposedSaveFolder = file.absolutePath();
}

void LandmarkDocument::write(const QString& path) {
    const QString before = filePath();
    mSet->writeLandmarkFile(nativePath(path));
    mFiles.wrote(nativePath(path));
    mCleanIsFile = true;
    mUndoStack->setClean();
    watchFile();
    if (filePath() != before)
        emit filePathChanged();
}

void LandmarkDocument::saveProfile(const QString& path) {
    mSet->saveProfile(nativePath(path));
    mFiles.wrote(nativePath(path));
}

bool LandmarkDocument::changedOnDisk(const QString& path) const {
    return mFiles.changedByAnother(nativePath(path));
}

std::optional<FileStamp> LandmarkDocument::fileStamp() const {
    return mFiles.stampOf(mSet->landmarkPath());
}

// --- unsaved work ------------------------------------------------------------------------

void LandmarkDocument::keepRecoveryCopies(const QString& folder) {
    delete mRecoveryKeeper;
    mRecoveryKeeper = new RecoveryKeeper(*this, nativePath(folder));
}

// --- the current record ------------------------------------------------------------------

bool LandmarkDocument::select(int index, SelectionUpdate update) {
    if (!inRange(index) && index != 0)
        return false;
    ++mNameTypingSerial;
    mSet->selectRecord(index + 1);
    // Both are in place before either is announced: a window told of the new current record
    // finds the selection that goes with it.
    const bool selectionMoved = update == SelectionUpdate::ClearAndSelect && selectOnlyQuietly(index);
    emit currentChanged(index);
    if (selectionMoved)
        emit selectionChanged();
    return true;
}

bool LandmarkDocument::selectOnlyQuietly(int index) {
    std::bitset<kMaxRecords> only;
    if (inRange(index))
        only.set(static_cast<std::size_t>(index));
    if (only == mSelection)
        return false;
    mSelection = only;
    return true;
}

// --- edits of one record -----------------------------------------------------------------

bool LandmarkDocument::pushRecordEdit(int index, Field field, const LandmarkRecord& changed) {
    if (!inRange(index) || changed == record(index))
        return false;
    mUndoStack->push(
        new RecordCommand(*this, index, field, changed, mSet->disabledFlag(static_cast<std::size_t>(index))));
    return true;
}

bool LandmarkDocument::setName(int index, const QString& name) {
    if (!inRange(index))
        return false;
    const std::optional<std::string> bytes = encodeCp1252(name.toStdString());
    if (!bytes)
        return false;
    LandmarkRecord changed = record(index);
    changed.setNameBytes(*bytes);
    return pushRecordEdit(index, Field::Name, changed);
}

void LandmarkDocument::endNameTyping() {
    ++mNameTypingSerial;
}

bool LandmarkDocument::setType(int index, std::uint8_t type) {
    if (!inRange(index))
        return false;
    LandmarkRecord changed = record(index);
    changed.loFileType = type;
    return pushRecordEdit(index, Field::Type, changed);
}

bool LandmarkDocument::setSubType(int index, std::uint8_t subType) {
    if (!inRange(index))
        return false;
    LandmarkRecord changed = record(index);
    changed.loFileNo = subType;
    return pushRecordEdit(index, Field::SubType, changed);
}

bool LandmarkDocument::setSide(int index, std::uint8_t side) {
    if (!inRange(index))
        return false;
    LandmarkRecord changed = record(index);
    changed.side = side;
    return pushRecordEdit(index, Field::Side, changed);
}

LandmarkDocument::ActiveEdit LandmarkDocument::setActive(int index, bool active) {
    if (!inRange(index))
        return ActiveEdit::Unchanged;
    const std::uint8_t flag = active ? 0 : 1;
    if (mSet->disabledFlag(static_cast<std::size_t>(index)) == flag)
        return ActiveEdit::Unchanged;
    // Type 6 is written as switched off whatever the flag says.
    if (active && record(index).loFileType == kDisabledType)
        return ActiveEdit::Refused;
    mUndoStack->push(new RecordCommand(*this, index, Field::Active, record(index), flag));
    return ActiveEdit::Changed;
}

// --- the selection -----------------------------------------------------------------------

bool LandmarkDocument::isSelected(int index) const {
    return inRange(index) && mSelection.test(static_cast<std::size_t>(index));
}

QList<int> LandmarkDocument::selectedIndices() const {
    QList<int> indices;
    indices.reserve(selectedCount());
    for (int i = 0; i < recordCount(); ++i) {
        if (mSelection.test(static_cast<std::size_t>(i)))
            indices.append(i);
    }
    return indices;
}

void LandmarkDocument::changeSelection(const std::bitset<kMaxRecords>& selection) {
    if (selection == mSelection)
        return;
    mSelection = selection;
    emit selectionChanged();
}

void LandmarkDocument::setSelection(const QList<int>& indices) {
    std::bitset<kMaxRecords> selection;
    for (int index : indices) {
        if (inRange(index))
            selection.set(static_cast<std::size_t>(index));
    }
    changeSelection(selection);
}

void LandmarkDocument::addToSelection(const QList<int>& indices) {
    std::bitset<kMaxRecords> selection = mSelection;
    for (int index : indices) {
        if (inRange(index))
            selection.set(static_cast<std::size_t>(index));
    }
    changeSelection(selection);
}

void LandmarkDocument::removeFromSelection(const QList<int>& indices) {
    std::bitset<kMaxRecords> selection = mSelection;
    for (int index : indices) {
        if (inRange(index))
            selection.reset(static_cast<std::size_t>(index));
    }
    changeSelection(selection);
}

void LandmarkDocument::toggleSelected(int index) {
    if (!inRange(index))
        return;
    std::bitset<kMaxRecords> selection = mSelection;
    selection.flip(static_cast<std::size_t>(index));
    changeSelection(selection);
}

namespace {

std::bitset<kMaxRecords> firstRecords(int count) {
    std::bitset<kMaxRecords> all;
    for (int i = 0; i < count; ++i)
        all.set(static_cast<std::size_t>(i));
    return all;
}

} // namespace

std::bitset<kMaxRecords> LandmarkDocument::shownRecords() const {
    if (!isFiltered())
        return firstRecords(recordCount());
    std::bitset<kMaxRecords> shown;
    for (int i = 0; i < recordCount(); ++i)
        shown.set(static_cast<std::size_t>(i), passesFilter(i));
    return shown;
}

void LandmarkDocument::selectAll() {
    changeSelection(shownRecords());
}

void LandmarkDocument::selectNone() {
    changeSelection({});
}

void LandmarkDocument::invertSelection() {
    changeSelection(shownRecords() ^ mSelection);
}

int LandmarkDocument::hiddenSelectedCount() const {
    return static_cast<int>((mSelection & ~shownRecords()).count());
}

// --- edits of the selection --------------------------------------------------------------

LandmarkDocument::BulkEdit LandmarkDocument::pushSelectionEdit(Field field, std::uint8_t value,
                                                               EditScope scope) {
    const std::bitset<kMaxRecords> edited =
        scope == EditScope::ShownSelection ? mSelection & shownRecords() : mSelection;
    std::vector<std::size_t> selected;
    selected.reserve(edited.count());
    for (std::size_t i = 0; i < static_cast<std::size_t>(recordCount()); ++i) {
        if (edited.test(i))
            selected.push_back(i);
    }
    using Action = LandmarkEdit::Action;
    const Action action = field == Field::Side ? Action::SetSide
                          : value == 0         ? Action::SwitchOn
                                               : Action::SwitchOff;
    const BulkEditOutcome outcome = planBulkEdit(*mSet, selected, LandmarkEdit{action, value, std::nullopt});
    const BulkEdit result{static_cast<int>(outcome.changed.size()), static_cast<int>(outcome.leftOff)};
    if (result.changed > 0)
        mUndoStack->push(new RecordsCommand(
            *this, field, std::vector<int>(outcome.changed.begin(), outcome.changed.end()), value));
    if (result.changed > 0 || result.leftOff > 0)
        emit selectionEdited(field, result);
    return result;
}

LandmarkDocument::BulkEdit LandmarkDocument::switchOnSelection(EditScope scope) {
    return pushSelectionEdit(Field::Active, 0, scope);
}

LandmarkDocument::BulkEdit LandmarkDocument::switchOffSelection(EditScope scope) {
    return pushSelectionEdit(Field::Active, 1, scope);
}

LandmarkDocument::BulkEdit LandmarkDocument::setSideOfSelection(std::uint8_t side, EditScope scope) {
    return pushSelectionEdit(Field::Side, side, scope);
}

} // namespace korvland
