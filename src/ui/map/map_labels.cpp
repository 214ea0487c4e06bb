#include "ui/map/map_labels.h"

#include "data/text_codec.h"
#include "ui/map/label_placement.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace korvland {

namespace {

// Above the front line's washes (-1), under every marker, dimmed ones (-0.5) included.
constexpr qreal kLabelsZ = -0.75;
constexpr qreal kHaloWidth = 3;
const QColor kTextColour(0xF4, 0xF0, 0xDC);
const QColor kSwitchedOffColour(0xA8, 0xA8, 0xA0);
const QColor kHaloColour(0x08, 0x1C, 0x08);
// Over a light picture the colours change places.
const QColor kLightGroundText(0x14, 0x18, 0x10);
const QColor kLightGroundSwitchedOff(0x50, 0x50, 0x4C);
const QColor kLightGroundHalo(0xF4, 0xF0, 0xDC);
// A ground lighter than this, of 255, takes dark letters.
constexpr int kLightGroundGrey = 150;

QFont labelFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    font.setBold(true);
    return font;
}

} // namespace

MapLabelsItem::MapLabelsItem() : mFont(labelFont()) {
    setZValue(kLabelsZ);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
    // Each paint draws only the names in the exposed part.
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
}

void MapLabelsItem::setLabels(const LandmarkSet& set, const std::vector<MapMarker>& markers, float mapScale,
                              const QRectF& surface) {
    prepareGeometryChange();
    mSurface = surface;
    const QFontMetricsF metrics(mFont);
    const qreal height = metrics.ascent() + metrics.descent() + kHaloWidth - 1;
    std::vector<QPointF> centres;
    centres.reserve(markers.size());
    std::vector<LabelRequest> requests;
    std::vector<Label> wanted;
    for (const MapMarker& marker : markers) {
        const QPointF centre = marker.frame->pos() + QPointF(kFrameSize / 2.0, kFrameSize / 2.0);
        centres.push_back(centre);
        const auto index = static_cast<std::size_t>(marker.frame->index());
        if (index >= set.recordCount())
            continue;
        const LandmarkRecord& record = set.record(index);
        const int rank = labelRank(classifyKind(record.loFileType, record.loFileNo));
        if (!labelShownAtScale(rank, mapScale))
            continue;
        const std::string name = decodeCp1252(record.nameBytes());
        if (name.find_first_not_of(' ') == std::string::npos)
            continue;
        Label label;
        label.record = marker.frame->index();
        label.text = QString::fromStdString(name).trimmed();
        label.switchedOff = set.disabledFlag(index) != 0;
        const qreal width = metrics.horizontalAdvance(label.text) + kHaloWidth - 1;
        requests.push_back({static_cast<int>(centres.size() - 1), QSizeF(width, height), rank});
        wanted.push_back(std::move(label));
    }
    const std::vector<QRectF> places = placeLabels(centres, kFrameSize, requests, surface);
    mLabels.clear();
    for (std::size_t k = 0; k < wanted.size(); ++k) {
        if (places[k].isEmpty())
            continue;
        wanted[k].rect = places[k];
        mLabels.push_back(std::move(wanted[k]));
    }
    mPaths.assign(mLabels.size(), QPainterPath());
    update();
}

void MapLabelsItem::setGround(const QImage* picture, const QTransform& pictureToScene) {
    const QTransform sceneToPicture = pictureToScene.inverted();
    for (Label& label : mLabels) {
        label.onLightGround = false;
        if (!picture || picture->isNull())
            continue;
        // The mean grey of a few points under the name; the map's dark ground where the
        // picture does not reach.
        int sum = 0;
        int count = 0;
        for (qreal fx : {0.1, 0.5, 0.9}) {
            for (qreal fy : {0.2, 0.8}) {
                const QPoint at = sceneToPicture
                                      .map(QPointF(label.rect.left() + fx * label.rect.width(),
                                                   label.rect.top() + fy * label.rect.height()))
                                      .toPoint();
                sum += picture->valid(at) ? qGray(picture->pixel(at)) : 0;
                ++count;
            }
        }
        label.onLightGround = sum > kLightGroundGrey * count;
    }
    update();
}

QRectF MapLabelsItem::boundingRect() const {
    return mSurface;
}

QPainterPath MapLabelsItem::shape() const {
    return {};
}

void MapLabelsItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(mFont);
    const QPointF baseline((kHaloWidth - 1) / 2, (kHaloWidth - 1) / 2 + metrics.ascent());
    const auto halo = [](const QColor& colour) {
        return QPen(colour, kHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };
    for (std::size_t k = 0; k < mLabels.size(); ++k) {
        const Label& label = mLabels[k];
        if (!label.rect.intersects(option->exposedRect))
            continue;
        if (mPaths[k].isEmpty())
            mPaths[k].addText(label.rect.topLeft() + baseline, mFont, label.text);
        if (label.onLightGround) {
            painter->strokePath(mPaths[k], halo(kLightGroundHalo));
            painter->fillPath(mPaths[k], label.switchedOff ? kLightGroundSwitchedOff : kLightGroundText);
        } else {
            painter->strokePath(mPaths[k], halo(kHaloColour));
            painter->fillPath(mPaths[k], label.switchedOff ? kSwitchedOffColour : kTextColour);
        }
    }
}

} // namespace korvland
