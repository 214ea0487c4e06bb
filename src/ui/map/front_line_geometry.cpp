#include "ui/map/front_line_geometry.h"

#include <boost/polygon/voronoi.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace korvland {

namespace {

using GridPoint = boost::polygon::point_data<std::int32_t>;

// The builder takes integer positions. A sixteenth of a pixel keeps sites that share a
// marker pixel but not a coordinate apart; a map so large that its positions would leave
// this range on that grid gets a coarser one.
constexpr double kFinestGrid = 16.0;
constexpr double kGridLimit = 1 << 30;

// A corner of a cell and, for the side that leaves it toward the next corner, the site
// across that side (none: the content rectangle's edge).
constexpr std::size_t kNoNeighbour = static_cast<std::size_t>(-1);
struct Corner {
    FrontPoint point;
    std::size_t across = kNoNeighbour;
};

bool isFinite(FrontPoint point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

double gridFor(std::span<const FrontSite> sites) {
    double farthest = 0;
    for (const FrontSite& site : sites) {
        if (isFinite(site.position))
            farthest = std::max({farthest, std::abs(site.position.x), std::abs(site.position.y)});
    }
    double grid = kFinestGrid;
    while (grid > 1.0 && farthest * grid > kGridLimit)
        grid /= 2.0;
    return grid;
}

// The sites that take part, by index into `sites`, and their grid positions: finite, within
// the grid's range, the first of each position.
struct GridSites {
    std::vector<std::size_t> indices;
    std::vector<GridPoint> points;
};

GridSites gridSites(std::span<const FrontSite> sites, double grid) {
    std::vector<std::tuple<std::int32_t, std::int32_t, std::size_t>> keyed;
    keyed.reserve(sites.size());
    for (std::size_t i = 0; i < sites.size(); ++i) {
        const FrontPoint p = sites[i].position;
        if (!isFinite(p))
            continue;
        const double x = std::round(p.x * grid);
        const double y = std::round(p.y * grid);
        if (std::abs(x) > kGridLimit || std::abs(y) > kGridLimit)
            continue;
        keyed.emplace_back(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), i);
    }
    std::sort(keyed.begin(), keyed.end());
    GridSites result;
    for (std::size_t k = 0; k < keyed.size(); ++k) {
        const auto [x, y, index] = keyed[k];
        if (k > 0 && std::get<0>(keyed[k - 1]) == x && std::get<1>(keyed[k - 1]) == y)
            continue;
        result.indices.push_back(index);
        result.points.emplace_back(x, y);
    }
    return result;
}

// Keeps the part of a convex polygon where normal·p <= limit; the side the cut makes
// faces `across`.
std::vector<Corner> clipped(const std::vector<Corner>& polygon, FrontPoint normal, double limit,
                            std::size_t across) {
    const auto excess = [&](FrontPoint p) { return normal.x * p.x + normal.y * p.y - limit; };
    std::vector<Corner> result;
    result.reserve(polygon.size() + 1);
    for (std::size_t k = 0; k < polygon.size(); ++k) {
        const Corner& a = polygon[k];
        const Corner& b = polygon[(k + 1) % polygon.size()];
        const double ea = excess(a.point);
        const double eb = excess(b.point);
        const auto crossing = [&] {
            const double t = ea / (ea - eb);
            return FrontPoint{a.point.x + t * (b.point.x - a.point.x),
                              a.point.y + t * (b.point.y - a.point.y)};
        };
        if (ea <= 0) {
            result.push_back(a);
            if (eb > 0)
                result.push_back({crossing(), across});
        } else if (eb <= 0) {
            result.push_back({crossing(), a.across});
        }
    }
    return result;
}

// The neighbours of each cell of the diagram, by index into the builder's input.
std::vector<std::vector<std::size_t>> neighboursOf(const std::vector<GridPoint>& points) {
    boost::polygon::voronoi_diagram<double> diagram;
    boost::polygon::construct_voronoi(points.begin(), points.end(), &diagram);
    std::vector<std::vector<std::size_t>> neighbours(points.size());
    for (const auto& cell : diagram.cells()) {
        const auto* first = cell.incident_edge();
        if (!first)
            continue; // the only site: its cell is the whole plane
        const auto* edge = first;
        do {
            neighbours[cell.source_index()].push_back(edge->twin()->cell()->source_index());
            edge = edge->next();
        } while (edge != first);
    }
    return neighbours;
}

} // namespace

bool holdsGround(const LandmarkRecord& record, std::uint8_t disabledFlag) {
    const bool standsOnMap = record.loFileType != kDisabledType && record.loFileType <= 8;
    return disabledFlag == 0 && standsOnMap && std::isfinite(record.northSouth) &&
           std::isfinite(record.eastWest);
}

std::vector<FrontSite> frontSites(std::span<const LandmarkRecord> records,
                                  std::span<const std::uint8_t> flags, std::span<const MapPoint> centres) {
    std::vector<FrontSite> sites;
    const std::size_t count = std::min({records.size(), flags.size(), centres.size()});
    for (std::size_t i = 0; i < count; ++i) {
        if (!holdsGround(records[i], flags[i]))
            continue;
        const FrontSide side = isAllied(records[i].side) ? FrontSide::Allied : FrontSide::German;
        sites.push_back({{static_cast<double>(centres[i].x), static_cast<double>(centres[i].y)}, side, i});
    }
    return sites;
}

FrontLineGeometry computeFrontLine(std::span<const FrontSite> sites, FrontRect content) {
    FrontLineGeometry geometry;
    const double grid = gridFor(sites);
    const GridSites taking = gridSites(sites, grid);
    if (taking.points.empty() || !(content.right > content.left) || !(content.bottom > content.top))
        return geometry;
    const std::vector<std::vector<std::size_t>> neighbours = neighboursOf(taking.points);

    // The positions as the builder saw them, in pixels.
    std::vector<FrontPoint> at(taking.points.size());
    for (std::size_t i = 0; i < at.size(); ++i)
        at[i] = {taking.points[i].x() / grid, taking.points[i].y() / grid};
    const auto sideOf = [&](std::size_t i) { return sites[taking.indices[i]].side; };

    for (std::size_t i = 0; i < at.size(); ++i) {
        std::vector<Corner> polygon{{{content.left, content.top}},
                                    {{content.right, content.top}},
                                    {{content.right, content.bottom}},
                                    {{content.left, content.bottom}}};
        // The half of the plane nearer to site i than to site j: the bisector of the two.
        for (const std::size_t j : neighbours[i]) {
            const FrontPoint normal{at[j].x - at[i].x, at[j].y - at[i].y};
            const double limit =
                (at[j].x * at[j].x + at[j].y * at[j].y - at[i].x * at[i].x - at[i].y * at[i].y) / 2.0;
            polygon = clipped(polygon, normal, limit, j);
            if (polygon.size() < 3)
                break;
        }
        if (polygon.size() < 3)
            continue;
        FrontCell cell{taking.indices[i], sideOf(i), {}};
        cell.corners.reserve(polygon.size());
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            cell.corners.push_back(polygon[k].point);
            const std::size_t across = polygon[k].across;
            // Each piece of the front once: from the German side.
            if (across != kNoNeighbour && sideOf(i) == FrontSide::German &&
                sideOf(across) == FrontSide::Allied) {
                const FrontPoint to = polygon[(k + 1) % polygon.size()].point;
                if (to != polygon[k].point)
                    geometry.front.push_back({polygon[k].point, to});
            }
        }
        geometry.cells.push_back(std::move(cell));
    }
    return geometry;
}

} // namespace korvland
