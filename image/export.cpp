#include "image/export.h"

#include "image/failsafe.h"
#include "image/pngwriter.h"

#include <QSaveFile>
#include <QUrl>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

QString ExportFormat::extension() const
{
    switch (kind) {
    case Jpeg:
        return QStringLiteral("jpg");
    case Webp:
        return QStringLiteral("webp");
    case Png:
        break;
    }
    return QStringLiteral("png");
}

bool parseExportFormat(const QString &name, ExportFormat *format)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("png"))
        format->kind = ExportFormat::Png;
    else if (lower == QLatin1String("jpg") || lower == QLatin1String("jpeg"))
        format->kind = ExportFormat::Jpeg;
    else if (lower == QLatin1String("webp"))
        format->kind = ExportFormat::Webp;
    else
        return false;
    return true;
}

bool exportImage(const cv::Mat &image, const QString &folder, const QString &stem,
                 const ExportFormat &format)
{
    // An empty folder would put the file into the file-system root.
    if (image.empty() || folder.isEmpty())
        return false;
    const std::vector<uchar> bytes = orEmpty([&image, &format] {
        if (format.kind == ExportFormat::Png)
            return encodePng(image);
        cv::Mat bgr;
        cv::cvtColor(image, bgr, cv::COLOR_RGB2BGR);
        const std::vector<int> parameters = {
            format.kind == ExportFormat::Jpeg ? cv::IMWRITE_JPEG_QUALITY : cv::IMWRITE_WEBP_QUALITY,
            format.quality};
        std::vector<uchar> encoded;
        const std::string suffix = '.' + format.extension().toStdString();
        return cv::imencode(suffix, bgr, encoded, parameters) ? encoded : std::vector<uchar>();
    });
    if (bytes.empty())
        return false;
    // A temporary file beside the target, renamed on commit: an interrupted export never leaves
    // a truncated file under the final name.
    QSaveFile file(folder + QLatin1Char('/') + stem + QLatin1Char('.') + format.extension());
    // Unbuffered: a full disk must fail the write below. Buffered, a small file would reach the
    // disk only in the commit, which does not report a failed final flush and renames the
    // truncated file into place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const auto size = qint64(bytes.size());
    // Left uncommitted, the temporary file is discarded.
    if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size)
        return false;
    return file.commit();
}

QString exportFolderPath(const QVariant &folder)
{
    return folder.userType() == QMetaType::QUrl ? folder.toUrl().toLocalFile() : folder.toString();
}
