// Guards what an export keeps of its source beside the pixels: the colour profile, EXIF, IPTC and
// XMP in every format, made true of the new picture, and what the choices remove. Files are read
// back with Exiv2.
#include "image/decode.h"
#include "image/export.h"
#include "image/metadata.h"
#include "support/testimages.h"

#include <QtTest>
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>
#pragma GCC diagnostic pop

namespace {
const Exiv2::byte *bytesOf(const QByteArray &file)
{
    return reinterpret_cast<const Exiv2::byte *>(file.constData());
}

// What Exiv2 finds in a file.
struct Found
{
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    Exiv2::XmpData xmp;
    QByteArray profile;
    // The value of an Exif., Iptc. or Xmp. key; empty where the file has none.
    std::string text(const char *key) const
    {
        const auto valueOf = [](const auto &data, const auto &name) {
            const auto found = data.findKey(name);
            return found == data.end() ? std::string() : found->toString();
        };
        const std::string name(key);
        if (name.rfind("Exif.", 0) == 0)
            return valueOf(exif, Exiv2::ExifKey(name));
        if (name.rfind("Xmp.", 0) == 0)
            return valueOf(xmp, Exiv2::XmpKey(name));
        return valueOf(iptc, Exiv2::IptcKey(name));
    }
    bool has(const char *key) const { return !text(key).empty(); }
};

Found readBack(const QByteArray &file)
{
    Found found;
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(bytesOf(file), long(file.size()));
    image->readMetadata();
    found.exif = image->exifData();
    found.iptc = image->iptcData();
    found.xmp = image->xmpData();
    if (image->iccProfileDefined())
        found.profile = QByteArray(reinterpret_cast<const char *>(image->iccProfile()->pData_),
                                   int(image->iccProfile()->size_));
    // Exiv2 0.27 does not read a WebP file's profile.
    if (image->mimeType() == "image/webp")
        found.profile = readMetadata(file).profile;
    return found;
}

// The single export of a file, as the export writes it, and its bytes.
QByteArray exported(const QByteArray &source, const ExportFormat &format)
{
    QTemporaryDir folder;
    const ExportPicture picture =
        exportPicture({decodeImage(source)}, {readMetadata(source)}, {}, format.srgb);
    if (!exportImage(picture.image, folder.path(), "0", format, picture.metadata))
        return {};
    QFile file(folder.filePath("0." + format.extension()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

cv::Mat gradient()
{
    cv::Mat image(48, 64, CV_8UC3);
    for (int y = 0; y < image.rows; ++y)
        for (int x = 0; x < image.cols; ++x)
            image.at<cv::Vec3b>(y, x) = cv::Vec3b(uchar(x * 4), uchar(y * 5), uchar(255 - x * 2));
    return image;
}
} // namespace

Q_DECLARE_METATYPE(ExportFormat::Kind)

class TestMetadata : public QObject
{
    Q_OBJECT

private slots:
    void everyFormatAndChoice_data();
    void everyFormatAndChoice();
    void otherSources();
};

void TestMetadata::everyFormatAndChoice_data()
{
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<ExportFormat::Kind>("kind");
    QTest::addColumn<int>("space");
    QTest::addColumn<QString>("choice");
    const std::pair<ExportFormat::Kind, const char *> kinds[] = {
        {ExportFormat::Png, "png"}, {ExportFormat::Jpeg, "jpg"}, {ExportFormat::Webp, "webp"}};
    for (const char *extension : {".jpg", ".png", ".webp"})
        for (const auto &[kind, name] : kinds)
            for (const auto &[space, spaceName] :
                 {std::pair{-1, "no profile"}, std::pair{int(RgbSpace::AdobeRgb), "Adobe RGB"},
                  std::pair{int(RgbSpace::DisplayP3), "Display P3"}})
                QTest::addRow("%s to %s, %s", extension + 1, name, spaceName)
                    << QByteArray(extension) << kind << space << "keep";
    for (const auto &[kind, name] : kinds)
        for (const char *choice : {"no-location", "strip"})
            QTest::addRow("jpg to %s, %s", name, choice)
                << QByteArray(".jpg") << kind << int(RgbSpace::AdobeRgb) << QString(choice);
}

// The export carries the source's profile unchanged and its metadata made true: upright, its own
// size, no thumbnail, the rest as the camera wrote it; no location leaves every tag but GPS's,
// stripping leaves only the profile. A PNG's pixels are the decoded source's.
void TestMetadata::everyFormatAndChoice()
{
    QFETCH(QByteArray, extension);
    QFETCH(ExportFormat::Kind, kind);
    QFETCH(int, space);
    QFETCH(QString, choice);
    const QByteArray profile = space < 0 ? QByteArray() : rgbProfile(RgbSpace(space));
    // JPEG's orientation tag turns the picture when it is decoded.
    const int orientation = extension == ".jpg" ? 6 : 1;
    const QByteArray source = cameraFile(extension, gradient(), profile, orientation);
    ExportFormat format;
    format.kind = kind;
    QVERIFY(parseMetadataChoice(choice, &format.metadata));
    const QByteArray file = exported(source, format);
    QVERIFY(!file.isEmpty());
    const cv::Mat decoded = decodeImage(file);
    QCOMPARE(decoded.size(), orientation == 6 ? cv::Size(48, 64) : cv::Size(64, 48));
    if (kind == ExportFormat::Png)
        QVERIFY(samePixels(decoded, decodeImage(source)));

    const Found found = readBack(file);
    QCOMPARE(found.profile, profile);
    if (format.metadata == MetadataChoice::Strip) {
        QVERIFY(found.exif.empty() && found.xmp.empty() && found.iptc.empty());
        return;
    }
    QCOMPARE(found.text("Exif.Image.Make"), std::string("Morvick"));
    QCOMPARE(found.text("Exif.Photo.DateTimeOriginal"), std::string("2026:12:08 09:30:00"));
    QCOMPARE(found.text("Exif.Image.Copyright"), std::string("2026 A. Photographer"));
    QCOMPARE(found.text("Exif.Image.Orientation"), std::string("1"));
    QCOMPARE(found.text("Exif.Photo.PixelXDimension"), std::to_string(decoded.cols));
    QCOMPARE(found.text("Exif.Photo.PixelYDimension"), std::to_string(decoded.rows));
    QVERIFY(!found.has("Exif.Thumbnail.JPEGInterchangeFormat"));
    QCOMPARE(found.text("Xmp.tiff.Orientation"), std::string("1"));
    QVERIFY(found.has("Xmp.dc.creator"));
    if (format.metadata == MetadataChoice::NoLocation) {
        for (const auto &tag : found.exif)
            QVERIFY2(tag.groupName() != "GPSInfo", tag.key().c_str());
        for (const auto &property : found.xmp)
            QVERIFY2(property.key().rfind("Xmp.exif.GPS", 0) != 0, property.key().c_str());
        return;
    }
    QVERIFY(found.has("Exif.GPSInfo.GPSLatitude"));
    // Only JPEG has a place for IPTC's records, and PNG a chunk that Exiv2 reads them from.
    if (kind == ExportFormat::Jpeg && extension != ".webp")
        QVERIFY(found.has("Iptc.Application2.Byline"));
}

// HEIF carries its profile in its own box, read with libheif; a RAW file is decoded to sRGB, so a
// profile it names is not its pixels', while its EXIF is kept.
void TestMetadata::otherSources()
{
    const QByteArray profile = rgbProfile(RgbSpace::DisplayP3);
    QCOMPARE(readMetadata(heic(gradient(), heif_orientation_normal, profile)).profile, profile);
    const PhotoMetadata raw = readMetadata(dngFile(gradient()));
    QVERIFY(raw.profile.isEmpty());
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, bytesOf(raw.exif), uint32_t(raw.exif.size()));
    QCOMPARE(exif["Exif.Image.Make"].toString(), std::string("Morvick"));
    // The sensor's own structure does not pass into a JPEG or PNG.
    const PhotoMetadata exported = exportedMetadata(raw, {64, 48}, MetadataChoice::Keep);
    exif.clear();
    Exiv2::ExifParser::decode(exif, bytesOf(exported.exif), uint32_t(exported.exif.size()));
    QVERIFY(exif.findKey(Exiv2::ExifKey("Exif.Image.CFAPattern")) == exif.end());
    QVERIFY(exif.findKey(Exiv2::ExifKey("Exif.Image.StripOffsets")) == exif.end());
    QCOMPARE(exif["Exif.Image.Model"].toString(), std::string("Test Camera"));
    // Nothing is made up for a file without metadata.
    const PhotoMetadata none = exportedMetadata({}, {64, 48}, MetadataChoice::Keep);
    QVERIFY(none.exif.isEmpty() && none.xmp.isEmpty() && none.iptc.isEmpty());
}

QTEST_APPLESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
