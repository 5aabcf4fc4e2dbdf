#include "core/export.h"

#include "core/failsafe.h"

#include <QSaveFile>
#include <QUrl>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

QString exportFolder;

bool exportImage(const cv::Mat &image, const QString &folder, const QString &stem)
{
    // An empty folder would put the file into the file-system root.
    if (image.empty() || folder.isEmpty())
        return false;
    const std::vector<uchar> png = orEmpty([&image] {
        cv::Mat bgr;
        cv::cvtColor(image, bgr, cv::COLOR_RGB2BGR);
        std::vector<uchar> encoded;
        return cv::imencode(".png", bgr, encoded) ? encoded : std::vector<uchar>();
    });
    if (png.empty())
        return false;
    // A temporary file beside the target, renamed on commit: an interrupted export never leaves
    // a truncated PNG under the final name.
    QSaveFile file(folder + QLatin1Char('/') + stem + QLatin1String(".png"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = qint64(png.size());
    // Left uncommitted, the temporary file is discarded.
    if (file.write(reinterpret_cast<const char *>(png.data()), size) != size)
        return false;
    return file.commit();
}

bool exportImage(const cv::Mat &image, const QString &stem)
{
    return exportImage(image, exportFolder, stem);
}

QString exportFolderPath(const QVariant &folder)
{
    return folder.userType() == QMetaType::QUrl ? folder.toUrl().toLocalFile() : folder.toString();
}
