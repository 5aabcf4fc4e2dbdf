#pragma once

#include "image/pngwriter.h"

#include <QByteArray>
#include <opencv2/core.hpp>

#include <vector>

// What a photo's file carries beside its pixels, as the file holds it; each part empty where it
// has none. Read and written with Exiv2.
struct PhotoMetadata
{
    // The ICC colour profile its decoded pixels are in: none for camera RAW files, which are
    // decoded to sRGB.
    QByteArray profile;
    // EXIF as a TIFF structure (without JPEG's "Exif" prefix), IPTC's records and the XMP packet.
    QByteArray exif;
    QByteArray iptc;
    QByteArray xmp;
};

// What an export keeps of the source's metadata; the colour profile is kept in any case.
enum class MetadataChoice { Keep, Strip, NoLocation };

// A file's metadata; empty parts where it cannot be read.
PhotoMetadata readMetadata(const QByteArray &file);
// Its colour profile alone.
QByteArray colourProfile(const QByteArray &file);

// The metadata, made true of an export of this size: the orientation reset (the pixels are
// upright), the pixel dimensions set, the embedded thumbnail and the source's own image
// structure (strips, tiles, sensor tags) dropped; with NoLocation, also every GPS tag; with
// Strip, only the profile is left.
PhotoMetadata exportedMetadata(const PhotoMetadata &source, const cv::Size &size,
                               MetadataChoice choice);
// The chunks of a PNG that carry it: iCCP, eXIf and the XMP packet in iTXt. PNG has no chunk for
// IPTC's records; their standard fields live on in the XMP.
std::vector<PngChunk> pngChunks(const PhotoMetadata &metadata);
// A JPEG or WebP file of a picture of this size with the metadata in; the file as it is when
// there is none or Exiv2 cannot write it.
std::vector<uchar> withMetadata(std::vector<uchar> file, const PhotoMetadata &metadata,
                                const cv::Size &size);
