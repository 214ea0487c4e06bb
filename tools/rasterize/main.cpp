// korvland-rasterize: the map of a landmark file as an image, for servers without a display.
#include "map_image.h"
#include "rasterize.h"

#include "korvland_version.h"

#include "data/terminal_text.h"
#include "data/user_error.h"
#include "ui/map/map_background.h"

#include <QApplication>
#include <QImageWriter>

#include <CLI/CLI.hpp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int kFileFailure = 1;
constexpr int kUsageError = 2;
// The largest square image within the program's limit of pixels.
constexpr int kLargestSize = 8192;
static_assert(std::int64_t{kLargestSize} * kLargestSize <= korvland::raster::kMaxImagePixels);

// Every message begins with the program's name, as a script's log reads best.
constexpr char kMessagePrefix[] = "korvland-rasterize: ";

void printError(const korvland::UserError& error) {
    const std::string text = kMessagePrefix + korvland::terminalErrorText(error) + "\n";
    std::fputs(text.c_str(), stderr);
}

// The four scales of the map window's pop-up menu.
const CLI::Validator kMapScale(
    [](const std::string& text) {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        const bool known =
            !text.empty() && *end == '\0' && (value == 0.5 || value == 1.0 || value == 2.0 || value == 4.0);
        return known ? std::string() : "must be 0.5, 1, 2 or 4, not " + text;
    },
    "0.5|1|2|4");

std::string writableFormats() {
    std::string known;
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        known += (known.empty() ? "" : ", ") + format.toStdString();
    return known;
}

// Without --format the output's extension must name a format that Qt can write.
CLI::Validator imageFileCheck(const CLI::Option* formatOption) {
    return CLI::Validator(
        [formatOption](const std::string& path) {
            // "-" is standard output, which takes PNG unless --format names another format.
            if (path == "-" || formatOption->count() > 0 || !korvland::raster::imageFormatFor(path).isEmpty())
                return std::string();
            return "the extension of " + path + " names no image format that can be written (" +
                   writableFormats() + "); --format names one";
        },
        "IMAGE");
}

// Standard error carries the program's own messages. Qt's warnings about the machine it
// runs on (no runtime folder for a cron job) are no concern of the map; its critical
// messages still get through.
QtMessageHandler qtDefaultHandler = nullptr;

void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtDefaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    // No window is ever shown: the map is drawn off screen, with or without a display, and
    // Qt sees none of the program's arguments.
    qtDefaultHandler = qInstallMessageHandler(quietQtMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication qtApp(qtArgc, argv);

    CLI::App app{"Draws the map of a KORV landmark file, as the landmarks editor's map window shows it "
                 "when it opens, into an image file.",
                 "korvland-rasterize"};
    app.set_version_flag("--version", "korvland-rasterize " KORVLAND_VERSION);
    // Usage errors quote what was typed, names of files included.
    app.failure_message([](const CLI::App* failed, const CLI::Error& error) {
        return kMessagePrefix + korvland::terminalText(CLI::FailureMessage::simple(failed, error), true);
    });
    app.footer("Exit status: 0 when the image was written, 1 when a file cannot be read or written (the "
               "output is then left as it was), 2 for a usage error.");

    korvland::raster::RasterRequest request;
    double scale = 1.0;
    int region = 0;
    int size = 0;
    std::string profile;
    app.add_option("FILE", request.file, "Landmark file (.dat or .mlf); its name gives the region")
        ->required();
    // A file manager's thumbnailer names a temporary output without an image extension.
    auto* formatOption = app.add_option(
        "--format", request.format, "Image format to write, whatever the output's extension (png, jpg, ...)");
    std::vector<std::string> formats;
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        formats.push_back(format.toStdString());
    formatOption->check(CLI::IsMember(formats, CLI::ignore_case));
    app.add_option("OUTPUT", request.output,
                   "Image file to write; its extension names the format (png, jpg, ...) unless --format does")
        ->required()
        ->check(imageFileCheck(formatOption));
    app.add_option("--scale", scale, "Map scale, as the map window's \"1:2\" to \"4:1 Scale\"")
        ->check(kMapScale)
        ->capture_default_str();
    auto* regionOption = app.add_option("--region", region,
                                        "Region instead of the file name's: 0 Marne, 1 Flanders, 2 Verdun, "
                                        "3 Alsace, 4 Island")
                             ->check(CLI::Range(0, 4));
    auto* profileOption = app.add_option(
        "--profile", profile,
        "Profile (.lmp) whose switched-off flags apply; the landmark file it names is not read");
    auto* sizeOption = app.add_option("--size", size, "Scale the whole image smoothly to fit in N x N pixels")
                           ->check(CLI::Range(1, kLargestSize))
                           ->type_name("N");
    app.add_flag("--front-line", request.frontLine,
                 "Wash the ground each side's active landmarks hold in its colour and draw the front "
                 "between them, as the map window's \"Front Line\" does");

    app.add_flag("--labels", request.labels,
                 "Write each landmark's name beside its marker where it finds room, as the map window's "
                 "\"Names\" does");
    app.add_option("--compare", request.compare,
                   "Ring the markers whose records differ from this landmark file, as the map window's "
                   "\"Compare With...\" does")
        ->type_name("OTHER");
    auto* backgroundOption = app.add_option("--background", request.background,
                                            "Draw this picture (PNG, JPEG) of the theatre under the map, "
                                            "placed by two --anchor")
                                 ->type_name("PICTURE");
    app.add_option("--anchor", request.anchors,
                   "A landmark's identifier and the pixel of the picture where it lies; twice")
        ->type_name("ID:X,Y")
        // One value each time, so that the file names after it stay file names.
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [](const std::string& text) {
                return korvland::parseAnchor(QString::fromStdString(text))
                           ? std::string()
                           : "must be a landmark's identifier and a pixel, ID:X,Y, not " + text;
            },
            "ID:X,Y"))
        ->needs(backgroundOption);
    backgroundOption->needs("--anchor");

    try {
        app.parse(argc, argv);
        if (request.background && request.anchors.size() != 2)
            throw CLI::ValidationError("--anchor",
                                       "is needed twice with --background, once for each of two landmarks");
    } catch (const CLI::ParseError& e) {
        // Help and version end the parse with success; every other parse error is a usage error.
        return app.exit(e) == 0 ? 0 : kUsageError;
    }
    request.mapScale = static_cast<float>(scale);
    if (regionOption->count() > 0)
        request.region = region;
    if (profileOption->count() > 0)
        request.profile = profile;
    if (sizeOption->count() > 0)
        request.size = size;

    try {
        korvland::raster::rasterize(request);
    } catch (const korvland::UserError& e) {
        printError(e);
        return kFileFailure;
    }
    return 0;
}
