#include "data/landmark_filter.h"

#include "data/landmark_set.h"
#include "data/text_codec.h"

#include <algorithm>
#include <bitset>
#include <cstring>

namespace korvland {

namespace {

// The name's bytes up to its first zero byte, or all 40, without a copy.
std::string_view nameOf(const LandmarkRecord& record) {
    const auto* bytes = reinterpret_cast<const char*>(record.name.data());
    const void* zero = std::memchr(bytes, 0, kNameSize);
    return {bytes, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : kNameSize};
}

} // namespace

NameMatcher::NameMatcher(std::string_view utf8Text) : mEmpty(utf8Text.empty()) {
    const std::optional<std::string> bytes = encodeCp1252(utf8Text);
    mEncodable = bytes.has_value();
    if (bytes)
        appendFoldedCp1252(*bytes, mFolded);
}

bool NameMatcher::matches(std::string_view nameBytes) const {
    if (mEmpty)
        return true;
    if (!mEncodable)
        return false;
    // A name is at most 40 bytes, folded at most 80: no allocation for any stored name.
    std::array<char, 2 * kNameSize> buffer;
    std::string longName;
    std::string_view folded;
    if (nameBytes.size() <= kNameSize) {
        folded = {buffer.data(), foldCp1252Into(nameBytes, buffer.data())};
    } else {
        appendFoldedCp1252(nameBytes, longName);
        folded = longName;
    }
    return folded.find(mFolded) != std::string_view::npos;
}

FilterPredicate::FilterPredicate(const LandmarkFilter& filter)
    : mName(filter.text), mKind(filter.kind), mSide(filter.side), mState(filter.state) {
    if (!filter.only)
        return;
    mOnly.emplace();
    for (const std::size_t index : filter.only->indices)
        if (index < kMaxRecords)
            mOnly->set(index);
}

bool FilterPredicate::operator()(std::size_t index, const LandmarkRecord& record, std::uint8_t flag) const {
    if (mOnly && (index >= kMaxRecords || !mOnly->test(index)))
        return false;
    if (mSide != SideFilter::Any && isAllied(record.side) != (mSide == SideFilter::Allied))
        return false;
    if (mState != StateFilter::Any && (flag == 0) != (mState == StateFilter::On))
        return false;
    if (mKind && classifyKind(record.loFileType, record.loFileNo) != *mKind)
        return false;
    return mName.matches(nameOf(record));
}

std::vector<std::size_t> filteredIndices(const LandmarkSet& set, const LandmarkFilter& filter) {
    const FilterPredicate passes(filter);
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < set.recordCount(); ++i)
        if (passes(i, set.record(i), set.disabledFlag(i)))
            indices.push_back(i);
    return indices;
}

std::optional<FindMatch> findMatch(const LandmarkSet& set, const NameMatcher& matcher, std::size_t from,
                                   FindStep step) {
    const std::size_t count = set.recordCount();
    if (matcher.isEmpty() || count == 0)
        return std::nullopt;
    // One pass over the names: which match, and how many.
    std::bitset<kMaxRecords> matches;
    for (std::size_t i = 0; i < count; ++i)
        matches[i] = matcher.matches(nameOf(set.record(i)));
    if (matches.none())
        return std::nullopt;
    from = std::min(from, count - 1);
    std::size_t index = from;
    for (std::size_t k = 0; k < count; ++k) {
        if (step == FindStep::Here)
            index = (from + k) % count;
        else if (step == FindStep::Next)
            index = (from + 1 + k) % count;
        else
            index = (from + count - 1 - k) % count;
        if (matches[index])
            break;
    }
    // The place among all matches: one more than the matches before it.
    const std::size_t before = (matches << (kMaxRecords - index)).count();
    return FindMatch{index, before + 1, matches.count()};
}

std::vector<std::size_t> allMatches(const LandmarkSet& set, const NameMatcher& matcher) {
    std::vector<std::size_t> indices;
    if (matcher.isEmpty())
        return indices;
    for (std::size_t i = 0; i < set.recordCount(); ++i)
        if (matcher.matches(nameOf(set.record(i))))
            indices.push_back(i);
    return indices;
}

} // namespace korvland
