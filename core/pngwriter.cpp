#include "core/pngwriter.h"

#include <opencv2/core/utility.hpp>
#include <zlib.h>

#include <atomic>
#include <cstring>

namespace {
constexpr uchar subFilter = 1;
// About this many filtered bytes make one piece: small enough to share the work evenly and stay
// in the cache, large enough that restarting the compression costs next to nothing.
constexpr size_t pieceBytes = size_t(1) << 20;

void putBigEndian(std::vector<uchar> &out, uint32_t value)
{
    const uchar bytes[4] = {uchar(value >> 24), uchar(value >> 16), uchar(value >> 8),
                            uchar(value)};
    out.insert(out.end(), bytes, bytes + 4);
}

void putChunk(std::vector<uchar> &out, const char type[4], const uchar *data, size_t size)
{
    putBigEndian(out, uint32_t(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    putBigEndian(out, uint32_t(crc32(0, out.data() + start, uInt(size + 4))));
}

// Rows first to last as PNG stores them: a filter byte, then every byte minus the one three to
// its left.
void filterRows(const cv::Mat &rgb, int first, int last, std::vector<uchar> *out)
{
    const size_t rowBytes = size_t(rgb.cols) * 3;
    out->resize((rowBytes + 1) * size_t(last - first));
    uchar *at = out->data();
    for (int y = first; y < last; ++y, at += rowBytes + 1) {
        const uchar *in = rgb.ptr<uchar>(y);
        at[0] = subFilter;
        std::memcpy(at + 1, in, 3);
        for (size_t x = 3; x < rowBytes; ++x)
            at[1 + x] = uchar(in[x] - in[x - 3]);
    }
}

// One piece of a raw deflate stream. Pieces but the last end with a sync flush: an empty stored
// block that leaves the stream byte-aligned and open, so that pieces compressed apart simply
// follow each other.
bool deflatePiece(const std::vector<uchar> &data, bool last, std::vector<uchar> *out)
{
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK)
        return false;
    out->resize(deflateBound(&stream, uLong(data.size())) + 16);
    stream.next_in = const_cast<uchar *>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out->data();
    stream.avail_out = uInt(out->size());
    const int result = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool ok = last ? result == Z_STREAM_END : result == Z_OK && stream.avail_in == 0;
    out->resize(out->size() - stream.avail_out);
    deflateEnd(&stream);
    return ok;
}

struct Piece
{
    std::vector<uchar> deflated;
    uLong adler = 0;
    size_t length = 0;
};
} // namespace

std::vector<uchar> encodePng(const cv::Mat &rgb)
{
    if (rgb.empty() || rgb.type() != CV_8UC3)
        return {};
    const size_t rowBytes = size_t(rgb.cols) * 3 + 1;
    const int rowsPerPiece = int(std::max<size_t>(1, pieceBytes / rowBytes));
    const int pieceCount = (rgb.rows + rowsPerPiece - 1) / rowsPerPiece;
    std::vector<Piece> pieces{size_t(pieceCount)};
    std::atomic<bool> ok{true};
    cv::parallel_for_(cv::Range(0, pieceCount), [&](const cv::Range &range) {
        std::vector<uchar> rows;
        for (int i = range.start; i < range.end; ++i) {
            filterRows(rgb, i * rowsPerPiece, std::min(rgb.rows, (i + 1) * rowsPerPiece), &rows);
            Piece &piece = pieces[size_t(i)];
            piece.adler = adler32(1, rows.data(), uInt(rows.size()));
            piece.length = rows.size();
            if (!deflatePiece(rows, i == pieceCount - 1, &piece.deflated))
                ok = false;
        }
    });
    if (!ok)
        return {};

    // The zlib wrapping: a header for a 32 KiB window, the pieces, the checksum of all rows.
    std::vector<uchar> stream = {0x78, 0x01};
    uLong adler = pieces.front().adler;
    for (size_t i = 0; i < pieces.size(); ++i) {
        stream.insert(stream.end(), pieces[i].deflated.begin(), pieces[i].deflated.end());
        if (i > 0)
            adler = adler32_combine(adler, pieces[i].adler, z_off_t(pieces[i].length));
    }
    putBigEndian(stream, uint32_t(adler));

    static const uchar signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uchar> png(signature, signature + 8);
    png.reserve(stream.size() + 64);
    std::vector<uchar> header;
    putBigEndian(header, uint32_t(rgb.cols));
    putBigEndian(header, uint32_t(rgb.rows));
    // 8 bits per sample, RGB, deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    putChunk(png, "IHDR", header.data(), header.size());
    // A chunk holds less than 2 GiB; large pictures take several.
    constexpr size_t maxChunk = size_t(1) << 30;
    for (size_t at = 0; at < stream.size(); at += maxChunk)
        putChunk(png, "IDAT", stream.data() + at, std::min(maxChunk, stream.size() - at));
    putChunk(png, "IEND", nullptr, 0);
    return png;
}
