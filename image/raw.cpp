#include "image/raw.h"

#include <libraw/libraw.h>

#include <limits>
#include <memory>
#include <utility>

namespace {
bool mayBeRaw(const QByteArray &bytes)
{
    if (bytes.size() < 16)
        return false;
    for (const char *other : {"\xFF\xD8", "\x89PNG", "RIFF", "GIF8", "BM"})
        if (bytes.startsWith(other))
            return false;
    return bytes.mid(4, 4) != "ftyp" || bytes.mid(8, 3) == "crx";
}

// A processor with the file opened (its header read, nothing decoded); null when the bytes are
// no RAW file, and then tooLarge says whether LibRaw found it beyond its own limits. LibRaw keeps
// a pointer to the bytes, which must outlive it.
std::unique_ptr<LibRaw> opened(const QByteArray &bytes, bool *tooLarge = nullptr)
{
    if (!mayBeRaw(bytes))
        return {};
    // Large (a few hundred kilobytes): never on a worker's stack.
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    // Its default prints every read past the end to the standard error.
    raw->set_dataerror_handler([](void *, const char *, int) {}, nullptr);
    libraw_output_params_t &params = raw->imgdata.params;
    params.use_camera_wb = 1;
    params.output_color = 1; // sRGB
    params.output_bps = 8;
    const int opening =
        raw->open_buffer(const_cast<char *>(bytes.constData()), size_t(bytes.size()));
    if (tooLarge)
        *tooLarge = opening == LIBRAW_TOO_BIG;
    return opening == LIBRAW_SUCCESS ? std::move(raw) : nullptr;
}
} // namespace

qint64 rawDeclaredPixels(const QByteArray &bytes)
{
    bool tooLarge = false;
    const std::unique_ptr<LibRaw> raw = opened(bytes, &tooLarge);
    if (!raw)
        return tooLarge ? std::numeric_limits<qint64>::max() : 0;
    const libraw_image_sizes_t &sizes = raw->imgdata.sizes;
    // The sensor's whole area is what unpacking allocates, margins included.
    return std::max(qint64(sizes.raw_width) * sizes.raw_height, qint64(sizes.width) * sizes.height);
}

cv::Size rawSize(const QByteArray &bytes)
{
    const std::unique_ptr<LibRaw> raw = opened(bytes);
    if (!raw)
        return {};
    const libraw_image_sizes_t &sizes = raw->imgdata.sizes;
    cv::Size size(sizes.width, sizes.height);
    // Flips 5 and 6 turn by a quarter.
    if (sizes.flip & 4)
        std::swap(size.width, size.height);
    return size;
}

cv::Mat decodeRaw(const QByteArray &bytes, bool halfSize)
{
    const std::unique_ptr<LibRaw> raw = opened(bytes);
    if (!raw)
        return {};
    raw->imgdata.params.half_size = halfSize;
    if (raw->unpack() != LIBRAW_SUCCESS || raw->dcraw_process() != LIBRAW_SUCCESS)
        return {};
    int width = 0, height = 0, colours = 0, bits = 0;
    raw->get_mem_image_format(&width, &height, &colours, &bits);
    if (width <= 0 || height <= 0 || colours != 3 || bits != 8)
        return {};
    // Written straight into our own image, turned as the file says.
    cv::Mat image(height, width, CV_8UC3);
    if (raw->copy_mem_image(image.data, int(image.step), 0) != LIBRAW_SUCCESS)
        return {};
    return image;
}
