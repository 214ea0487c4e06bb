#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvland::raster {

// One run of the rasterizer, as the command line gives it.
struct RasterRequest {
    std::string file;   // landmark file (.dat or .mlf)
    std::string output; // image file; its extension names the format unless `format` does
    std::string format; // image format ("png"), whatever the output's extension
    float mapScale = 1.0f;
    std::optional<int> region;             // instead of the region the file's name gives
    std::optional<std::string> profile;    // switched-off flags laid over the file
    std::optional<int> size;               // fit the whole image in size x size pixels
    bool frontLine = false;                // the ground each side holds and the front between them
    bool labels = false;                   // the landmarks' names beside their markers
    std::optional<std::string> compare;    // rings what differs from this landmark file
    std::optional<std::string> background; // a picture of the theatre under the map
    std::vector<std::string> anchors;      // "ID:X,Y" twice: where two landmarks lie on it
};

// Reads the file as "Open" does, lays the profile's flags over it by index as "Open" >
// "Profile" does (the landmark file the profile names plays no part), draws the map and
// writes it: to a temporary file beside the output, renamed over it when complete.
// Throws UserError with the editor's message; the output is then untouched.
void rasterize(const RasterRequest& request);

// The region of the loaded file as the editor derives it from the file's name; 0, the
// editor's region at start-up, when the name gives none.
int regionOfLoadedFile(const std::string& currentFileName);

} // namespace korvland::raster
