#include "ui/map/label_placement.h"

#include <algorithm>
#include <cmath>
#include <numeric>
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
    switch (kind) {
    case LandmarkKind::City:
    case LandmarkKind::Airfield:
        return 0;
    case LandmarkKind::Town:
    case LandmarkKind::Supply:
    case LandmarkKind::TrainStation:
    case LandmarkKind::Factory:
    case LandmarkKind::Bridge:
        return 1;
    default:
        return 2;
    }
}

bool labelShownAtScale(int rank, float mapScale) {
    if (mapScale < 1.0f)
        return rank == 0;
    if (mapScale < 2.0f)
        return rank <= 1;
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
    std::stable_sort(order.begin(), order.end(), [&requests](std::size_t x, std::size_t y) {
        return requests[x].rank < requests[y].rank;
    });

    std::vector<QRectF> placed(requests.size());
    for (std::size_t k : order) {
        const LabelRequest& request = requests[k];
        if (request.marker < 0 || static_cast<std::size_t>(request.marker) >= markerCentres.size())
            continue;
        const QPointF c = markerCentres[static_cast<std::size_t>(request.marker)];
        const qreal w = request.size.width();
        const qreal h = request.size.height();
        const qreal reach = half + kLabelGap;
        const QRectF candidates[] = {
            QRectF(c.x() + reach, c.y() - h / 2, w, h),     // right
            QRectF(c.x() - reach - w, c.y() - h / 2, w, h), // left
            QRectF(c.x() - w / 2, c.y() - reach - h, w, h), // above
            QRectF(c.x() - w / 2, c.y() + reach, w, h),     // below
        };
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
