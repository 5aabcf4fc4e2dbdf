#include "image/heif.h"

#include <libheif/heif.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {
template <typename T, void (*Free)(const T *)> struct Freed
{
    void operator()(T *pointer) const { Free(pointer); }
};
void freeContext(const heif_context *context)
{
    heif_context_free(const_cast<heif_context *>(context));
}
using Context = std::unique_ptr<heif_context, Freed<heif_context, freeContext>>;
using Handle =
    std::unique_ptr<heif_image_handle, Freed<heif_image_handle, heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, Freed<heif_image, heif_image_release>>;

// The file's primary image, its pixels not decoded yet; null when its header cannot be read,
// and then tooLarge says whether libheif found it beyond its own limits.
Handle primaryImage(const QByteArray &bytes, Context *context, bool *tooLarge = nullptr)
{
    context->reset(heif_context_alloc());
    if (!*context)
        return {};
    const heif_error read = heif_context_read_from_memory_without_copy(
        context->get(), bytes.constData(), size_t(bytes.size()), nullptr);
    if (tooLarge)
        *tooLarge = read.subcode == heif_suberror_Security_limit_exceeded;
    if (read.code != heif_error_Ok)
        return {};
    heif_image_handle *handle = nullptr;
    if (heif_context_get_primary_image_handle(context->get(), &handle).code != heif_error_Ok)
        return {};
    return Handle(handle);
}
} // namespace

bool isHeif(const QByteArray &bytes)
{
    if (bytes.size() < 12 || bytes.mid(4, 4) != "ftyp")
        return false;
    const QByteArray brand = bytes.mid(8, 4);
    for (const char *heif :
         {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1", "avif", "avis"})
        if (brand == heif)
            return true;
    return false;
}

qint64 heifDeclaredPixels(const QByteArray &bytes)
{
    Context context;
    bool tooLarge = false;
    const Handle handle = primaryImage(bytes, &context, &tooLarge);
    if (!handle)
        return tooLarge ? std::numeric_limits<qint64>::max() : 0;
    return qint64(heif_image_handle_get_width(handle.get())) *
           heif_image_handle_get_height(handle.get());
}

cv::Mat decodeHeif(const QByteArray &bytes)
{
    Context context;
    const Handle handle = primaryImage(bytes, &context);
    if (!handle)
        return {};
    // A grid describes its picture's size apart from the header the import's limits were checked
    // against (fuzzing found 3072 × 4096 behind a header of 16 × 12). libheif refuses a picture,
    // grid or tile, from a side on before allocating it: the header's coded size, with room for a
    // tile reaching past the picture's edge (phones write tiles of 512). A result of another size
    // than the header's is refused below.
    constexpr int tileRoom = 1024;
    const int side = std::max(heif_image_handle_get_ispe_width(handle.get()),
                              heif_image_handle_get_ispe_height(handle.get()));
    if (side <= 0)
        return {};
    heif_context_set_maximum_image_size_limit(context.get(), side + tileRoom);
    // The default options apply the file's rotation and mirroring.
    heif_image *decoded = nullptr;
    if (heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                          nullptr)
            .code != heif_error_Ok)
        return {};
    const Image image(decoded);
    int stride = 0;
    const uint8_t *plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || width != heif_image_handle_get_width(handle.get()) ||
        height != heif_image_handle_get_height(handle.get()))
        return {};
    // A copy of our own: the plane goes with the image.
    return cv::Mat(height, width, CV_8UC3, const_cast<uint8_t *>(plane), size_t(stride)).clone();
}

QByteArray heifColourProfile(const QByteArray &bytes)
{
    Context context;
    const Handle handle = primaryImage(bytes, &context);
    if (!handle)
        return {};
    const size_t size = heif_image_handle_get_raw_color_profile_size(handle.get());
    if (size == 0 || size > size_t(std::numeric_limits<int>::max()))
        return {};
    QByteArray profile(int(size), '\0');
    if (heif_image_handle_get_raw_color_profile(handle.get(), profile.data()).code != heif_error_Ok)
        return {};
    return profile;
}
