#include "core/imagestore.h"

#include "core/failsafe.h"
#include "core/processimage.h"

#include <QBuffer>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace {
// The object box of one photo, filled in once by whichever thread asks first.
struct BoxSlot
{
    std::once_flag detected;
    cv::Rect box;
};

struct Entry
{
    DecodedPhoto photo;
    std::shared_ptr<BoxSlot> box;
};

// A lookup only copies handles under the lock; the pixels they share stay valid after the vector
// has moved its entries. A standard mutex, so that race detectors can see it.
std::mutex storeMutex;
std::vector<Entry> store;

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

cv::Mat reducedCopy(const cv::Mat &image)
{
    const int side = std::max(image.cols, image.rows);
    if (side <= previewSide)
        return image;
    // A whole factor: OpenCV averages whole blocks of pixels several times faster than it
    // resamples by a fraction, and camera sizes divide evenly.
    const int factor = (side + previewSide - 1) / previewSide;
    const cv::Size size(std::max(1, image.cols / factor), std::max(1, image.rows / factor));
    cv::Mat reduced;
    cv::resize(image, reduced, size, 0, 0, cv::INTER_AREA);
    return reduced;
}

Entry entryAt(int index)
{
    const std::lock_guard<std::mutex> lock(storeMutex);
    if (index < 0 || size_t(index) >= store.size())
        return {};
    return store[size_t(index)];
}
} // namespace

int appendStoredImage(const cv::Mat &image)
{
    return appendStoredPhoto({image, orEmpty([&image] { return reducedCopy(image); })});
}

int appendStoredPhoto(const DecodedPhoto &photo)
{
    Entry entry{photo, std::make_shared<BoxSlot>()};
    const std::lock_guard<std::mutex> lock(storeMutex);
    store.push_back(std::move(entry));
    return int(store.size()) - 1;
}

cv::Mat storedImage(int index)
{
    return entryAt(index).photo.image;
}

cv::Mat storedPreview(int index)
{
    return entryAt(index).photo.preview;
}

int storedImageCount()
{
    const std::lock_guard<std::mutex> lock(storeMutex);
    return int(store.size());
}

cv::Rect objectBox(int index)
{
    const Entry entry = entryAt(index);
    if (!entry.box)
        return {};
    BoxSlot &slot = *entry.box;
    std::call_once(slot.detected, [&slot, &entry] {
        slot.box = orEmpty([&entry] { return detectObjectBox(entry.photo.image); });
    });
    return slot.box;
}

QString localPathFromUrl(const QVariant &url)
{
    const QUrl parsed = url.userType() == QMetaType::QUrl ? url.toUrl() : QUrl(url.toString());
    return parsed.isLocalFile() ? parsed.toLocalFile() : QString();
}

cv::Mat readImageFile(const QString &path, QString *why)
{
    // Directories, devices, pipes, dangling links and link loops are refused before reading.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Reading through Qt keeps non-ASCII paths working on every platform.
    const QByteArray bytes = file.readAll();
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

DecodedPhoto decodePhoto(const QString &path, QString *why)
{
    const cv::Mat image = readImageFile(path, why);
    if (image.empty())
        return {};
    const cv::Mat preview = orEmpty([&image] { return reducedCopy(image); });
    if (preview.empty())
        return {};
    return {image, preview};
}

int importImage(const QVariant &url)
{
    const DecodedPhoto photo = decodePhoto(localPathFromUrl(url));
    return photo.image.empty() ? -1 : appendStoredPhoto(photo);
}

QStringList importPaths(const QVariantList &urls)
{
    // The extensions of the formats OpenCV reads.
    static const QStringList imageFilters = {
        "*.jpg", "*.jpeg", "*.jpe", "*.png", "*.webp", "*.tif", "*.tiff",
        "*.bmp", "*.dib",  "*.jp2", "*.pbm", "*.pgm",  "*.ppm", "*.pnm",
        "*.pxm", "*.pfm",  "*.sr",  "*.ras", "*.exr",  "*.hdr", "*.pic"};
    // Numbers compare by value in every locale: the C locale's collation knows no numbers, so
    // English collation stands in for it.
    const QLocale locale =
        QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    QStringList paths;
    for (const QVariant &url : urls) {
        const QString path = localPathFromUrl(url);
        if (path.isEmpty()) {
            paths << url.toString();
            continue;
        }
        if (!QFileInfo(path).isDir()) {
            paths << path;
            continue;
        }
        QDir folder(path);
        QStringList names =
            folder.entryList(imageFilters, QDir::Files | QDir::Readable, QDir::NoSort);
        std::sort(names.begin(), names.end(), collator);
        for (const QString &name : names)
            paths << folder.filePath(name);
    }
    return paths;
}
