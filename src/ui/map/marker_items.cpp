#include "ui/map/marker_items.h"
#include "ui/map/map_selection.h"

#include "data/text_codec.h"
#include "ui/common/data_texts.h"
#include "ui/common/hint_balloon.h"
#include "ui/common/record_format.h"
#include "ui/map/map_scene.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <stdexcept>

// Outside any namespace, as the resource initialiser's name requires.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace korvland {

void loadMapResources() {
    static const bool loaded = (initResources(), true);
    (void)loaded;
}

namespace {

constexpr int kTemplateSize = 30;

// How much of the ground covers a dimmed marker: enough to let the markers that pass the
// filter stand out, little enough that the kind still reads. The frame is veiled less, so
// that its side colour still tells German from Allied over the front line's washes.
constexpr double kDimVeil = 0.6;
constexpr double kDimFrameVeil = 0.35;

QColor dimmedColour(const QColor& colour) {
    const QColor ground = colourFromBgr(kMapGroundColour);
    const auto mix = [](int own, int below) {
        return static_cast<int>(std::lround(own * (1.0 - kDimFrameVeil) + below * kDimFrameVeil));
    };
    return QColor(mix(colour.red(), ground.red()), mix(colour.green(), ground.green()),
                  mix(colour.blue(), ground.blue()));
}

IconTemplate renderTemplate(const QString& name) {
    IconTemplate icon;
    icon.name = name;
    icon.picture = QImage(kTemplateSize, kTemplateSize, QImage::Format_RGB32);
    icon.picture.fill(Qt::black);
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!renderer.isValid())
        throw std::logic_error("the icon template " + name.toStdString() + " is missing from the resources");
    {
        QPainter painter(&icon.picture);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, kTemplateSize, kTemplateSize));
    }
    icon.stretched =
        icon.picture.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return icon;
}

// The selection ring, drawn once for the run: stroking a dashed pen around hundreds of
// markers costs many times more than copying a small picture. Two pixels wide, a pixel of
// ground between it and the frame; light dashes of four pixels with dark gaps of two, so
// that the dashes read on the dark ground and the gaps on the side colours and on the
// front line's light washes, whatever lies around the marker.
const QImage& selectionRing() {
    static const QImage ring = [] {
        constexpr int kSide = kFrameSize + 2 * kSelectionRingMargin;
        constexpr int kWidth = 2;
        QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QRgb light = qRgb(0xFF, 0xF4, 0x9C);
        const QRgb dark = qRgb(0x10, 0x10, 0x10);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool across = y < kWidth || y >= kSide - kWidth;
                if (!across && x >= kWidth && x < kSide - kWidth)
                    continue;
                const int along = across ? x : y;
                image.setPixel(x, y, along % 6 < 4 ? light : dark);
            }
        }
        return image;
    }();
    return ring;
}

} // namespace

MarkerIcons::MarkerIcons() {
    loadMapResources();
    // In the order of the kind table; the blank icon serves types 6 and 9 to 255.
    const char* const names[] = {"IDrome",   "ICity",    "ISupply", "ITrain", "ITroops", "IBridge",
                                 "IFactory", "IBalloon", "IBlank",  "ITown",  "IVillage"};
    for (std::size_t i = 0; i < mTemplates.size(); ++i)
        mTemplates[i] = renderTemplate(QLatin1String(names[i]));
}

const MarkerIcons& MarkerIcons::shared() {
    static const MarkerIcons icons;
    return icons;
}

const IconTemplate* MarkerIcons::byName(const QString& name) const {
    for (const IconTemplate& icon : mTemplates) {
        if (icon.name == name)
            return &icon;
    }
    return nullptr;
}

const IconTemplate& MarkerIcons::forKind(LandmarkKind kind) const {
    const std::string_view name = kindInfo(kind).iconName;
    return *byName(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
}

// --- icon ------------------------------------------------------------------------------

MarkerIconItem::MarkerIconItem(int index) : mIndex(index) {
    setData(kMarkerNameKey, QStringLiteral("mp%1").arg(index));
}

void MarkerIconItem::setIconTemplate(const IconTemplate& icon) {
    if (mTemplate == &icon)
        return;
    mTemplate = &icon;
    update();
}

QRectF MarkerIconItem::boundingRect() const {
    return QRectF(0, 0, kIconSize, kIconSize);
}

QPainterPath MarkerIconItem::opaqueArea() const {
    QPainterPath area;
    area.addRect(boundingRect());
    return area;
}

void MarkerIconItem::setDimmed(bool dimmed) {
    if (mDimmed == dimmed)
        return;
    mDimmed = dimmed;
    update();
}

void MarkerIconItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (mTemplate)
        painter->drawImage(QPointF(0, 0), mTemplate->stretched);
    // A veil rather than a lower opacity: the icon stays opaque, so the view may still skip
    // what lies under it.
    if (mDimmed) {
        QColor veil = colourFromBgr(kMapGroundColour);
        veil.setAlphaF(static_cast<float>(kDimVeil));
        painter->fillRect(boundingRect(), veil);
    }
}

