#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace korvland::raster {

// The image as an 8-bit palette image of the same pixels when it is a 32-bit RGB image of at
// most 256 colours; a null image otherwise.
QImage exactPalette(const QImage& image);

// A 32-bit RGB image as PNG, pixel for pixel, written for speed: a map is large areas of one
// colour, which compress well without the adaptive row filters and the slow zlib level a
// general writer spends its time on. A palette image when exactPalette gives one (a third of
// the bytes to compress), 8-bit RGB otherwise; unfiltered rows, zlib's fastest level.
// Throws UserError when zlib fails.
std::vector<std::uint8_t> encodeFlatPng(const QImage& image);

} // namespace korvland::raster
