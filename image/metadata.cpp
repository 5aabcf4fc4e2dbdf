#include "image/metadata.h"

#include "image/heif.h"
#include "image/raw.h"

// Exiv2 0.27 hands images out in std::auto_ptr, which C++17 deprecates.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>
#pragma GCC diagnostic pop
#include <zlib.h>

#include <cstring>
#include <mutex>

namespace {
// Exiv2's XMP toolkit is shared by the whole process and needs a lock to be used from several
// threads; its log would print every oddity of a file to the standard error.
std::mutex xmpMutex;

void setUpExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(
            [](void *mutex, bool lock) {
                if (lock)
                    static_cast<std::mutex *>(mutex)->lock();
                else
                    static_cast<std::mutex *>(mutex)->unlock();
            },
            &xmpMutex);
        // HEIF, AVIF and CR3 files.
        Exiv2::enableBMFF(true);
    });
}

QByteArray bytesOf(const Exiv2::Blob &blob)
{
    return QByteArray(reinterpret_cast<const char *>(blob.data()), int(blob.size()));
}

const Exiv2::byte *data(const QByteArray &bytes)
{
    return reinterpret_cast<const Exiv2::byte *>(bytes.constData());
}

// The image's metadata; with profileOnly, its colour profile alone (what an import needs).
PhotoMetadata metadataOf(Exiv2::Image &image, bool profileOnly)
{
    PhotoMetadata metadata;
    if (image.iccProfileDefined())
        metadata.profile = QByteArray(reinterpret_cast<const char *>(image.iccProfile()->pData_),
                                      int(image.iccProfile()->size_));
    if (profileOnly)
        return metadata;
    if (!image.exifData().empty()) {
        Exiv2::Blob exif;
        Exiv2::ExifParser::encode(
            exif, image.byteOrder() == Exiv2::bigEndian ? Exiv2::bigEndian : Exiv2::littleEndian,
            image.exifData());
        metadata.exif = bytesOf(exif);
    }
    if (!image.iptcData().empty()) {
        const Exiv2::DataBuf iptc = Exiv2::IptcParser::encode(image.iptcData());
        metadata.iptc = QByteArray(reinterpret_cast<const char *>(iptc.pData_), int(iptc.size_));
    }
    if (!image.xmpPacket().empty())
        metadata.xmp = QByteArray::fromStdString(image.xmpPacket());
    return metadata;
}

// The tags of the first directory that describe how the source stored its own pixels (TIFF and
// RAW structure, DNG's sensor data, embedded profile, XMP and IPTC): false of the new file.
bool describesSourceStorage(uint16_t tag)
{
    switch (tag) {
    case 0x00fe: // NewSubfileType
    case 0x00ff: // SubfileType
    case 0x0100: // ImageWidth
    case 0x0101: // ImageLength
    case 0x0102: // BitsPerSample
    case 0x0103: // Compression
    case 0x0106: // PhotometricInterpretation
    case 0x0111: // StripOffsets
    case 0x0115: // SamplesPerPixel
    case 0x0116: // RowsPerStrip
    case 0x0117: // StripByteCounts
    case 0x011c: // PlanarConfiguration
    case 0x0142: // TileWidth
    case 0x0143: // TileLength
    case 0x0144: // TileOffsets
    case 0x0145: // TileByteCounts
    case 0x014a: // SubIFDs
    case 0x0201: // JPEGInterchangeFormat
    case 0x0202: // JPEGInterchangeFormatLength
    case 0x0212: // YCbCrSubSampling
    case 0x02bc: // XMLPacket
    case 0x828d: // CFARepeatPatternDim
    case 0x828e: // CFAPattern
    case 0x83bb: // IPTCNAA
    case 0x8773: // InterColorProfile
        return true;
    default:
        // DNG's own tags.
        return tag >= 0xc612 && tag <= 0xc7ff;
    }
}