// --- frame -----------------------------------------------------------------------------

MarkerFrameItem::MarkerFrameItem(int index) : mIndex(index) {
    setData(kMarkerNameKey, QStringLiteral("bob%1").arg(index));
    // The side, kind and name wrap as designed; a comparison's note under them reads as a line.
    setData(kDesignedHintKey, 1);
}

void MarkerFrameItem::setColour(BgrColour colour) {
    if (mColour == colour)
        return;
    mColour = colour;
    update();
}

void MarkerFrameItem::setHatched(bool hatched) {
    if (mHatched == hatched)
        return;
    mHatched = hatched;
    update();
}

void MarkerFrameItem::setFrameShape(Shape shape) {
    if (mShape == shape)
        return;
    mShape = shape;
    update();
}

void MarkerFrameItem::setDimmed(bool dimmed) {
    if (mDimmed == dimmed)
        return;
    mDimmed = dimmed;
    update();
}

void MarkerFrameItem::setInSelection(bool inSelection) {
    if (mInSelection == inSelection)
        return;
    // The item's extent changes with the ring: the scene's index and the area to repaint
    // must both know.
    prepareGeometryChange();
    mInSelection = inSelection;
    update();
}

void MarkerFrameItem::setHint(const QString& hint) {
    mHint = hint;
    setToolTip(mNote.isEmpty() ? mHint : mHint + QLatin1Char('\n') + mNote);
}

void MarkerFrameItem::setNote(const QString& note) {
    if (mNote == note)
        return;
    mNote = note;
    setHint(mHint);
}

QRectF MarkerFrameItem::boundingRect() const {
    const QRectF frame(0, 0, kFrameSize, kFrameSize);
    if (!mInSelection)
        return frame;
    return frame.adjusted(-kSelectionRingMargin, -kSelectionRingMargin, kSelectionRingMargin,
                          kSelectionRingMargin);
}

QPainterPath MarkerFrameItem::shape() const {
    QPainterPath frame;
    frame.addRect(0, 0, kFrameSize, kFrameSize);
    return frame;
}

void MarkerFrameItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing, false);
    if (mInSelection)
        painter->drawImage(QPointF(-kSelectionRingMargin, -kSelectionRingMargin), selectionRing());
    // The highlight stays pure white: the current record is found at a glance even among
    // dimmed markers.
    const QColor colour =
        mDimmed && mShape == Shape::Square ? dimmedColour(colourFromBgr(mColour)) : colourFromBgr(mColour);
    // A cosmetic pen on the pixel centres: the outline covers exactly the outermost
    // row and column of pixels on each side, at every scale of the view.
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(mHatched ? QBrush(colour, Qt::DiagCrossPattern) : QBrush(Qt::NoBrush));
    // Not smoothed, the circle as the square: every pixel of the outline is the colour
    // itself (pure white while highlighted), never a blend with what lies below.
    const QRectF outline(0.5, 0.5, kFrameSize - 1, kFrameSize - 1);
    if (mShape == Shape::Circle)
        painter->drawEllipse(outline);
    else
        painter->drawRect(outline);
}

// --- marker ----------------------------------------------------------------------------

QString markerHint(const LandmarkRecord& record) {
    const KindInfo& kind = kindInfo(classifyKind(record.loFileType, record.loFileNo));
    QString prefix = kindHintPrefixText(kind);
    if (record.loFileType >= 9)
        return prefix;
    const QString name = QString::fromStdString(decodeCp1252(record.nameBytes()));
    // One pass of arg(): a name holding "%1" stays as it is.
    if (isAllied(record.side))
        //: A marker's hint: %1 is the landmark's kind with its colon ("Airfield: "), %2 its name.
        return QCoreApplication::translate("korvland::MapMarker", "Allied %1%2").arg(prefix, name);
    //: A marker's hint: %1 is the landmark's kind with its colon ("Airfield: "), %2 its name.
    return QCoreApplication::translate("korvland::MapMarker", "German %1%2").arg(prefix, name);
}

void MapMarker::syncIconAndHint(const LandmarkRecord& record) const {
    icon->setIconTemplate(MarkerIcons::shared().forKind(classifyKind(record.loFileType, record.loFileNo)));
    frame->setHint(markerHint(record));
}

void MapMarker::setDimmed(bool dimmed) const {
    icon->setDimmed(dimmed);
    frame->setDimmed(dimmed);
    // The highlighted marker stays above every other.
    if (frame->zValue() < kHighlightZ) {
        icon->setZValue(dimmed ? kDimmedZ : 0);
        frame->setZValue(dimmed ? kDimmedZ : 0);
    }
}

void MapMarker::sync(const LandmarkRecord& record, std::uint8_t disabledFlag) const {
    syncIconAndHint(record);
    frame->setColour(sideColour(record.side));
    frame->setHatched(disabledFlag != 0);
}

} // namespace korvland
