#include "image/decode.h"

#include "image/failsafe.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace {
// OpenCV hands files with the DICOM signature to GDCM, which aborts the whole process on some
// malformed ones instead of failing. Medical scans are no photographs: they are refused.
bool isDicom(const QByteArray &bytes)
{
    return bytes.size() >= 132 && bytes.mid(128, 4) == "DICM";
}

// The pixels a file's header declares, without decoding any: PNG's header is read here (Qt's
// reader wants more of the file than the header), other formats by Qt's image plugins; 0 where
// none knows the format (OpenCV's own limit of 2^30 pixels then holds).
qint64 declaredPixels(const QByteArray &bytes)
{
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
} // namespace

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
    if (bytes.isEmpty() || isDicom(bytes))
        return {};
    if (declaredPixels(bytes) > maxPhotoPixels) {
        if (why)
            *why = QStringLiteral("over %1 megapixels").arg(maxPhotoPixels / 1'000'000);
        return {};
    }
    return orEmpty([&bytes] {
        const cv::Mat encoded(1, bytes.size(), CV_8UC1, const_cast<char *>(bytes.constData()));
        cv::Mat image = cv::imdecode(encoded, cv::IMREAD_COLOR);
        if (!image.empty())
            cv::cvtColor(image, image, cv::COLOR_BGR2RGB);
        return image;
    });
}

cv::Mat readImageFile(const QString &path, QString *why)
{
    return decodeImage(readPhotoFile(path), why);
}

cv::Mat reducedCopy(const cv::Mat &image)
{
    const int side = std::max(image.cols, image.rows);
    if (side <= previewSide)
        return image;
    return orEmpty([&image, side] {
        // A whole factor: OpenCV averages whole blocks of pixels several times faster than it
        // resamples by a fraction, and camera sizes divide evenly.
        const int factor = (side + previewSide - 1) / previewSide;
        const cv::Size size(std::max(1, image.cols / factor), std::max(1, image.rows / factor));
        cv::Mat reduced;
        cv::resize(image, reduced, size, 0, 0, cv::INTER_AREA);
        return reduced;
    });
}
