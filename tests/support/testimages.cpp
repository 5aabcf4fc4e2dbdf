#include "support/testimages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <lcms2.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

cv::Mat plainImage(int width, int height, const cv::Vec3b &rgb)
{
    return cv::Mat(height, width, CV_8UC3, cv::Scalar(rgb[0], rgb[1], rgb[2]));
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
// A TIFF directory written little-endian: entries in tag order, values past four bytes after it.
class TiffWriter
{
public:
    enum Type : quint16 { Byte = 1, Ascii = 2, Short = 3, Long = 4, Rational = 5, SRational = 10 };

    void add(quint16 tag, Type type, quint32 count, const QByteArray &value)
    {
        m_entries.push_back({tag, type, count, value});
    }
    template <typename T> void add(quint16 tag, Type type, std::initializer_list<T> values)
    {
        QByteArray bytes;
        for (const T value : values)
            bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
        // A rational is two numbers: its count is the number of pairs.
        const bool rational = type == Rational || type == SRational;
        add(tag, type, quint32(values.size()) / (rational ? 2 : 1), bytes);
    }
    void addText(quint16 tag, const QByteArray &text)
    {
        add(tag, Ascii, quint32(text.size() + 1), text + '\0');
    }
    // The file, with data at the offset that tag 273 (the strip's offset) is given.
    QByteArray file(const QByteArray &data)
    {
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const Entry &a, const Entry &b) { return a.tag < b.tag; });
        const quint32 directory = 8;
        const quint32 directorySize = 2 + 12 * quint32(m_entries.size()) + 4;
        quint32 extra = directory + directorySize;
        QByteArray values;
        for (Entry &entry : m_entries)
            if (entry.value.size() > 4) {
                entry.offset = extra + quint32(values.size());
                values += entry.value;
                if (values.size() % 2)
                    values += '\0';
            }
        const quint32 dataOffset = extra + quint32(values.size());
        QByteArray out("II\x2A\0", 4);
        append<quint32>(out, directory);
        append<quint16>(out, quint16(m_entries.size()));
        for (const Entry &entry : m_entries) {
            append<quint16>(out, entry.tag);
            append<quint16>(out, entry.type);
            append<quint32>(out, entry.count);
            if (entry.tag == 273)
                append<quint32>(out, dataOffset);
            else if (entry.value.size() > 4)
                append<quint32>(out, entry.offset);
            else
                out += entry.value.leftJustified(4, '\0');
        }
        append<quint32>(out, 0);
        return out + values + data;
    }

private:
    template <typename T> static void append(QByteArray &out, T value)
    {
        out.append(reinterpret_cast<const char *>(&value), sizeof value);
    }
    struct Entry
    {
        quint16 tag;
        Type type;
        quint32 count;
        QByteArray value;
        quint32 offset = 0;
    };
    std::vector<Entry> m_entries;
};
} // namespace

QByteArray dngFile(const cv::Mat &rgb, int orientation, const cv::Size &declared)
{
    // The sensor sees light, not sRGB's coded values.
    QByteArray data(int(rgb.total()) * 2, '\0');
    auto *sensor = reinterpret_cast<quint16 *>(data.data());
    for (int y = 0; y < rgb.rows; ++y)
        for (int x = 0; x < rgb.cols; ++x) {
            const int channel = (y % 2) + (x % 2); // R G / G B
            const double coded = rgb.at<cv::Vec3b>(y, x)[channel] / 255.0;
            const double linear =
                coded <= 0.04045 ? coded / 12.92 : std::pow((coded + 0.055) / 1.055, 2.4);
            sensor[y * rgb.cols + x] = quint16(std::lround(linear * 65535));
        }
    const cv::Size size = declared.empty() ? rgb.size() : declared;
    TiffWriter tiff;
    tiff.add<quint32>(254, TiffWriter::Long, {0});
    tiff.add<quint32>(256, TiffWriter::Long, {quint32(size.width)});
    tiff.add<quint32>(257, TiffWriter::Long, {quint32(size.height)});
    tiff.add<quint16>(258, TiffWriter::Short, {16});
    tiff.add<quint16>(259, TiffWriter::Short, {1});
    tiff.add<quint16>(262, TiffWriter::Short, {32803}); // colour filter array
    tiff.addText(271, "Morvick");
    tiff.addText(272, "Test Camera");
    tiff.add<quint32>(273, TiffWriter::Long, {0});
    tiff.add<quint16>(274, TiffWriter::Short, {quint16(orientation)});
    tiff.add<quint16>(277, TiffWriter::Short, {1});
    tiff.add<quint32>(278, TiffWriter::Long, {quint32(size.height)});
    tiff.add<quint32>(279, TiffWriter::Long, {quint32(data.size())});
    tiff.add<quint16>(284, TiffWriter::Short, {1});
    tiff.add<quint16>(33421, TiffWriter::Short, {2, 2});
    tiff.add<quint8>(33422, TiffWriter::Byte, {0, 1, 1, 2});
    tiff.add<quint8>(50706, TiffWriter::Byte, {1, 4, 0, 0});
    tiff.addText(50708, "Morvick Test Camera");
    // XYZ (D65) to linear sRGB, in ten-thousandths.
    tiff.add<qint32>(50721, TiffWriter::SRational,
                     {32406, 10000, -15372, 10000, -4986, 10000, -9689, 10000, 18758, 10000, 415,
                      10000, 557, 10000, -2040, 10000, 10570, 10000});
    tiff.add<quint32>(50728, TiffWriter::Rational, {1, 1, 1, 1, 1, 1});
    tiff.add<quint16>(50778, TiffWriter::Short, {21}); // D65
    return tiff.file(data);
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