void makeExifTrue(Exiv2::ExifData &exif, const cv::Size &size, bool location)
{
    Exiv2::ExifThumb(exif).erase();
    for (auto tag = exif.begin(); tag != exif.end();) {
        const std::string group = tag->groupName();
        const bool otherImage = group.rfind("SubImage", 0) == 0 ||
                                (group.rfind("Image", 0) == 0 && group != "Image") ||
                                group == "Thumbnail";
        const bool gps = group == "GPSInfo" || tag->key() == "Exif.Image.GPSTag";
        if (otherImage || (group == "Image" && describesSourceStorage(tag->tag())) ||
            (gps && !location))
            tag = exif.erase(tag);
        else
            ++tag;
    }
    if (exif.empty())
        return;
    if (exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation")) != exif.end())
        exif["Exif.Image.Orientation"] = uint16_t(1);
    exif["Exif.Photo.PixelXDimension"] = uint32_t(size.width);
    exif["Exif.Photo.PixelYDimension"] = uint32_t(size.height);
}

void makeXmpTrue(Exiv2::XmpData &xmp, const cv::Size &size, bool location)
{
    for (auto property = xmp.begin(); property != xmp.end();) {
        const std::string key = property->key();
        if (key == "Xmp.tiff.ImageWidth" || key == "Xmp.tiff.ImageLength" ||
            key.rfind("Xmp.xmp.Thumbnails", 0) == 0 ||
            (!location && key.rfind("Xmp.exif.GPS", 0) == 0))
            property = xmp.erase(property);
        else
            ++property;
    }
    if (xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation")) != xmp.end())
        xmp["Xmp.tiff.Orientation"] = "1";
    if (xmp.findKey(Exiv2::XmpKey("Xmp.exif.PixelXDimension")) != xmp.end())
        xmp["Xmp.exif.PixelXDimension"] = std::to_string(size.width);
    if (xmp.findKey(Exiv2::XmpKey("Xmp.exif.PixelYDimension")) != xmp.end())
        xmp["Xmp.exif.PixelYDimension"] = std::to_string(size.height);
}

Exiv2::ExifData exifOf(const QByteArray &exif)
{
    Exiv2::ExifData data;
    if (!exif.isEmpty())
        Exiv2::ExifParser::decode(data, ::data(exif), uint32_t(exif.size()));
    return data;
}

Exiv2::XmpData xmpOf(const QByteArray &xmp)
{
    Exiv2::XmpData data;
    if (!xmp.isEmpty())
        Exiv2::XmpParser::decode(data, xmp.toStdString());
    return data;
}

quint32 littleEndian32(const uchar *at)
{
    return quint32(at[0]) | quint32(at[1]) << 8 | quint32(at[2]) << 16 | quint32(at[3]) << 24;
}

void putLittleEndian(std::vector<uchar> &out, size_t at, quint32 value, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i)
        out[at + size_t(i)] = uchar(value >> (8 * i));
}

bool isWebp(const uchar *file, size_t size)
{
    return size >= 12 && std::memcmp(file, "RIFF", 4) == 0 && std::memcmp(file + 8, "WEBP", 4) == 0;
}

// A WebP file's chunks, from the first after its header: where each begins and its type.
std::vector<std::pair<size_t, std::string>> webpChunks(const uchar *file, size_t size)
{
    std::vector<std::pair<size_t, std::string>> chunks;
    for (size_t at = 12; at + 8 <= size;) {
        chunks.emplace_back(at, std::string(reinterpret_cast<const char *>(file + at), 4));
        const quint32 length = littleEndian32(file + at + 4);
        at += 8 + size_t(length) + (length & 1);
    }
    return chunks;
}

// The ICC profile of a WebP file, which Exiv2 0.27 neither reads nor writes right.
QByteArray webpProfile(const QByteArray &bytes)
{
    const auto *file = reinterpret_cast<const uchar *>(bytes.constData());
    if (!isWebp(file, size_t(bytes.size())))
        return {};
    for (const auto &[at, type] : webpChunks(file, size_t(bytes.size()))) {
        const quint32 length = littleEndian32(file + at + 4);
        if (type == "ICCP" && at + 8 + length <= size_t(bytes.size()))
            return bytes.mid(int(at + 8), int(length));
    }
    return {};
}

// A WebP file with the profile in: an ICCP chunk straight after the extended header, which is
// made (with the canvas size) for a simple file, and flagged there.
std::vector<uchar> withWebpProfile(const std::vector<uchar> &file, const QByteArray &profile,
                                   const cv::Size &size)
{
    if (profile.isEmpty() || !isWebp(file.data(), file.size()))
        return file;
    const auto chunks = webpChunks(file.data(), file.size());
    if (chunks.empty())
        return file;
    std::vector<uchar> out(file.begin(), file.begin() + 12);
    size_t rest = 12;
    if (chunks.front().second == "VP8X") {
        rest = chunks.size() > 1 ? chunks[1].first : file.size();
        out.insert(out.end(), file.begin() + 12, file.begin() + long(rest));
    } else {
        out.insert(out.end(), {'V', 'P', '8', 'X', 10, 0, 0, 0});
        out.resize(out.size() + 10, 0);
        putLittleEndian(out, 24, quint32(size.width - 1), 3);
        putLittleEndian(out, 27, quint32(size.height - 1), 3);
    }
    out[20] |= 0x20; // an ICC profile follows
    const size_t header = out.size();
    out.insert(out.end(), {'I', 'C', 'C', 'P', 0, 0, 0, 0});
    putLittleEndian(out, header + 4, quint32(profile.size()));
    out.insert(out.end(), profile.begin(), profile.end());
    if (profile.size() % 2)
        out.push_back(0);
    out.insert(out.end(), file.begin() + long(rest), file.end());
    putLittleEndian(out, 4, quint32(out.size() - 8));
    return out;
}

std::vector<uchar> chunkData(std::initializer_list<QByteArray> parts)
{
    std::vector<uchar> data;
    for (const QByteArray &part : parts)
        data.insert(data.end(), part.begin(), part.end());
    return data;
}
} // namespace

