#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_record.h"

#include <QGraphicsItem>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

namespace korvland {

// An icon template: the picture drawn for this project (30×30 on black) and the same
// picture stretched once to the icon size, which every marker of that kind shares.
struct IconTemplate {
    QString name; // "IDrome", ..., "IBlank"
    QImage picture;
    QImage stretched;
};

// Makes the pictures of resources/ reachable under ":/icons/"; the library that carries
// them is linked statically, so nothing else pulls them in.
void loadMapResources();

// The eleven templates, rendered from their SVG sources on first use and kept for the run.
class MarkerIcons {
  public:
    static const MarkerIcons& shared();

    const IconTemplate& forKind(LandmarkKind kind) const;
    // Null for a name that is not one of the eleven.
    const IconTemplate* byName(const QString& name) const;
    const std::array<IconTemplate, 11>& all() const { return mTemplates; }

  private:
    MarkerIcons();
    std::array<IconTemplate, 11> mTemplates;
};

// Item data keys of both marker items.
inline constexpr int kMarkerNameKey = 0; // "mp" + index or "bob" + index

inline constexpr int kIconSize = 20;
inline constexpr int kFrameSize = 22;

// The icon of a marker: its kind's shared picture, opaque; dimmed under a veil of the ground
// while its record does not pass the filter.
class MarkerIconItem : public QGraphicsItem {
  public:
    explicit MarkerIconItem(int index);

    int index() const { return mIndex; }
    const IconTemplate* iconTemplate() const { return mTemplate; }
    void setIconTemplate(const IconTemplate& icon);
    bool isDimmed() const { return mDimmed; }
    void setDimmed(bool dimmed);

    QRectF boundingRect() const override;
    QPainterPath opaqueArea() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    int mIndex;
    const IconTemplate* mTemplate = nullptr;
    bool mDimmed = false;
};

// The frame of a marker: a 1-pixel outline in the side colour, filled clear or with a
// diagonal cross-hatch in the same colour; square, or a circle while highlighted. A square
// is drawn in a colour sunk toward the ground while its record does not pass the filter.
// While its record is in the selection, a dashed ring stands a pixel outside the frame, so
// that neither the side colour nor the hatch is covered; only then does the item reach
// beyond the frame, and presses find it only on the frame itself.
class MarkerFrameItem : public QGraphicsItem {
  public:
    enum class Shape { Square, Circle };

    explicit MarkerFrameItem(int index);

    int index() const { return mIndex; }
    BgrColour colour() const { return mColour; }
    bool isHatched() const { return mHatched; }
    Shape frameShape() const { return mShape; }
    // Each repaints the frame only when its look changes.
    void setColour(BgrColour colour);
    void setHatched(bool hatched);
    void setFrameShape(Shape shape);
    bool isDimmed() const { return mDimmed; }
    void setDimmed(bool dimmed);
    bool isInSelection() const { return mInSelection; }
    void setInSelection(bool inSelection);
    // The hint is the record's own line, then a note (what a comparison found) on a line of
    // its own when there is one.
    void setHint(const QString& hint);
    void setNote(const QString& note);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    int mIndex;
    BgrColour mColour = kGermanColour;
    bool mHatched = false;
    Shape mShape = Shape::Square;
    bool mDimmed = false;
    bool mInSelection = false;
    QString mHint;
    QString mNote;
};

// How far the selection ring reaches beyond the frame on each side.
inline constexpr int kSelectionRingMargin = 3;

// The hint of a record's marker: side word, hint prefix and name for types 0 to 8, the
// prefix "Blank Landmark: " alone from type 9 on.
QString markerHint(const LandmarkRecord& record);

// One record's marker: its icon and, above it, its frame. The scene owns both items.
struct MapMarker {
    MarkerIconItem* icon = nullptr;
    MarkerFrameItem* frame = nullptr;

    // Icon by kind, frame colour by side, hatch by the disabled flag, hint. The frame's
    // shape (square or highlighted circle) stays as it is.
    void sync(const LandmarkRecord& record, std::uint8_t disabledFlag) const;
    // Icon by kind and hint alone.
    void syncIconAndHint(const LandmarkRecord& record) const;
    // Icon and frame together.
    void setDimmed(bool dimmed) const;
};

} // namespace korvland
