#include "ui/map/label_placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <tuple>
#include <unordered_map>

namespace korvland {

namespace {

// Rectangles bucketed in square cells, so that a candidate is tested only against what lies
// near it: a thousand names on a thousand markers take a few thousand tests, not a million.
class RectGrid {
  public:
    explicit RectGrid(qreal cell) : mCell(cell) {}

    void insert(const QRectF& rect) {
        const int id = static_cast<int>(mRects.size());
        mRects.push_back(rect);
        forCells(rect, [this, id](long long key) {
            mCells[key].push_back(id);
            return false;
        });
    }

    // True when `rect` overlaps a stored rectangle (touching edges do not overlap).
    bool overlaps(const QRectF& rect) const {
        return forCells(rect, [this, &rect](long long key) {
            const auto found = mCells.find(key);
            if (found == mCells.end())
                return false;
            return std::any_of(found->second.begin(), found->second.end(), [this, &rect](int id) {
                return mRects[static_cast<std::size_t>(id)].intersects(rect);
            });
        });
    }

  private:
    // Calls `visit` with the key of every cell the rectangle touches until it returns true.
    template <typename Visit> bool forCells(const QRectF& rect, Visit visit) const {
        const auto first = [this](qreal v) { return static_cast<long long>(std::floor(v / mCell)); };
        const long long left = first(rect.left());
        const long long right = first(rect.right());
        const long long top = first(rect.top());
        const long long bottom = first(rect.bottom());
        for (long long y = top; y <= bottom; ++y)
            for (long long x = left; x <= right; ++x)
                if (visit((y << 32) ^ (x & 0xFFFFFFFF)))
                    return true;
        return false;
    }

    qreal mCell;
    std::vector<QRectF> mRects;
    std::unordered_map<long long, std::vector<int>> mCells;
};

} // namespace

int labelRank(LandmarkKind kind) {
    // Where names compete for room the more important place wins it: an airfield's name
    // matters more to a pilot than a village's.
    static constexpr LandmarkKind kImportance[] = {
        LandmarkKind::Airfield, LandmarkKind::City,   LandmarkKind::Factory, LandmarkKind::TrainStation,
        LandmarkKind::Supply,   LandmarkKind::Bridge, LandmarkKind::Town,    LandmarkKind::Troops,
        LandmarkKind::Balloon,  LandmarkKind::Village};
    const auto found = std::find(std::begin(kImportance), std::end(kImportance), kind);
    return static_cast<int>(found - std::begin(kImportance));
}

bool labelShownAtScale(int rank, float mapScale) {
    constexpr int kLastAtHalfScale = 1; // airfields and cities
    constexpr int kLastAtFullScale = 6; // and factories, stations, depots, bridges and towns
    if (mapScale < 1.0f)
        return rank <= kLastAtHalfScale;
    if (mapScale < 2.0f)
        return rank <= kLastAtFullScale;
    return true;
}

std::vector<QRectF> placeLabels(std::span<const QPointF> markerCentres, qreal frameSize,
                                std::span<const LabelRequest> requests, const QRectF& surface) {
    RectGrid grid(64);
    const qreal half = frameSize / 2;
    for (const QPointF& centre : markerCentres)
        grid.insert(QRectF(centre.x() - half, centre.y() - half, frameSize, frameSize));

    std::vector<std::size_t> order(requests.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // By importance, then from the north-west, so that the names shown do not depend on the
    // order of the records in the file.
    const auto key = [&](std::size_t k) {
        const int marker = requests[k].marker;
        const QPointF c = marker >= 0 && static_cast<std::size_t>(marker) < markerCentres.size()
                              ? markerCentres[static_cast<std::size_t>(marker)]
                              : QPointF();
        return std::tuple(requests[k].rank, c.y(), c.x());
    };
    std::stable_sort(order.begin(), order.end(),
                     [&key](std::size_t x, std::size_t y) { return key(x) < key(y); });

    std::vector<QRectF> placed(requests.size());
    for (std::size_t k : order) {
        const LabelRequest& request = requests[k];
        if (request.marker < 0 || static_cast<std::size_t>(request.marker) >= markerCentres.size())
            continue;
        const QPointF c = markerCentres[static_cast<std::size_t>(request.marker)];
        const qreal w = request.size.width();
        const qreal h = request.size.height();
        const qreal reach = half + kLabelGap;
        // Beside: level with the marker, then with its frame's top or bottom; above and below:
        // centred, then from its frame's left or to its right edge. Each is kept on the
        // surface along the side it touches, so that a marker at an edge keeps its name.
        const auto along = [](qreal at, qreal first, qreal last) {
            return std::clamp(at, first, std::max(first, last));
        };
        const qreal levels[] = {c.y() - h / 2, c.y() - half, c.y() + half - h};
        const qreal offsets[] = {c.x() - w / 2, c.x() - half, c.x() + half - w};
        std::array<QRectF, 12> candidates;
        std::size_t count = 0;
        for (const qreal x : {c.x() + reach, c.x() - reach - w})
            for (const qreal y : levels)
                candidates[count++] = QRectF(x, along(y, surface.top(), surface.bottom() - h), w, h);
        for (const qreal y : {c.y() - reach - h, c.y() + reach})
            for (const qreal x : offsets)
                candidates[count++] = QRectF(along(x, surface.left(), surface.right() - w), y, w, h);
        for (const QRectF& candidate : candidates) {
            if (!surface.contains(candidate) || grid.overlaps(candidate))
                continue;
            grid.insert(candidate);
            placed[k] = candidate;
            break;
        }
    }
    return placed;
}

} // namespace korvland
