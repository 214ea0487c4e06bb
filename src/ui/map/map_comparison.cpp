#include "ui/map/map_comparison.h"

#include "data/map_projection.h"
#include "data/region.h"
#include "data/set_comparison.h"
#include "ui/common/data_texts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <optional>
#include <string_view>

namespace korvland {

namespace {

constexpr qreal kRingWidth = 2;
constexpr int kLegendPadding = 4;

QString translated(const char* text) {
    return QCoreApplication::translate("korvland::MapComparison", text);
}

// The field names the comparison reports, as the map's hints show them.
QString fieldText(const std::string& field) {
    static const char* const kFields[] = {
        QT_TRANSLATE_NOOP("korvland::MapComparison", "id"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "aux word"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "type"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "sub-type"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "side"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "northSouth"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "eastWest"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "elevation"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "rotation"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "name"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "name bytes after its end"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "state"),
    };
    for (const char* known : kFields)
        if (field == known)
            return translated(known);
    return QString::fromStdString(field);
}

// Side words and switch states are words; numbers and names stay as the comparison gives them.
QString valueText(const std::string& value) {
    static const char* const kWords[] = {
        QT_TRANSLATE_NOOP("korvland::MapComparison", "German"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "Allied"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "on"),
        QT_TRANSLATE_NOOP("korvland::MapComparison", "off"),
    };
    for (const char* word : kWords) {
        const std::string_view known(word);
        if (value.starts_with(known) && (value.size() == known.size() || value[known.size()] == ' '))
            return translated(word) + QString::fromStdString(value.substr(known.size()));
    }
    return QString::fromStdString(value);
}

QString changeNote(const std::vector<FieldChange>& changes) {
    QStringList parts;
    for (const FieldChange& change : changes) {
        if (change.field == "record")
            continue;
        if (const int unknownBytes = static_cast<int>(change.unknownBytes); unknownBytes > 0)
            parts << QCoreApplication::translate("korvland::MapComparison", "%n unknown byte(s) differ",
                                                 nullptr, unknownBytes);
        else if (change.a.empty() && change.b.empty())
            parts << translated(QT_TRANSLATE_NOOP("korvland::MapComparison", "%1 differ"))
                         .arg(fieldText(change.field));
        else if (change.field == "name")
            // A name is a text of its own, in quotes for the reader.
            parts << QStringLiteral("%1 \"%2\" → \"%3\"")
                         .arg(fieldText(change.field), QString::fromStdString(change.a),
                              QString::fromStdString(change.b));
        else
            parts << QStringLiteral("%1 %2 → %3")
                         .arg(fieldText(change.field), valueText(change.a), valueText(change.b));
    }
    return parts.join(QStringLiteral("; "));
}

QFont legendFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

} // namespace

ComparisonMarks compareForMap(const LandmarkSet& other, const LandmarkSet& current,
                              const std::vector<QPointF>& centres, int region, float mapScale) {
    // What a save would write: a switched-off record differs from a saved file only where the
    // saved file differs too, as the command line's diff of the two files finds.
    const SetDiff diff = diffSets(other, *current.writtenForm());
    ComparisonMarks marks;
    marks.notes.resize(current.recordCount());
    const auto inCurrent = [&](int number) {
        return number >= 1 && static_cast<std::size_t>(number) <= centres.size();
    };
    for (const RecordDiff& record : diff.changed) {
        QString note = changeNote(record.changes);
        if (note.isEmpty() || !inCurrent(record.recordB))
            continue;
        marks.changed.push_back(record.recordB - 1);
        marks.notes[static_cast<std::size_t>(record.recordB - 1)] = std::move(note);
    }
    for (const RecordDiff& record : diff.onlyInB) {
        if (!inCurrent(record.recordB))
            continue;
        marks.onlyHere.push_back(record.recordB - 1);
        marks.notes[static_cast<std::size_t>(record.recordB - 1)] =
            translated(QT_TRANSLATE_NOOP("korvland::MapComparison", "added"));
    }
    if (!diff.onlyInA.empty()) {
        std::vector<LandmarkRecord> records(current.recordCount());
        for (std::size_t i = 0; i < records.size(); ++i)
            records[i] = current.record(i);
        const ProjectionBounds bounds = projectionBounds(records);
        const ProjectionFactors factors = projectionFactors(mapScale, region);
        for (const RecordDiff& record : diff.onlyInA) {
            const LandmarkRecord& gone = other.record(static_cast<std::size_t>(record.recordA - 1));
            const MapPoint point = projectPoint(gone.northSouth, gone.eastWest, bounds, factors);
            marks.onlyThere.emplace_back(point.x, point.y);
        }
    }
    return marks;
}

QString comparisonLegendText(const QString& otherName, const ComparisonMarks& marks, int region) {
    const int changed = static_cast<int>(marks.changed.size());
    const int added = static_cast<int>(marks.onlyHere.size());
    const int removed = static_cast<int>(marks.onlyThere.size());
    //: The comparison's legend: %1 is the name of the file compared with.
    QString text =
        QCoreApplication::translate("korvland::MapComparison", "Compared with %1: %n changed", "", changed)
            .arg(otherName);
    if (added > 0)
        text += QCoreApplication::translate("korvland::MapComparison", ", %n added", "", added);
    if (removed > 0)
        text += QCoreApplication::translate("korvland::MapComparison", ", %n removed", "", removed);
    // Most markers of a file of another theatre ring as added or removed: that is the reason.
    if (const std::optional<int> otherRegion = detectRegion(QFile::encodeName(otherName).toStdString());
        otherRegion && *otherRegion != region)
        //: %1 is the other region's location line, "Landmarks of the Verdun Region".
        text += translated(QT_TRANSLATE_NOOP("korvland::MapComparison", " (another region: %1)"))
                    .arg(regionLocationLineText(*otherRegion));
    return text;
}

QColor comparisonColour() {
    return QColor(0x00, 0xF0, 0xFF);
}

QSize comparisonLegendSize(const QString& text) {
    const QFontMetrics metrics(legendFont());
    return QSize(metrics.horizontalAdvance(text) + 2 * kLegendPadding + 20,
                 metrics.height() + 2 * kLegendPadding);
}

void paintComparisonLegend(QPainter& painter, QPoint corner, const QString& text) {
    painter.save();
    const QSize size = comparisonLegendSize(text);
    const QRect box(corner, size);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(comparisonColour(), 1));
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    // A ring as the key, then the words.
    const qreal radius = (size.height() - 2 * kLegendPadding) / 2.0 - 1;
    painter.setPen(QPen(comparisonColour(), kRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(box.left() + kLegendPadding + 8, box.center().y() + 0.5), radius, radius);
    painter.setFont(legendFont());
    painter.setPen(QColor(0xF4, 0xF0, 0xDC));
    painter.drawText(box.adjusted(kLegendPadding + 20, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}

ComparisonItem::ComparisonItem() {
    // Above every marker, dimmed or not, and under the highlighted one.
    setZValue(0.5);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

void ComparisonItem::setMarks(const ComparisonMarks& marks, const std::vector<QPointF>& centres) {
    prepareGeometryChange();
    const auto at = [&centres](const std::vector<int>& indices) {
        std::vector<QPointF> points;
        points.reserve(indices.size());
        for (int index : indices)
            points.push_back(centres[static_cast<std::size_t>(index)]);
        return points;
    };
    mChanged = at(marks.changed);
    mAdded = at(marks.onlyHere);
    mRemoved = marks.onlyThere;
    QRectF bounds;
    const qreal reach = kComparisonRingRadius + kRingWidth + 6;
    for (const auto* points : {&mChanged, &mAdded, &mRemoved})
        for (const QPointF& p : *points)
            bounds |= QRectF(p.x() - reach, p.y() - reach, 2 * reach, 2 * reach);
    mBounds = bounds;
    update();
}

QRectF ComparisonItem::boundingRect() const {
    return mBounds;
}

QPainterPath ComparisonItem::shape() const {
    return {};
}

void ComparisonItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    const qreal r = kComparisonRingRadius;
    painter->setPen(QPen(comparisonColour(), kRingWidth));
    for (const QPointF& p : mChanged)
        painter->drawEllipse(p, r, r);
    for (const QPointF& p : mAdded) {
        painter->drawEllipse(p, r, r);
        // A plus at the upper right says the record is new.
        const QPointF plus = p + QPointF(r, -r);
        painter->drawLine(plus - QPointF(4, 0), plus + QPointF(4, 0));
        painter->drawLine(plus - QPointF(0, 4), plus + QPointF(0, 4));
    }
    painter->setPen(QPen(comparisonColour(), kRingWidth, Qt::DashLine));
    for (const QPointF& p : mRemoved) {
        painter->drawEllipse(p, r, r);
        painter->drawLine(p - QPointF(6, 6), p + QPointF(6, 6));
        painter->drawLine(p - QPointF(6, -6), p + QPointF(6, -6));
    }
}

} // namespace korvland
