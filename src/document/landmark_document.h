#pragma once

#include "data/edit_steps.h"
#include "data/file_identity.h"
#include "data/landmark_filter.h"
#include "data/landmark_set.h"
#include "data/ownership_count.h"

#include <QList>
#include <QObject>
#include <QString>

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QFileSystemWatcher;
class QUndoStack;

namespace korvland {

class RecoveryKeeper;
struct RecoveryEntry;

// The open landmark file and everything about it that is not a window's own: the set, the
// current record, the selection of many records, the region and the save name it proposes,
// the file it came from and what that file held on disk when it was read or written, and
// whether the set differs from what was last saved. Windows read it
// through the accessors, change it only through the operations below and follow it through
// the signals. Every change of a record is a step on the undo stack; "modified" is the
// stack's distance from its clean state.
class LandmarkDocument : public QObject {
    Q_OBJECT
  public:
    // What a recordChanged or recordsChanged signal says changed.
    enum class Field { Name, Type, SubType, Side, Active };
    Q_ENUM(Field)

    // The outcome of switching a record on: a landmark of type 6 stays switched off.
    enum class ActiveEdit { Changed, Unchanged, Refused };

    // The outcome of an edit of the selection: the records the step changed, and those a
    // rule left as they were (a type-6 landmark is not switched on).
    struct BulkEdit {
        int changed = 0;
        int leftOff = 0;
        bool operator==(const BulkEdit&) const = default;
    };

    explicit LandmarkDocument(QObject* parent = nullptr);
    ~LandmarkDocument() override;

    // --- reading the state -------------------------------------------------------------
    const LandmarkSet& set() const { return *mSet; }
    int recordCount() const { return mSet->recordCount(); }
    bool isLoaded() const { return mSet->isLoaded(); }
    int currentIndex() const { return mSet->currentIndex(); }
    const LandmarkRecord& currentRecord() const { return mSet->currentRecord(); }
    const LandmarkRecord& record(int index) const { return mSet->record(static_cast<std::size_t>(index)); }
    bool isActive(int index) const { return mSet->disabledFlag(static_cast<std::size_t>(index)) == 0; }
    // The landmark file the set was read from (for a profile, the file the profile names).
    QString filePath() const;

    // The theatre, 0 to 4: that of the last file read whose name named one, 0 before.
    int region() const { return mRegion; }
    // Whether any file read so far named a region (the editor's location line stays empty
    // until then).
    bool regionKnown() const { return mRegionKnown; }
    // What "Save Landmark" proposes: the region's ".dat" name in the landmarks folder when
    // the last file's name named a region; otherwise that file's own name in its own
    // folder, so that a save goes back where the data came from rather than over another
    // region's file.
    QString proposedSaveName() const { return mProposedSaveName; }
    // The folder of the proposal; empty for the landmarks folder.
    QString proposedSaveFolder() const { return mProposedSaveFolder; }

    QUndoStack* undoStack() const { return mUndoStack; }
    bool isModified() const;

    // --- files ---------------------------------------------------------------------------
    // Reads a landmark file (or master copy), or a profile and the landmark file it names.
    // A failure throws UserError and changes nothing: set, current record, selection,
    // region, history and modified state stay as they were. Success replaces the set,
    // makes record 1 current and the selection, detects the region from the file name and
    // clears the history. readStarting is announced before either.
    void read(const QString& path);
    void openProfile(const QString& path);
    // Writes the landmark file; the document then counts as saved (the clean state), and the
    // file written is the document's file (filePathChanged when it is another).
    void write(const QString& path);
    // Writes a profile. Names, types and sides are not in a profile: the document stays
    // modified when it was.
    void saveProfile(const QString& path);
    // Whether `path` names a file this document read or wrote that another program has
    // changed since: a save over it would lose that program's work.
    bool changedOnDisk(const QString& path) const;
    // What the landmark file held when it was read or last written here, when known.
    std::optional<FileStamp> fileStamp() const;

