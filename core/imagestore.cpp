#include "core/imagestore.h"

#include "core/failsafe.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <mutex>
#include <vector>

namespace {
// A lookup only copies a matrix header under the lock; the pixels it shares stay valid after
// the vector has moved its entries. A standard mutex, so that race detectors can see it.
std::mutex storeMutex;
std::vector<cv::Mat> store;

// OpenCV hands files with the DICOM signature to GDCM, which aborts the whole process on some
// malformed ones instead of failing. Medical scans are no photographs: they are refused.
bool isDicom(const QByteArray &bytes)
{
    return bytes.size() >= 132 && bytes.mid(128, 4) == "DICM";
}
} // namespace

int appendStoredImage(const cv::Mat &image)
{
    const std::lock_guard<std::mutex> lock(storeMutex);
    store.push_back(image);
    return int(store.size()) - 1;
}

cv::Mat storedImage(int index)
{
    const std::lock_guard<std::mutex> lock(storeMutex);
    if (index < 0 || size_t(index) >= store.size())
        return {};
    return store[size_t(index)];
}

int storedImageCount()
{
    const std::lock_guard<std::mutex> lock(storeMutex);
    return int(store.size());
}

QString localPathFromUrl(const QVariant &url)
{
    const QUrl parsed = url.userType() == QMetaType::QUrl ? url.toUrl() : QUrl(url.toString());
    return parsed.isLocalFile() ? parsed.toLocalFile() : QString();
}

cv::Mat readImageFile(const QString &path)
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
    return orEmpty([&bytes] {
        const cv::Mat encoded(1, bytes.size(), CV_8UC1, const_cast<char *>(bytes.constData()));
        cv::Mat image = cv::imdecode(encoded, cv::IMREAD_COLOR);
        if (!image.empty())
            cv::cvtColor(image, image, cv::COLOR_BGR2RGB);
        return image;
    });
}

int importImage(const QVariant &url)
{
    const cv::Mat image = readImageFile(localPathFromUrl(url));
    return image.empty() ? -1 : appendStoredImage(image);
}
