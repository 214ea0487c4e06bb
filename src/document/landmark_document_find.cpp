// Finding names, the tables' filter and the selection of an ownership cell.
#include "document/landmark_document.h"

namespace korvland {

namespace {

QList<int> toList(const std::vector<std::size_t>& indices) {
    QList<int> list;
    list.reserve(static_cast<qsizetype>(indices.size()));
    for (std::size_t index : indices)
        list.append(static_cast<int>(index));
    return list;
}

} // namespace

std::optional<FindMatch> LandmarkDocument::find(const QString& text, FindStep step) {
    const std::optional<FindMatch> match = findMatch(
        *mSet, NameMatcher(text.toStdString()), static_cast<std::size_t>(std::max(currentIndex(), 0)), step);
    if (match)
        select(static_cast<int>(match->index));
    return match;
}

int LandmarkDocument::selectAllMatches(const QString& text) {
    const std::vector<std::size_t> matches = allMatches(*mSet, NameMatcher(text.toStdString()));
    if (!matches.empty())
        setSelection(toList(matches));
    return static_cast<int>(matches.size());
}

void LandmarkDocument::setFilter(const LandmarkFilter& filter) {
    if (filter == mFilter)
        return;
    mFilter = filter;
    mFilterPredicate = FilterPredicate(mFilter);
    emit filterChanged();
}

bool LandmarkDocument::dropFilter() {
    if (mFilter.isEmpty())
        return false;
    mFilter = LandmarkFilter{};
    mFilterPredicate = FilterPredicate(mFilter);
    return true;
}

bool LandmarkDocument::passesFilter(int index) const {
    const auto i = static_cast<std::size_t>(index);
    return inRange(index) && mFilterPredicate(i, mSet->record(i), mSet->disabledFlag(i));
}

QList<int> LandmarkDocument::filteredIndices() const {
    return toList(korvland::filteredIndices(*mSet, mFilter));
}

int LandmarkDocument::selectOwnershipCell(OwnershipCell cell) {
    const std::vector<std::size_t> records = recordsInOwnershipCell(*mSet, cell);
    setSelection(toList(records));
    return static_cast<int>(records.size());
}

void LandmarkDocument::filterToSelection(const QString& description) {
    RecordChoice choice{{}, description.toStdString()};
    choice.indices.reserve(mSelection.count());
    for (std::size_t i = 0; i < static_cast<std::size_t>(recordCount()); ++i)
        if (mSelection.test(i))
            choice.indices.push_back(i);
    LandmarkFilter filter;
    filter.only = std::move(choice);
    setFilter(filter);
}

} // namespace korvland