    // --- unsaved work kept against a crash or a kill -----------------------------------------
    // From now on a copy of unsaved work is kept in `folder` (nothing is written anywhere
    // before: tests and tools leave the user's folders alone).
    void keepRecoveryCopies(const QString& folder);
    // The keeper of that copy; none until keepRecoveryCopies.
    RecoveryKeeper* recoveryKeeper() const { return mRecoveryKeeper; }
    // Given the file as it is now and the records where another program changed a field that
    // the unsaved steps change too, the operator's choice: the conflicts whose fields keep the
    // file's values (the others keep the steps'), or nothing to leave everything as it was.
    using ConflictChoice = std::function<std::optional<std::vector<StepConflict>>(
        const LandmarkSet& file, const std::vector<StepConflict>& conflicts)>;
    // Opens the work a recovery copy kept as the document of its original file: that file's
    // path, region and save proposal, modified. Where the copy's steps were kept and the file
    // can be read, the steps are laid onto the file as it is now, as steps of the history, so
    // that what another program changed since stays and each step can be undone; `choose`
    // settles the conflicts (without it the steps' values win). Otherwise the copy's records
    // and flags are taken whole. A copy that cannot be read throws UserError and changes
    // nothing; false when the choice was cancelled, and nothing changed either.
    bool restore(const RecoveryEntry& entry, const ConflictChoice& choose = {});
    // Reads the landmark file again as another program has left it and lays the unsaved steps
    // onto it as steps of the history; the file is not written. False, and nothing changes,
    // when the choice was cancelled or the steps are not known (see unsavedSteps); a file that
    // cannot be read, or has no longer the records the steps name, throws UserError and
    // changes nothing.
    bool mergeWithFileOnDisk(const ConflictChoice& choose = {});
    // How many records the landmark file on disk now differs in from what it held when it was
    // last read or written here, counted as `korvland-cli diff` counts them; nothing when the
    // file cannot be read or the unsaved steps are not known.
    std::optional<int> recordsChangedOnDisk() const;
    // The steps between the landmark file as last read or written and the set now; nothing
    // when they are not known (a profile's flags, work restored whole, a saved state that the
    // history no longer reaches).
    std::optional<std::vector<EditStep>> unsavedSteps() const;

    // --- the current record ----------------------------------------------------------------
    // What a move of the current record does to the selection, as in a list view: a plain
    // move makes the record the selection alone; a move with Ctrl, or a press inside the
    // selection that opens its pop-up menu, leaves the selection as it is.
    enum class SelectionUpdate { ClearAndSelect, Keep };
    // Makes record `index` (0-based) current and announces it, also when it already is:
    // every pick runs the windows' refresh. False, and nothing happens, outside the records
    // (index 0 is accepted on the empty set). Not an undo step.
    bool select(int index, SelectionUpdate update = SelectionUpdate::ClearAndSelect);

    // --- edits of one record, each one undo step; false (and no step) when nothing changes -
    // Windows-1252 text, cut at 40 bytes; false also when the text has a character that
    // code page cannot carry. Typing into one record's name merges into one step until
    // endNameTyping, another step, an undo or a selection.
    bool setName(int index, const QString& name);
    void endNameTyping();
    bool setType(int index, std::uint8_t type);
    bool setSubType(int index, std::uint8_t subType);
    // 0 German, 1 Allied.
    bool setSide(int index, std::uint8_t side);
    // Switched on stores flag 0, off flag 1 (also over a profile's 2). A landmark of type 6
    // is never switched on: Refused, and nothing changes.
    ActiveEdit setActive(int index, bool active);

    // --- the selection: record indices, empty after every open; not undo steps -------------
    bool isSelected(int index) const;
    int selectedCount() const { return static_cast<int>(mSelection.count()); }
    // Ascending.
    QList<int> selectedIndices() const;
    // Indices outside the records are ignored.
    void setSelection(const QList<int>& indices);
    void addToSelection(const QList<int>& indices);
    void removeFromSelection(const QList<int>& indices);
    void toggleSelected(int index);
    // While the filter holds anything, both act on the records that pass it: Select All
    // selects exactly those, Invert Selection flips those and leaves the hidden as they are.
    void selectAll();
    void selectNone();
    void invertSelection();
    // The selected records that the filter hides.
    int hiddenSelectedCount() const;

    // --- edits of the selection, one undo step each (none when nothing changes) -----------
    // Which of the selected records an edit of the selection changes.
    enum class EditScope { WholeSelection, ShownSelection };
    BulkEdit switchOnSelection(EditScope scope = EditScope::WholeSelection);
    BulkEdit switchOffSelection(EditScope scope = EditScope::WholeSelection);
    BulkEdit setSideOfSelection(std::uint8_t side, EditScope scope = EditScope::WholeSelection);

    // --- finding and filtering: not undo steps ----------------------------------------------
    // Makes the nearest record whose name contains `text` (ignoring case and accents)
    // current, searching from the current record and wrapping, and says where it stands
    // among all matches ("3 of 12"). Nothing, and the current record stays, when the text is
    // empty or no name contains it.
    std::optional<FindMatch> find(const QString& text, FindStep step);
    std::optional<FindMatch> findNext(const QString& text) { return find(text, FindStep::Next); }
    std::optional<FindMatch> findPrevious(const QString& text) { return find(text, FindStep::Previous); }
    // Makes every record whose name contains `text` the selection and returns how many they
    // are; with no text or no match the selection stays as it was and 0 is returned.
    int selectAllMatches(const QString& text);

