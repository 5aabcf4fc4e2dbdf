#include "image/decode.h"

#include "image/failsafe.h"
#include "image/heif.h"
#include "image/raw.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <unordered_set>

namespace {
// OpenCV hands files with the DICOM signature to GDCM, which aborts the whole process on some
// malformed ones instead of failing. Medical scans are no photographs: they are refused.
bool isDicom(const QByteArray &bytes)
{
    return bytes.size() >= 132 && bytes.mid(128, 4) == "DICM";
}

// Whether OpenCV may be given the bytes at all: why, when given, says why not where there is
// more to say than that they cannot be read.
bool decodable(const QByteArray &bytes, QString *why)
{
    if (bytes.isEmpty() || isDicom(bytes))
        return false;
    if (declaredPixels(bytes) > maxPhotoPixels) {
        if (why)
            *why = QCoreApplication::translate("Decode", "over %1 megapixels")
                       .arg(maxPhotoPixels / 1'000'000);
        return false;
    }
    return true;
}

// OpenCV's BGR as RGB, a band of rows at a time: cvtColor asked to write over its source copies
// the whole image first, 72 MB more for a 24-megapixel photo.
void swapRedAndBlue(cv::Mat &image)
{
    constexpr int band = 64;
    cv::Mat rgb;
    for (int top = 0; top < image.rows; top += band) {
        cv::Mat rows = image.rowRange(top, std::min(top + band, image.rows));
        cv::cvtColor(rows, rgb, cv::COLOR_BGR2RGB);
        rgb.copyTo(rows);
    }
}

cv::Mat decodeRgb(const QByteArray &bytes, int flags)
{
    return orEmpty([&bytes, flags] {
        if (isHeif(bytes))
            return decodeHeif(bytes);
        // LibRaw takes its own files whole; OpenCV would read the small preview that many
        // of them, being TIFF files too, carry first.
        if (rawDeclaredPixels(bytes) > 0)
            return decodeRaw(bytes);
        const cv::Mat encoded(1, bytes.size(), CV_8UC1, const_cast<char *>(bytes.constData()));
        cv::Mat image = cv::imdecode(encoded, flags);
        if (!image.empty())
            swapRedAndBlue(image);
        return image;
    });
}

int ceilDiv(int value, int divisor)
{
    return (value + divisor - 1) / divisor;
}

// The factor reducedCopy shrinks an image of this longest side by.
int reductionFactor(int side)
{
    return side <= previewSide ? 1 : ceilDiv(side, previewSide);
}

// A reduced copy of a photo of this full size, made from a decode of it at a smaller scale: the
// size reducedCopy gives.
PhotoPreview shrunkPreview(const cv::Mat &scaled, const cv::Size &size)
{
    const int factor = reductionFactor(std::max(size.width, size.height));
    const cv::Size reduced(std::max(1, size.width / factor), std::max(1, size.height / factor));
    if (scaled.size() == reduced)
        return {scaled, size, {}};
    return orEmpty([&] {
        cv::Mat preview;
        cv::resize(scaled, preview, reduced, 0, 0, cv::INTER_AREA);
        return PhotoPreview{preview, size, {}};
    });
}

// A RAW file's thumbnail from its decode at half size, without demosaicing.
PhotoPreview rawPreview(const QByteArray &bytes)
{
    const cv::Size size = rawSize(bytes);
    if (size.empty())
        return {};
    const cv::Mat half = decodeRaw(bytes, true);
    return half.empty() ? PhotoPreview() : shrunkPreview(half, size);
}

// A JPEG's thumbnail from a decode at 1/8, 1/4 or 1/2, its full size from its header and
// orientation tag; empty when the file is no JPEG, is too small to gain, or its decode does not
// have the size its header promises (the caller then decodes in full).
PhotoPreview scaledJpegPreview(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xff\xd8\xff"))
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    QSize stored = reader.size();
    if (!stored.isValid())
        return {};
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        stored.transpose();
    const cv::Size size(stored.width(), stored.height());
    const int factor = reductionFactor(std::max(size.width, size.height));
    const int scale = factor >= 8 ? 8 : factor >= 4 ? 4 : factor >= 2 ? 2 : 1;
    if (scale == 1)
        return {};
    const int flags = scale == 8   ? cv::IMREAD_REDUCED_COLOR_8
                      : scale == 4 ? cv::IMREAD_REDUCED_COLOR_4
                                   : cv::IMREAD_REDUCED_COLOR_2;
    const cv::Mat scaled = decodeRgb(bytes, flags);
    if (scaled.size() != cv::Size(ceilDiv(size.width, scale), ceilDiv(size.height, scale)))
        return {};
    return shrunkPreview(scaled, size);
}
} // namespace

