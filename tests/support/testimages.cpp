#include "support/testimages.h"

#include "image/metadata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>
#pragma GCC diagnostic pop
#include <lcms2.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <tiffio.h>

#include <cmath>
#include <cstring>
#include <vector>

cv::Mat plainImage(int width, int height, const cv::Vec3b &rgb)
{
    return cv::Mat(height, width, CV_8UC3, cv::Scalar(rgb[0], rgb[1], rgb[2]));
}

cv::Mat noiseImage(const cv::Size &size)
{
    cv::Mat image(size, CV_8UC3);
    cv::randu(image, 0, 256);
    return image;
}

cv::Mat objectImage(const cv::Size &size, const cv::Rect &object, const cv::Vec3b &background,
                    const cv::Vec3b &foreground)
{
    cv::Mat image = plainImage(size.width, size.height, background);
    image(object).setTo(cv::Scalar(foreground[0], foreground[1], foreground[2]));
    return image;
}

QByteArray encoded(const char *extension, const cv::Mat &fileOrder)
{
    std::vector<uchar> bytes;
    if (!cv::imencode(extension, fileOrder, bytes))
        return {};
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

QString writeImageFile(const QString &folder, const QString &name, const cv::Mat &rgb)
{
    cv::Mat bgr;
    cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
    const QByteArray bytes = encoded(('.' + QFileInfo(name).suffix()).toLatin1().constData(), bgr);
    return bytes.isEmpty() ? QString() : writeFile(QDir(folder).filePath(name), bytes);
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

cv::Mat readPng(const QString &path)
{
    cv::Mat image = cv::imread(QFile::encodeName(path).toStdString(), cv::IMREAD_UNCHANGED);
    if (image.type() == CV_8UC3)
        cv::cvtColor(image, image, cv::COLOR_BGR2RGB);
    return image;
}

bool samePixels(const cv::Mat &a, const cv::Mat &b)
{
    if (a.size() != b.size() || a.type() != b.type())
        return false;
    return a.empty() || cv::norm(a, b, cv::NORM_INF) == 0;
}

namespace {
const Exiv2::byte *exivBytes(const QByteArray &bytes)
{
    return reinterpret_cast<const Exiv2::byte *>(bytes.constData());
}
} // namespace

QByteArray cameraFile(const char *extension, const cv::Mat &rgb, const QByteArray &profile,
                      int orientation)
{
    cv::Mat fileOrder;
    cv::cvtColor(rgb, fileOrder, cv::COLOR_RGB2BGR);
    const QByteArray plain = encoded(extension, fileOrder);
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(exivBytes(plain), long(plain.size()));
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Morvick";
    exif["Exif.Image.Model"] = "Test Camera";
    exif["Exif.Image.Orientation"] = uint16_t(orientation);
    exif["Exif.Image.Artist"] = "A. Photographer";
    exif["Exif.Image.Copyright"] = "2026 A. Photographer";
    exif["Exif.Photo.DateTimeOriginal"] = "2026:12:08 09:30:00";
    exif["Exif.Photo.PixelXDimension"] = uint32_t(rgb.cols);
    exif["Exif.Photo.PixelYDimension"] = uint32_t(rgb.rows);
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    Exiv2::URationalValue latitude;
    latitude.read("48/1 8/1 0/1");
    exif["Exif.GPSInfo.GPSLatitude"] = latitude;
    const QByteArray thumbnail = encoded(".jpg", cv::Mat(8, 8, CV_8UC3, cv::Scalar(9, 9, 9)));
    Exiv2::ExifThumb(exif).setJpegThumbnail(exivBytes(thumbnail), long(thumbnail.size()));
    image->setExifData(exif);
    Exiv2::XmpData xmp;
    xmp["Xmp.dc.creator"] = "A. Photographer";
    xmp["Xmp.exif.GPSLatitude"] = "48,8.0N";
    xmp["Xmp.tiff.Orientation"] = std::to_string(orientation);
    image->setXmpData(xmp);
    Exiv2::IptcData iptc;
    iptc["Iptc.Application2.Byline"] = "A. Photographer";
    image->setIptcData(iptc);
    // Exiv2 0.27 writes a WebP file's profile under a wrong chunk name, and loses one it finds:
    // the profile goes in the export's own way, with what Exiv2 wrote.
    const bool webp = QByteArray(extension) == ".webp";
    if (!profile.isEmpty() && !webp) {
        Exiv2::DataBuf buffer(exivBytes(profile), long(profile.size()));
        image->setIccProfile(buffer, false);
    }
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    std::vector<uchar> file(size_t(io.size()));
    io.seek(0, Exiv2::BasicIo::beg);
    io.read(file.data(), long(file.size()));
    if (webp && !profile.isEmpty()) {
        PhotoMetadata metadata = readMetadata(
            QByteArray::fromRawData(reinterpret_cast<const char *>(file.data()), int(file.size())));
        metadata.profile = profile;
        file = withMetadata({plain.begin(), plain.end()}, metadata, rgb.size());
    }
    return QByteArray(reinterpret_cast<const char *>(file.data()), int(file.size()));
}

QByteArray dngFile(const cv::Mat &rgb, int orientation, const cv::Size &declared)
{
    // The sensor sees light, not sRGB's coded values.
    std::vector<quint16> sensor(rgb.total());
    for (int y = 0; y < rgb.rows; ++y)
        for (int x = 0; x < rgb.cols; ++x) {
            const int channel = (y % 2) + (x % 2); // R G / G B
            const double coded = rgb.at<cv::Vec3b>(y, x)[channel] / 255.0;
            const double linear =
                coded <= 0.04045 ? coded / 12.92 : std::pow((coded + 0.055) / 1.055, 2.4);
            sensor[size_t(y) * size_t(rgb.cols) + size_t(x)] = quint16(std::lround(linear * 65535));
        }
    const cv::Size size = declared.empty() ? rgb.size() : declared;
    QTemporaryFile file;
    if (!file.open())
        return {};
    TIFF *tiff = TIFFOpen(QFile::encodeName(file.fileName()).constData(), "w");
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(size.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(size.height));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(size.height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_CFA);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tiff, TIFFTAG_MAKE, "Morvick");
    TIFFSetField(tiff, TIFFTAG_MODEL, "Test Camera");
    TIFFSetField(tiff, TIFFTAG_UNIQUECAMERAMODEL, "Morvick Test Camera");
    const uint8_t version[] = {1, 4, 0, 0};
    TIFFSetField(tiff, TIFFTAG_DNGVERSION, version);
    const uint16_t patternSize[] = {2, 2};
    TIFFSetField(tiff, TIFFTAG_CFAREPEATPATTERNDIM, patternSize);
    TIFFSetField(tiff, TIFFTAG_CFAPATTERN, 4, "\0\1\1\2");
    // XYZ (D65) to linear sRGB.
    const float xyzToSrgb[] = {3.2406f, -1.5372f, -0.4986f, -0.9689f, 1.8758f,
                               0.0415f, 0.0557f,  -0.2040f, 1.0570f};
    TIFFSetField(tiff, TIFFTAG_COLORMATRIX1, 9, xyzToSrgb);
    const float neutral[] = {1, 1, 1};
    TIFFSetField(tiff, TIFFTAG_ASSHOTNEUTRAL, 3, neutral);
    TIFFSetField(tiff, TIFFTAG_CALIBRATIONILLUMINANT1, 21); // D65
    TIFFWriteRawStrip(tiff, 0, sensor.data(), tmsize_t(sensor.size() * sizeof(quint16)));
    TIFFClose(tiff);
    return file.readAll();
}

QByteArray heic(const cv::Mat &rgb, heif_orientation orientation, const QByteArray &profile)
{
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 95);
    heif_image *image = nullptr;
    heif_image_create(rgb.cols, rgb.rows, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.cols, rgb.rows, 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.rows; ++y)
        std::memcpy(plane + y * stride, rgb.ptr(y), size_t(rgb.cols) * 3);
    if (!profile.isEmpty())
        heif_image_set_raw_color_profile(image, "prof", profile.constData(),
                                         size_t(profile.size()));
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = orientation;
    heif_context_encode_image(context, image, encoder, options, nullptr);
    heif_encoding_options_free(options);
    heif_image_release(image);
    heif_encoder_release(encoder);
    QByteArray file;
    heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *userdata) {
                           static_cast<QByteArray *>(userdata)->append(
                               static_cast<const char *>(data), int(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                       }};
    heif_context_write(context, &writer, &file);
    heif_context_free(context);
    return file;
}

QByteArray rgbProfile(RgbSpace space)
{
    // D65 white; the primaries and the tone curve each space is defined with.
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE adobe{{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    const cmsCIExyYTRIPLE p3{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    // sRGB's curve, which Display P3 shares; Adobe RGB's is a plain power of 563/256.
    const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve *curve = space == RgbSpace::AdobeRgb
                              ? cmsBuildGamma(nullptr, 563.0 / 256.0)
                              : cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve *curves[3] = {curve, curve, curve};
    cmsHPROFILE profile =
        cmsCreateRGBProfile(&white, space == RgbSpace::AdobeRgb ? &adobe : &p3, curves);
    cmsFreeToneCurve(curve);
    return profileBytes(profile);
}

QByteArray profileBytes(void *profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(int(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}
