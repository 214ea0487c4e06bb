#pragma once

#include "support/build_paths.h"
#include "support/fixture_builder.h"
#include "support/program_runner.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvland::testing {

inline ProgramRun runRasterize(const std::vector<std::string>& args, const std::filesystem::path& folder) {
    return runProgram(korvland::testing::build::rasterizeProgram, args, folder);
}

inline QImage readImage(const std::filesystem::path& path) {
    return QImage(QString::fromStdString(path.string()));
}

// The run's image file (args[1]) holds the image the program renders, pixel for pixel: the
// same run written as BMP, which Qt writes without any change.
inline void expectRenderedPixels(std::vector<std::string> args, const std::filesystem::path& folder) {
    const QImage written = readImage(folder / args[1]);
    args[1] = "rendered.bmp";
    ASSERT_EQ(runRasterize(args, folder).exitCode, 0);
    const QImage rendered = readImage(folder / "rendered.bmp");
    ASSERT_FALSE(rendered.isNull());
    EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) == rendered) << args[0];
}

// The map's colours as the operator sees them: dark green ground, Allied blue, German red.
inline constexpr QRgb kGround = 0xFF106010;
inline constexpr QRgb kAllied = 0xFF0000FF;
inline constexpr QRgb kGerman = 0xFFFF0000;

// A 1154-byte profile naming `landmarkPath`, with the given records switched off.
inline std::vector<std::uint8_t> profileBytes(const std::string& landmarkPath, std::uint16_t count,
                                              const std::vector<std::size_t>& switchedOff) {
    std::vector<std::uint8_t> bytes(1154, 0);
    std::copy(landmarkPath.begin(), landmarkPath.end(), bytes.begin());
    bytes[128] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[129] = static_cast<std::uint8_t>(count >> 8);
    for (std::size_t index : switchedOff)
        bytes[130 + index] = 1;
    return bytes;
}

} // namespace korvland::testing