namespace {
PhotoMetadata read(const QByteArray &file, bool profileOnly)
{
    if (file.isEmpty())
        return {};
    setUpExiv2();
    PhotoMetadata metadata;
    try {
        const auto image = Exiv2::ImageFactory::open(data(file), long(file.size()));
        if (image.get()) {
            image->readMetadata();
            metadata = metadataOf(*image, profileOnly);
        }
    } catch (const std::exception &) {
        // Metadata that cannot be read is not kept; the pixels still are.
    }
    if (metadata.profile.isEmpty())
        metadata.profile = isHeif(file) ? heifColourProfile(file) : webpProfile(file);
    if (rawDeclaredPixels(file) > 0)
        metadata.profile.clear();
    return metadata;
}
} // namespace

PhotoMetadata readMetadata(const QByteArray &file)
{
    return read(file, false);
}

QByteArray colourProfile(const QByteArray &file)
{
    return read(file, true).profile;
}

PhotoMetadata exportedMetadata(const PhotoMetadata &source, const cv::Size &size,
                               MetadataChoice choice)
{
    PhotoMetadata exported{source.profile, {}, {}, {}};
    if (choice == MetadataChoice::Strip)
        return exported;
    setUpExiv2();
    const bool location = choice != MetadataChoice::NoLocation;
    try {
        Exiv2::ExifData exif = exifOf(source.exif);
        makeExifTrue(exif, size, location);
        if (!exif.empty()) {
            Exiv2::Blob blob;
            Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
            exported.exif = bytesOf(blob);
        }
    } catch (const std::exception &) {
    }
    exported.iptc = source.iptc;
    try {
        Exiv2::XmpData xmp = xmpOf(source.xmp);
        makeXmpTrue(xmp, size, location);
        std::string packet;
        if (!xmp.empty() && Exiv2::XmpParser::encode(packet, xmp) == 0)
            exported.xmp = QByteArray::fromStdString(packet);
    } catch (const std::exception &) {
    }
    return exported;
}

std::vector<PngChunk> pngChunks(const PhotoMetadata &metadata)
{
    std::vector<PngChunk> chunks;
    if (!metadata.profile.isEmpty()) {
        uLongf size = compressBound(uLong(metadata.profile.size()));
        QByteArray deflated(int(size), '\0');
        if (compress2(reinterpret_cast<Bytef *>(deflated.data()), &size, data(metadata.profile),
                      uLong(metadata.profile.size()), Z_BEST_COMPRESSION) == Z_OK) {
            deflated.truncate(int(size));
            // Name, its terminator, compression method 0 (deflate).
            chunks.push_back({"iCCP", chunkData({QByteArray("ICC Profile\0\0", 13), deflated})});
        }
    }
    if (!metadata.exif.isEmpty())
        chunks.push_back({"eXIf", chunkData({metadata.exif})});
    if (!metadata.xmp.isEmpty())
        // Keyword, its terminator, uncompressed, no language and no translated keyword.
        chunks.push_back(
            {"iTXt", chunkData({QByteArray("XML:com.adobe.xmp\0\0\0\0\0", 22), metadata.xmp})});
    return chunks;
}

std::vector<uchar> withMetadata(std::vector<uchar> file, const PhotoMetadata &metadata,
                                const cv::Size &size)
{
    if (metadata.profile.isEmpty() && metadata.exif.isEmpty() && metadata.iptc.isEmpty() &&
        metadata.xmp.isEmpty())
        return file;
    setUpExiv2();
    try {
        const auto image = Exiv2::ImageFactory::open(file.data(), long(file.size()));
        if (!image.get())
            return file;
        image->setExifData(exifOf(metadata.exif));
        Exiv2::IptcData iptc;
        if (!metadata.iptc.isEmpty())
            Exiv2::IptcParser::decode(iptc, data(metadata.iptc), uint32_t(metadata.iptc.size()));
        image->setIptcData(iptc);
        image->setXmpData(xmpOf(metadata.xmp));
        const bool webp = isWebp(file.data(), file.size());
        if (!metadata.profile.isEmpty() && !webp) {
            Exiv2::DataBuf profile(data(metadata.profile), long(metadata.profile.size()));
            image->setIccProfile(profile, false);
        }
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io();
        std::vector<uchar> written(size_t(io.size()));
        io.seek(0, Exiv2::BasicIo::beg);
        if (io.read(written.data(), long(written.size())) != long(written.size()))
            return file;
        return webp ? withWebpProfile(written, metadata.profile, size) : written;
    } catch (const std::exception &) {
        return file;
    }
}
