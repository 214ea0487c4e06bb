#pragma once

#include "data/landmark_set.h"

#include <QColor>
#include <QGraphicsItem>
#include <QPointF>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace korvland {

// What a comparison with another version of the file shows on the map: the markers whose
// record differs, those only this file has, and where the records only the other file has
// would stand. Records are paired as the command line's diff pairs them; a record that only
// moved within the file is not marked, since its landmark is the same.
struct ComparisonMarks {
    std::vector<int> changed;  // record indices of this file
    std::vector<int> onlyHere; // record indices of this file
    std::vector<QPointF> onlyThere;
    // What changed, per record index of this file ("side German → Allied"); empty when
    // nothing did.
    std::vector<QString> notes;
};

// Compares `other` (the earlier version) with what `current` would write and finds the marks; `centres` are
// the markers' centres by record index, and the records only in `other` are placed by the
// projection of `current` at this region and scale.
ComparisonMarks compareForMap(const LandmarkSet& other, const LandmarkSet& current,
                              const std::vector<QPointF>& centres, int region, float mapScale);

// "Compared with lndmrks0.dat: 26 changed", with the added and removed records when there are,
// and the other file's region when its name gives one other than `region`.
QString comparisonLegendText(const QString& otherName, const ComparisonMarks& marks, int region);
// The legend in a small dark box with its top-left corner at `corner`; returns its size.
QSize comparisonLegendSize(const QString& text);
void paintComparisonLegend(QPainter& painter, QPoint corner, const QString& text);

// The ring colour of the comparison, used for nothing else on the map.
QColor comparisonColour();

// The rings around changed and added markers and the dashed rings where removed records
// stood, above the markers and under the highlight; never under the pointer.
class ComparisonItem : public QGraphicsItem {
  public:
    ComparisonItem();
    void setMarks(const ComparisonMarks& marks, const std::vector<QPointF>& centres);
    // The centres ringed as changed, added (with a plus) and removed (dashed).
    const std::vector<QPointF>& changedCentres() const { return mChanged; }
    const std::vector<QPointF>& addedCentres() const { return mAdded; }
    const std::vector<QPointF>& removedCentres() const { return mRemoved; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    std::vector<QPointF> mChanged;
    std::vector<QPointF> mAdded;
    std::vector<QPointF> mRemoved;
    QRectF mBounds;
};

// The ring's radius: clear of the 22-pixel frame's corners.
inline constexpr qreal kComparisonRingRadius = 17;

} // namespace korvland
