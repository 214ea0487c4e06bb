#pragma once

#include "data/landmark_set.h"
#include "ui/map/map_background.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace korvland::raster {

// The largest image the program makes: 256 MiB of 32-bit pixels, as much as Qt's own image
// reader accepts. A map beyond it (a coordinate far from the others) is refused, not cut.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

// What the map window's pop-up menu may add to the map.
struct MapOverlays {
    bool labels = false;
    const LandmarkSet* compareWith = nullptr;
    QString compareName; // the legend's name of the file compared with
    QImage background;
    BackgroundAnchors anchors;
};

// The map window's content surface at first build, pixel for pixel: the ground, with
// `frontLine` the ground each side holds and the front between them, then every marker as
// the scene builder places it, drawn without smoothing, and the overlays as the window
// draws them. Throws UserError when the surface is larger than kMaxImagePixels, or when the
// anchors cannot place the picture.
QImage renderMap(const LandmarkSet& set, int region, float mapScale, bool frontLine = false,
                 const MapOverlays& overlays = {});

// The whole image scaled smoothly, up or down, so that its longer side is `size` pixels.
QImage fitImage(const QImage& image, int size);

// The image format an output file's extension names ("png", "jpg"), lower case; empty
// when Qt has no writer for it.
QByteArray imageFormatFor(const std::string& outputPath);

// The image encoded in `format`; a 32-bit RGB image as PNG by encodeFlatPng. Throws UserError when the writer
// refuses it (an icon larger than the format allows).
std::vector<std::uint8_t> encodeImage(const QImage& image, const QByteArray& format);

} // namespace korvland::raster