    // What the tables show: empty (every record) after every successful read.
    const LandmarkFilter& filter() const { return mFilter; }
    void setFilter(const LandmarkFilter& filter);
    void clearFilter() { setFilter(LandmarkFilter{}); }
    // Whether record `index` passes the filter; false outside the records.
    bool passesFilter(int index) const;
    // Whether the filter holds anything (after a read it does not).
    bool isFiltered() const { return !mFilter.isEmpty(); }
    // The records that pass, ascending.
    QList<int> filteredIndices() const;

    // Makes exactly the records one ownership cell counts the selection and returns their
    // number, which is always the cell's count.
    int selectOwnershipCell(OwnershipCell cell);
    // Makes the filter show the selected records and nothing else, under `description`
    // ("the 4 Allied bridges"); the name, kind, side and state criteria are let go.
    void filterToSelection(const QString& description);

  signals:
    // A read is about to start, successful or not: windows showing the old set close.
    void readStarting();
    // A read replaced the whole set.
    void setReplaced();
    void currentChanged(int index);
    // One record's name, type, sub-type or side changed, or it was switched on or off (an
    // edit, its undo or its redo).
    void recordChanged(int index, korvland::LandmarkDocument::Field field);
    // An edit of the selection (or its undo or redo) changed `field` of these records, in
    // one signal rather than one per record.
    void recordsChanged(const QList<int>& indices, korvland::LandmarkDocument::Field field);
    void selectionChanged();
    // An edit of the selection has run, whichever window started it: how many records it
    // changed and how many a rule left as they were. Announced after recordsChanged, and also
    // when a rule left every record as it was (no step then).
    void selectionEdited(korvland::LandmarkDocument::Field field,
                         korvland::LandmarkDocument::BulkEdit result);
    void modifiedChanged(bool modified);
    // A save under another name made that file the document's.
    void filePathChanged();
    // The region, or the save name and folder proposed, changed.
    void regionChanged(int region);
    // The filter changed: set, cleared, or emptied by a read.
    void filterChanged();
    // The file system says the landmark file changed, and another program did change its
    // content (not this document's own save).
    void fileChangedOnDisk();

  private:
    friend class RecordCommand;
    friend class RecordsCommand;

    void finishRead(bool keepHistory = false);
    // Replaces the set with `file` (read from the landmark file) and lays `steps` onto it as
    // steps of the history, the file being the saved state.
    void replayOnto(LandmarkSet file, const std::vector<EditStep>& steps);
    void pushReplayed(const EditStep& step);
    // A save of restored work goes back to its own file, wherever that lies.
    void proposeOwnName();
    // Follows the landmark file on disk for fileChangedOnDisk.
    void watchFile();
    void takeRegionFromFileName();
    bool inRange(int index) const { return index >= 0 && index < recordCount(); }
    bool pushRecordEdit(int index, Field field, const LandmarkRecord& changed);
    BulkEdit pushSelectionEdit(Field field, std::uint8_t value, EditScope scope);
    // The records the filter lets through.
    std::bitset<kMaxRecords> shownRecords() const;
    void changeSelection(const std::bitset<kMaxRecords>& selection);
    // The selection of record `index` alone (none outside the records); whether it changed.
    bool selectOnlyQuietly(int index);

    std::unique_ptr<LandmarkSet> mSet;
    // What the files read and written held then, to tell another program's change later.
    FileMemory mFiles;
    RecoveryKeeper* mRecoveryKeeper = nullptr;
    QFileSystemWatcher* mWatcher = nullptr;
    QUndoStack* mUndoStack = nullptr;
    std::bitset<kMaxRecords> mSelection;
    int mRegion = 0;
    bool mRegionKnown = false;
    QString mProposedSaveName;
    QString mProposedSaveFolder;
    // Empties the filter without announcing it; whether it held anything.
    bool dropFilter();

    LandmarkFilter mFilter;
    FilterPredicate mFilterPredicate{LandmarkFilter{}};
    // Name steps merge only while this stays the same.
    int mNameTypingSerial = 0;
    // Whether the saved state is the landmark file itself (not a profile's flags over it, nor
    // work restored whole), so that the steps from it describe the unsaved work.
    bool mCleanIsFile = false;
};

} // namespace korvland
