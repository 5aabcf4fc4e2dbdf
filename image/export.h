#pragma once

#include "image/metadata.h"
#include "image/pair.h"

#include <QString>
#include <QVariant>
#include <opencv2/core.hpp>

#include <vector>

// How exports are written: lossless PNG by default, or JPEG or WebP with a quality from 1 to 100;
// in the colours of the source's profile, which the file carries, or converted to sRGB; with the
// source's metadata, without its location or without any.
struct ExportFormat
{
    enum Kind { Png, Jpeg, Webp };

    Kind kind = Png;
    int quality = 90;
    bool srgb = false;
    MetadataChoice metadata = MetadataChoice::Keep;

    // "png", "jpg" or "webp".
    QString extension() const;
};
// Takes "png", "jpg" (or "jpeg") and "webp"; false for anything else.
bool parseExportFormat(const QString &name, ExportFormat *format);

// "keep" or "srgb"; false for anything else.
bool parseColourChoice(const QString &name, bool *srgb);
// "keep", "strip" or "no-location" (or "noLocation"); false for anything else.
bool parseMetadataChoice(const QString &name, MetadataChoice *choice);

// What one exported file shows: a photo, or two joined as a pair, with the metadata it carries.
struct ExportPicture
{
    cv::Mat image;
    PhotoMetadata metadata;
};
// One photo or a pair (left first), each with its file's metadata, as one picture in one colour
// space (see sharedProfile) with the left photo's metadata. Empty when a half is.
ExportPicture exportPicture(std::vector<cv::Mat> photos, const std::vector<PhotoMetadata> &sources,
                            const PairStyle &style, bool srgb);

// Writes an RGB image as "<folder>/<stem>.<extension>", with the metadata of its source made
// true of it (exportedMetadata) and its colour profile. The file is replaced whole or not at all;
// returns whether it was written. Nothing is written for an empty image or an empty folder.
bool exportImage(const cv::Mat &image, const QString &folder, const QString &stem,
                 const ExportFormat &format = ExportFormat(), const PhotoMetadata &source = {});

// A folder the user chose, as a path: a URL is turned into its local path, a text is kept.
QString exportFolderPath(const QVariant &folder);
