#include "rasterize.h"

#include "map_image.h"

#include "data/file_identity.h"
#include "data/file_io.h"
#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "data/region.h"
#include "data/user_error.h"
#include "document/region_name.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace korvland::raster {

namespace {

// The editor opens a file by its full path, from its dialogs; so does this program.
std::string fullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error || path.empty() ? path : full.string();
}

QImage readBackground(const std::string& path) {
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
    QImage picture = reader.read();
    if (picture.isNull())
        throw UserError("The picture cannot be read: " + reader.errorString().toStdString(), path);
    return picture;
}

BackgroundAnchors parseAnchors(const std::vector<std::string>& texts) {
    BackgroundAnchors anchors;
    if (texts.size() != anchors.size())
        throw UserError("A background picture needs two anchors, not " + std::to_string(texts.size()));
    for (std::size_t k = 0; k < anchors.size(); ++k) {
        const std::optional<BackgroundAnchor> anchor = parseAnchor(QString::fromStdString(texts[k]));
        if (!anchor)
            throw UserError("An anchor is ID:X,Y (a landmark's identifier and a pixel of the picture), not " +
                            texts[k]);
        anchors[k] = *anchor;
    }
    return anchors;
}

} // namespace

int regionOfLoadedFile(const std::string& currentFileName) {
    return detectRegion(regionFileName(currentFileName)).value_or(0);
}

void rasterize(const RasterRequest& request) {
    std::vector<std::string> inputs{request.file};
    for (const auto* input : {&request.profile, &request.compare, &request.background})
        if (*input)
            inputs.push_back(**input);
    const bool toStandardOutput = request.output == "-";
    if (!toStandardOutput)
        refuseOutputThatIsAnInput(request.output, inputs);
    // The set is large (1024 records and their flags): keep it off the stack.
    auto set = std::make_unique<LandmarkSet>();
    set->read(fullPath(request.file));
    if (request.profile)
        set->applyDisabledFlags(readProfileFile(*request.profile).disabledFlags);

    const int region = request.region.value_or(regionOfLoadedFile(set->currentFileName()));
    MapOverlays overlays;
    overlays.labels = request.labels;
    std::unique_ptr<LandmarkSet> other;
    if (request.compare) {
        other = std::make_unique<LandmarkSet>();
        namingFile(*request.compare, [&] { other->read(fullPath(*request.compare)); });
        overlays.compareWith = other.get();
        overlays.compareName =
            QFileInfo(QFile::decodeName(QByteArray::fromStdString(*request.compare))).fileName();
    }
    if (request.background) {
        overlays.background = readBackground(*request.background);
        overlays.anchors = parseAnchors(request.anchors);
    }
    QImage image = renderMap(*set, region, request.mapScale, request.frontLine, overlays);
    if (request.size)
        image = fitImage(image, *request.size);
    // Standard output takes PNG unless --format names another.
    const QByteArray format = !request.format.empty() ? QByteArray::fromStdString(request.format)
                              : toStandardOutput      ? QByteArray("png")
                                                      : imageFormatFor(request.output);
    const std::vector<std::uint8_t> bytes = encodeImage(image, format);
    if (!toStandardOutput) {
        replaceFileAtomically(request.output, bytes);
        return;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        throw UserError(fileErrorMessage(errno, "-"));
}

} // namespace korvland::raster
