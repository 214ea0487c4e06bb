#include "map_image.h"

#include "png_encoder.h"

#include "data/user_error.h"
#include "ui/common/record_format.h"
#include "ui/map/map_comparison.h"
#include "ui/map/map_scene.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <string>

namespace korvland::raster {

namespace {

void checkImageSize(std::int64_t width, std::int64_t height) {
    if (width * height > kMaxImagePixels)
        throw UserError("The map is too large for an image: " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
}

constexpr int kLegendMargin = 4;

} // namespace

QImage renderMap(const LandmarkSet& set, int region, float mapScale, bool frontLine,
                 const MapOverlays& overlays) {
    QGraphicsScene scene;
    MapContent content = buildMapScene(scene, set, region, mapScale);
    if (frontLine)
        showFrontLine(scene, content, set, region, mapScale);
    if (!overlays.background.isNull()) {
        const BackgroundFit fit = fitBackground(overlays.anchors, set, content.markers);
        if (fit.problem != BackgroundFit::Problem::None)
            throw UserError(backgroundFitProblemText(fit).toStdString());
        showBackground(scene, content, overlays.background, fit.transform);
    }
    if (overlays.labels)
        showLabels(scene, content, set, mapScale);
    QString legend;
    if (overlays.compareWith) {
        const ComparisonMarks marks =
            showComparison(scene, content, *overlays.compareWith, set, region, mapScale);
        legend = comparisonLegendText(overlays.compareName, marks, region);
    }
    // Markers lying wholly before the margin (a NaN coordinate can put them there) leave
    // no surface; the image still gets a pixel of ground. The legend goes in a strip of
    // ground under the map, where it hides no marker.
    const QSize legendSize = legend.isEmpty()
                                 ? QSize(0, 0)
                                 : comparisonLegendSize(legend) + QSize(2 * kLegendMargin, 2 * kLegendMargin);
    const int width = std::max({1, content.size.width(), legendSize.width()});
    const int height = std::max(1, content.size.height()) + legendSize.height();
    checkImageSize(width, height);

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw UserError("Not enough memory for an image of " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
    image.fill(colourFromBgr(kMapGroundColour));
    QPainter painter(&image);
    // One scene unit is one pixel: the scene draws its ground and the markers unscaled.
    const QRectF surface(0, 0, std::max(1, content.size.width()), std::max(1, content.size.height()));
    scene.render(&painter, surface, surface);
    if (!legend.isEmpty())
        paintComparisonLegend(painter, QPoint(kLegendMargin, height - legendSize.height() + kLegendMargin),
                              legend);
    return image;
}

QImage fitImage(const QImage& image, int size) {
    const QSize fitted = image.size().scaled(size, size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    checkImageSize(fitted.width(), fitted.height());
    return image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray imageFormatFor(const std::string& outputPath) {
    QByteArray suffix =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(outputPath))).suffix().toLower().toLatin1();
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix))
        return {};
    return suffix;
}

std::vector<std::uint8_t> encodeImage(const QImage& image, const QByteArray& format) {
    if (format == "png" && image.format() == QImage::Format_RGB32)
        return encodeFlatPng(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        throw UserError("The map cannot be written as " + format.toUpper().toStdString() + ": " +
                        writer.errorString().toStdString());
    return {bytes.begin(), bytes.end()};
}

} // namespace korvland::raster
