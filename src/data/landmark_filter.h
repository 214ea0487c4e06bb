#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_record.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvland {

class LandmarkSet;

// Whether a name contains a text, ignoring letter case and accents: "crepy" finds
// "Crépy-en-Valois". The text is UTF-8 (as typed); names are the records' 8-bit bytes.
// Both are folded with the code page's own fold, so "strasse" and "STRAßE" find "Straße".
class NameMatcher {
  public:
    explicit NameMatcher(std::string_view utf8Text);

    // No text: every name contains it.
    bool isEmpty() const { return mEmpty; }
    // False for every name when the text has a character no name can hold.
    bool matches(std::string_view nameBytes) const;

  private:
    std::string mFolded;
    bool mEmpty = true;
    bool mEncodable = true;
};

enum class SideFilter { Any, German, Allied };
enum class StateFilter { Any, On, Off };

// The eleven kinds a filter offers, in the order the editor lists them.
inline constexpr std::array<LandmarkKind, 11> kFilterKinds{
    LandmarkKind::Airfield, LandmarkKind::City,    LandmarkKind::Supply,  LandmarkKind::TrainStation,
    LandmarkKind::Troops,   LandmarkKind::Bridge,  LandmarkKind::Factory, LandmarkKind::Balloon,
    LandmarkKind::Town,     LandmarkKind::Village, LandmarkKind::Blank};

// A fixed choice of records, such as those one ownership cell counted, with the words that
// name them for the operator ("the 4 Allied bridges"). It stays the same records while
// their fields change: a bridge given to the other side is still among them.
struct RecordChoice {
    std::vector<std::size_t> indices; // ascending; those beyond the largest set are ignored
    std::string description;          // UTF-8
    bool operator==(const RecordChoice&) const = default;
};

// What the status table shows: the records whose name contains the text, of one kind
// (or any), of one side (or any: side 1 is Allied, every other byte German), switched on
// (flag 0), off (any other flag) or either, and among a fixed choice of records when there
// is one. The default filter lets every record through.
struct LandmarkFilter {
    std::string text; // UTF-8
    std::optional<LandmarkKind> kind;
    SideFilter side = SideFilter::Any;
    StateFilter state = StateFilter::Any;
    std::optional<RecordChoice> only{};

    bool isEmpty() const { return *this == LandmarkFilter{}; }
    bool operator==(const LandmarkFilter&) const = default;
};

// A filter made ready to test many records: the text is folded once.
class FilterPredicate {
  public:
    explicit FilterPredicate(const LandmarkFilter& filter);
    // Whether record `index`, with its disabled flag, passes.
    bool operator()(std::size_t index, const LandmarkRecord& record, std::uint8_t flag) const;

  private:
    NameMatcher mName;
    std::optional<LandmarkKind> mKind;
    SideFilter mSide;
    StateFilter mState;
    std::optional<std::bitset<kMaxRecords>> mOnly;
};

// The indices of the loaded records the filter lets through, ascending.
std::vector<std::size_t> filteredIndices(const LandmarkSet& set, const LandmarkFilter& filter);

// A match of a find: the record's index, and its place among all matches ("3 of 12").
struct FindMatch {
    std::size_t index = 0;
    std::size_t position = 0; // 1-based
    std::size_t count = 0;
    bool operator==(const FindMatch&) const = default;
};

enum class FindStep {
    Here,     // the current record or the next match after it (typing in the find field)
    Next,     // the first match after the current record
    Previous, // the first match before it
};

// The nearest match of `matcher` from record `from` in the direction of `step`, wrapping
// round the loaded records (the current record itself comes last, so a lone match is found
// again). Nothing when the text is empty or no name contains it.
std::optional<FindMatch> findMatch(const LandmarkSet& set, const NameMatcher& matcher, std::size_t from,
                                   FindStep step);
// Every record whose name contains the text, ascending; none for an empty text.
std::vector<std::size_t> allMatches(const LandmarkSet& set, const NameMatcher& matcher);

} // namespace korvland
