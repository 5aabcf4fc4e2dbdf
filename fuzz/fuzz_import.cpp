// Guards the import against crashes, aborts and runaway memory on any bytes dropped as a file,
// and the way of its colour profile and metadata into the exports.
#include "fuzzsupport.h"
#include "image/colour.h"
#include "image/decode.h"
#include "image/heif.h"
#include "image/metadata.h"
#include "image/photofiles.h"
#include "image/pngwriter.h"
#include "image/raw.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <opencv2/imgcodecs.hpp>

namespace {
QTemporaryDir *folder = nullptr;
// An export's picture, and it encoded as JPEG and WebP, that the metadata goes into.
cv::Mat *picture = nullptr;
std::vector<uchar> *jpeg = nullptr;
std::vector<uchar> *webp = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = new QTemporaryDir;
    picture = new cv::Mat(2, 3, CV_8UC3, cv::Scalar(1, 2, 3));
    jpeg = new std::vector<uchar>;
    webp = new std::vector<uchar>;
    cv::imencode(".jpg", *picture, *jpeg);
    cv::imencode(".webp", *picture, *webp);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("dropped ü #1.img"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fuzzFailure("cannot write the temporary file");
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // OpenCV's pixel limit, which the run may lower through its environment. HEIF and camera RAW
    // files are decoded by libraries of their own, up to the size their header declares: those
    // declaring more than the limit would only slow the search down.
    const qint64 limit = qEnvironmentVariableIntValue("OPENCV_IO_MAX_IMAGE_PIXELS");
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const qint64 declared = declaredPixels(bytes);
    if (limit > 0 && (isHeif(bytes) || rawDeclaredPixels(bytes) > 0) && declared > limit &&
        declared <= maxPhotoPixels)
        return 0;
    // The import's decoding step; appending to the store would only grow the process.
    const QUrl dropped = QUrl::fromLocalFile(path);
    const cv::Mat image = readImageFile(localPathFromUrl(dropped.toString()));
    if (!image.empty() && image.type() != CV_8UC3)
        fuzzFailure("an imported image that is not 8-bit RGB");
    if (limit > 0 && qint64(image.total()) > limit)
        fuzzFailure("an imported image beyond the decoder's pixel limit");
    // The metadata's way from the file into every kind of export, in memory.
    const PhotoMetadata source = readMetadata(bytes);
    if (toSrgb(*picture, source.profile).size() != picture->size())
        fuzzFailure("a conversion to sRGB that changed the size");
    const PhotoMetadata exported =
        exportedMetadata(source, picture->size(), MetadataChoice(size % 3));
    if (encodePng(*picture, pngChunks(exported)).empty())
        fuzzFailure("a PNG with the file's metadata not made");
    for (const std::vector<uchar> *file : {jpeg, webp})
        if (withMetadata(*file, exported, picture->size()).empty())
            fuzzFailure("a file with the file's metadata not made");
    return 0;
}