qint64 declaredPixels(const QByteArray &bytes)
{
    if (isHeif(bytes))
        return heifDeclaredPixels(bytes);
    if (const qint64 raw = rawDeclaredPixels(bytes); raw > 0)
        return raw;
    if (bytes.startsWith("\x89PNG\r\n\x1a\n") && bytes.size() >= 24) {
        const auto bigEndian = [&bytes](int at) {
            return qint64(uchar(bytes[at])) << 24 | qint64(uchar(bytes[at + 1])) << 16 |
                   qint64(uchar(bytes[at + 2])) << 8 | qint64(uchar(bytes[at + 3]));
        };
        const qint64 width = bigEndian(16);
        const qint64 height = bigEndian(20);
        // Either side beyond the limit is enough; the product of two such could overflow.
        if (width > maxPhotoPixels || height > maxPhotoPixels)
            return maxPhotoPixels + 1;
        return width * height;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    return size.isValid() ? qint64(size.width()) * size.height() : 0;
}

QByteArray readPhotoFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Reading through Qt keeps non-ASCII paths working on every platform.
    return file.readAll();
}

cv::Mat decodeImage(const QByteArray &bytes, QString *why)
{
    return decodable(bytes, why) ? decodeRgb(bytes, cv::IMREAD_COLOR) : cv::Mat();
}

PhotoPreview decodePreview(const QByteArray &bytes, QString *why)
{
    if (!decodable(bytes, why))
        return {};
    if (PhotoPreview scaled = scaledJpegPreview(bytes); !scaled.preview.empty())
        return scaled;
    if (PhotoPreview raw = rawPreview(bytes); !raw.preview.empty())
        return raw;
    const cv::Mat image = decodeRgb(bytes, cv::IMREAD_COLOR);
    const cv::Mat preview = reducedCopy(image);
    if (preview.empty())
        return {};
    return {preview, image.size(), image};
}

namespace {
// Whether a picture has at most `most` colours: a drawing, a logo, a scan of a few inks. A photo
// shows more within its first rows, where the count stops.
bool fewColours(const cv::Mat &rgb, size_t most)
{
    std::unordered_set<uint32_t> seen;
    for (int y = 0; y < rgb.rows; ++y) {
        const auto *row = rgb.ptr<cv::Vec3b>(y);
        for (int x = 0; x < rgb.cols; ++x) {
            seen.insert(uint32_t(row[x][0]) << 16 | uint32_t(row[x][1]) << 8 | row[x][2]);
            if (seen.size() > most)
                return false;
        }
    }
    return true;
}
} // namespace

QByteArray packPreview(const cv::Mat &preview)
{
    // JPEG keeps a camera photo's reduced copy in a tenth of its pixels' bytes, unseen; it
    // visibly changes a small or flat-coloured picture, whose lossless copy is small anyway.
    constexpr size_t smallPixels = 256 * 256;
    constexpr size_t flatColours = 256;
    return orEmpty([&preview] {
        std::vector<uchar> packed;
        cv::Mat bgr;
        cv::cvtColor(preview, bgr, cv::COLOR_RGB2BGR);
        if (preview.total() <= smallPixels || fewColours(preview, flatColours))
            cv::imencode(".png", bgr, packed, {cv::IMWRITE_PNG_COMPRESSION, 1});
        else
            cv::imencode(".jpg", bgr, packed, {cv::IMWRITE_JPEG_QUALITY, 95});
        return QByteArray(reinterpret_cast<const char *>(packed.data()), int(packed.size()));
    });
}

cv::Mat unpackPreview(const QByteArray &packed)
{
    return packed.isEmpty() ? cv::Mat() : decodeRgb(packed, cv::IMREAD_COLOR);
}

cv::Mat readImageFile(const QString &path, QString *why)
{
    return decodeImage(readPhotoFile(path), why);
}

cv::Mat reducedCopy(const cv::Mat &image)
{
    // A whole factor: OpenCV averages whole blocks of pixels several times faster than it
    // resamples by a fraction, and camera sizes divide evenly.
    const int factor = reductionFactor(std::max(image.cols, image.rows));
    if (factor == 1)
        return image;
    return orEmpty([&image, factor] {
        const cv::Size size(std::max(1, image.cols / factor), std::max(1, image.rows / factor));
        cv::Mat reduced;
        cv::resize(image, reduced, size, 0, 0, cv::INTER_AREA);
        return reduced;
    });
}

QString fileDamage(const QByteArray &bytes)
{
    const QString endsEarly =
        QCoreApplication::translate("Decode", "The file ends early: its lower part is missing.");
    if (bytes.startsWith("\xFF\xD8")) {
        // Markers cannot occur inside entropy-coded data (an 0xFF there is followed by 0x00), so
        // the main image's last scan is the last start-of-scan marker, and its end must follow.
        const int lastScan = bytes.lastIndexOf("\xFF\xDA");
        return lastScan >= 0 && bytes.indexOf("\xFF\xD9", lastScan) < 0 ? endsEarly : QString();
    }
    if (bytes.startsWith("\x89PNG\r\n\x1A\n")) {
        const int lastData = bytes.lastIndexOf("IDAT");
        return lastData >= 0 && bytes.indexOf("IEND", lastData) < 0 ? endsEarly : QString();
    }
    return {};
}
