#include "image/export.h"

#include "image/colour.h"
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

bool parseColourChoice(const QString &name, bool *srgb)
{
    if (name != QLatin1String("keep") && name != QLatin1String("srgb"))
        return false;
    *srgb = name == QLatin1String("srgb");
    return true;
}

bool parseMetadataChoice(const QString &name, MetadataChoice *choice)
{
    if (name == QLatin1String("keep"))
        *choice = MetadataChoice::Keep;
    else if (name == QLatin1String("strip"))
        *choice = MetadataChoice::Strip;
    else if (name == QLatin1String("no-location") || name == QLatin1String("noLocation"))
        *choice = MetadataChoice::NoLocation;
    else
        return false;
    return true;
}

ExportPicture exportPicture(std::vector<cv::Mat> photos, const std::vector<PhotoMetadata> &sources,
                            const PairStyle &style, bool srgb)
{
    if (photos.empty() || sources.size() != photos.size())
        return {};
    std::vector<QByteArray> profiles;
    for (const PhotoMetadata &source : sources)
        profiles.push_back(source.profile);
    PhotoMetadata metadata = sources.front();
    metadata.profile = sharedProfile(photos, profiles, srgb);
    const cv::Mat image =
        photos.size() == 1 ? photos.front() : joinPair(photos[0], photos[1], style);
    return {image, metadata};
}

bool exportImage(const cv::Mat &image, const QString &folder, const QString &stem,
                 const ExportFormat &format, const PhotoMetadata &source)
{
    // An empty folder would put the file into the file-system root.
    if (image.empty() || folder.isEmpty())
        return false;
    const PhotoMetadata metadata = exportedMetadata(source, image.size(), format.metadata);
    const std::vector<uchar> bytes = orEmpty([&image, &format, &metadata] {
        if (format.kind == ExportFormat::Png)
            return encodePng(image, pngChunks(metadata));
        cv::Mat bgr;
        cv::cvtColor(image, bgr, cv::COLOR_RGB2BGR);
        const std::vector<int> parameters = {
            format.kind == ExportFormat::Jpeg ? cv::IMWRITE_JPEG_QUALITY : cv::IMWRITE_WEBP_QUALITY,
            format.quality};
        std::vector<uchar> encoded;
        const std::string suffix = '.' + format.extension().toStdString();
        if (!cv::imencode(suffix, bgr, encoded, parameters))
            return std::vector<uchar>();
        return withMetadata(std::move(encoded), metadata, image.size());
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
