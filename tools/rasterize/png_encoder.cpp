#include "png_encoder.h"

#include "data/user_error.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <future>
#include <memory>
#include <string>
#include <string_view>

namespace korvland::raster {

namespace {

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A chunk: its length, its type, the data, and the CRC of type and data.
void putChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::uint8_t* data,
              std::size_t size) {
    putU32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data, data + size);
    putU32(out, static_cast<std::uint32_t>(crc32_z(0, out.data() + start, out.size() - start)));
}

// One band of rows deflated on its own, as its own thread does it: a raw deflate stream that
// a band before the last ends on a byte boundary without closing (a sync flush), so that the
// bands' streams joined are one stream; and the Adler-32 of its rows, for the zlib trailer.
struct DeflatedBand {
    std::vector<std::uint8_t> bytes;
    std::uint32_t adler = 1;
    std::size_t rawSize = 0;
};

DeflatedBand deflateBand(const QImage& image, const QImage& indexed, int firstRow, int endRow, bool last) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw UserError("The map cannot be written as PNG: zlib failed");
    const std::unique_ptr<z_stream, int (*)(z_streamp)> ending(&stream, deflateEnd);
    DeflatedBand band;
    std::array<std::uint8_t, 65536> buffer;
    const auto deflateInput = [&](int flush) {
        int result = Z_OK;
        do {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<uInt>(buffer.size());
            result = deflate(&stream, flush);
            if (result == Z_STREAM_ERROR)
                throw UserError("The map cannot be written as PNG: zlib failed");
            band.bytes.insert(band.bytes.end(), buffer.data(),
                              buffer.data() + buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    };
    // Each row starts with its filter byte, 0: none.
    const auto width = static_cast<std::size_t>(image.width());
    std::vector<std::uint8_t> row(1 + (indexed.isNull() ? 3 * width : width), 0);
    for (int y = firstRow; y < endRow; ++y) {
        if (!indexed.isNull()) {
            std::copy_n(indexed.constScanLine(y), width, row.begin() + 1);
        } else {
            const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            std::uint8_t* pixel = row.data() + 1;
            for (std::size_t x = 0; x < width; ++x) {
                *pixel++ = static_cast<std::uint8_t>(qRed(in[x]));
                *pixel++ = static_cast<std::uint8_t>(qGreen(in[x]));
                *pixel++ = static_cast<std::uint8_t>(qBlue(in[x]));
            }
        }
        band.adler = static_cast<std::uint32_t>(adler32_z(band.adler, row.data(), row.size()));
        band.rawSize += row.size();
        stream.next_in = row.data();
        stream.avail_in = static_cast<uInt>(row.size());
        deflateInput(Z_NO_FLUSH);
    }
    deflateInput(last ? Z_FINISH : Z_SYNC_FLUSH);
    return band;
}

// The image's rows as one zlib stream, deflated in bands on up to four threads; a small image
// in one band. The bands follow the image's size alone, so that every machine writes the same
// bytes, whatever its number of cores.
std::vector<std::uint8_t> deflateRows(const QImage& image, const QImage& indexed) {
    constexpr std::size_t kBandBytes = std::size_t{1} << 18;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * (indexed.isNull() ? 3 : 1);
    const std::size_t height = static_cast<std::size_t>(image.height());
    const std::size_t bands = std::clamp<std::size_t>(rowBytes * height / kBandBytes, 1, 4);
    std::vector<std::future<DeflatedBand>> running;
    for (std::size_t k = 0; k < bands; ++k) {
        const int first = static_cast<int>(height * k / bands);
        const int end = static_cast<int>(height * (k + 1) / bands);
        const bool last = k + 1 == bands;
        running.push_back(std::async(k == 0 ? std::launch::deferred : std::launch::async, deflateBand,
                                     std::cref(image), std::cref(indexed), first, end, last));
    }
    // A zlib header for a 32 KiB window and the fastest level; the bands; the Adler-32 of all rows.
    std::vector<std::uint8_t> stream{0x78, 0x01};
    uLong adler = 1;
    for (auto& band : running) {
        const DeflatedBand done = band.get();
        stream.insert(stream.end(), done.bytes.begin(), done.bytes.end());
        adler = adler32_combine(adler, done.adler, static_cast<z_off_t>(done.rawSize));
    }
    putU32(stream, static_cast<std::uint32_t>(adler));
    return stream;
}

} // namespace

QImage exactPalette(const QImage& image) {
    if (image.format() != QImage::Format_RGB32)
        return {};
    QImage indexed(image.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return {};
    // Colours found so far, by an open-addressed table four times the palette's size: a probe
    // always ends on the colour or on a free slot.
    constexpr std::size_t kSlots = 1024;
    std::array<QRgb, kSlots> slotColour{};
    std::array<int, kSlots> slotIndex;
    slotIndex.fill(-1);
    QList<QRgb> palette;
    const auto indexOf = [&](QRgb colour) {
        std::size_t slot = (colour * 2654435761u >> 8) & (kSlots - 1);
        while (slotIndex[slot] >= 0 && slotColour[slot] != colour)
            slot = (slot + 1) & (kSlots - 1);
        if (slotIndex[slot] < 0 && palette.size() < 256) {
            slotColour[slot] = colour;
            slotIndex[slot] = static_cast<int>(palette.size());
            palette.append(colour);
        }
        return slotIndex[slot];
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        // A map is runs of one colour: the last colour's index serves most pixels.
        QRgb last = ~(in[0] | 0xFF000000u);
        int lastIndex = -1;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = in[x] | 0xFF000000u;
            if (colour != last) {
                lastIndex = indexOf(colour);
                if (lastIndex < 0)
                    return {};
                last = colour;
            }
            out[x] = static_cast<uchar>(lastIndex);
        }
    }
    indexed.setColorTable(palette);
    return indexed;
}

std::vector<std::uint8_t> encodeFlatPng(const QImage& image) {
    const QImage indexed = exactPalette(image);
    const bool paletted = !indexed.isNull();
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putU32(header, static_cast<std::uint32_t>(image.width()));
    putU32(header, static_cast<std::uint32_t>(image.height()));
    // 8 bits a sample; palette or RGB; deflate; a filter byte before each row; no interlace.
    header.insert(header.end(), {8, static_cast<std::uint8_t>(paletted ? 3 : 2), 0, 0, 0});
    putChunk(out, "IHDR", header.data(), header.size());
    if (paletted) {
        std::vector<std::uint8_t> palette;
        for (const QRgb colour : indexed.colorTable())
            palette.insert(palette.end(), {static_cast<std::uint8_t>(qRed(colour)),
                                           static_cast<std::uint8_t>(qGreen(colour)),
                                           static_cast<std::uint8_t>(qBlue(colour))});
        putChunk(out, "PLTE", palette.data(), palette.size());
    }

    const std::vector<std::uint8_t> data = deflateRows(image, indexed);
    // Image data in chunks of at most 1 MiB, as decoders read them best.
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    for (std::size_t at = 0; at < data.size(); at += kChunk)
        putChunk(out, "IDAT", data.data() + at, std::min(kChunk, data.size() - at));
    putChunk(out, "IEND", nullptr, 0);
    return out;
}

} // namespace korvland::raster
