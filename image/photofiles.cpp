#include "image/photofiles.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

#include <algorithm>

#include <xxhash.h>

QString localPathFromUrl(const QVariant &url)
{
    const QUrl parsed = url.userType() == QMetaType::QUrl ? url.toUrl() : QUrl(url.toString());
    return parsed.isLocalFile() ? parsed.toLocalFile() : QString();
}

QStringList photoFilePatterns()
{
    return {"*.jpg", "*.jpeg", "*.jpe", "*.png", "*.webp", "*.heic", "*.heif", "*.avif", "*.tif",
            "*.tiff", "*.bmp", "*.dib", "*.jp2", "*.pbm", "*.pgm", "*.ppm", "*.pnm", "*.pxm",
            "*.pfm", "*.sr", "*.ras", "*.exr", "*.hdr", "*.pic",
            // Camera RAW: Canon, Nikon, Sony, Adobe's DNG, Fujifilm, Olympus, Panasonic, Pentax,
            // Samsung, Leica, Hasselblad, Phase One, Sigma, Kodak, Minolta.
            "*.cr2", "*.cr3", "*.crw", "*.nef", "*.nrw", "*.arw", "*.srf", "*.sr2", "*.dng",
            "*.raf", "*.orf", "*.rw2", "*.pef", "*.srw", "*.rwl", "*.3fr", "*.iiq", "*.x3f",
            "*.dcr", "*.kdc", "*.mrw"};
}

QStringList importPaths(const QVariantList &urls)
{
    const QStringList imageFilters = photoFilePatterns();
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

QString contentHash(const QByteArray &bytes)
{
    const XXH128_hash_t hash = XXH3_128bits(bytes.constData(), size_t(bytes.size()));
    return QStringLiteral("xxh3-128:%1%2")
        .arg(hash.high64, 16, 16, QLatin1Char('0'))
        .arg(hash.low64, 16, 16, QLatin1Char('0'));
}
