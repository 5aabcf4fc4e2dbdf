#pragma once

#include <QString>
#include <QVariant>
#include <opencv2/core.hpp>

// A photo as the store keeps it: the decoded image (8-bit, 3 channels, RGB order) and a reduced
// copy of it that previews are cut from.
struct DecodedPhoto
{
    cv::Mat image;
    cv::Mat preview;
};

// The longest side of a photo's reduced copy: enough for a 200-pixel tile cut from a third of
// the photo, small enough for a hundred photos in a few hundred megabytes.
constexpr int previewSide = 800;

// The process-wide image store, append-only, so an index once handed out names the same photo
// for the life of the process. Safe to use from any thread.
int appendStoredImage(const cv::Mat &image);
int appendStoredPhoto(const DecodedPhoto &photo);
// A shared handle to the entry, or an empty image for an index outside the store.
cv::Mat storedImage(int index);
// The entry's reduced copy, or an empty image for an index outside the store.
cv::Mat storedPreview(int index);
int storedImageCount();
// The bounding box of the photo's object at full resolution. Edge detection runs once per
// photo, on the first call; a concurrent caller waits for it. Empty for an unknown index.
cv::Rect objectBox(int index);

// The local path a dropped file URL names (a QUrl or its text), or an empty text when the URL
// does not name a local file.
QString localPathFromUrl(const QVariant &url);
// Photos of more pixels are refused from their header, before any pixel is decoded.
constexpr qint64 maxPhotoPixels = 250'000'000;

// The file decoded as 8-bit RGB, upright by its orientation tag, or an empty image when it is
// not a regular file, cannot be decoded, is a DICOM file or declares more than maxPhotoPixels.
// why, when given, receives the reason in a few words when it is not "could not be read".
cv::Mat readImageFile(const QString &path, QString *why = nullptr);
// The file decoded with its reduced copy; both empty when it cannot be read.
DecodedPhoto decodePhoto(const QString &path, QString *why = nullptr);
// The files to import for dropped or chosen URLs (QUrls or their texts), in order: a folder
// stands for the image files directly inside it, by name as a file manager sorts them (numbers
// by value, case ignored); a URL that names no local file stays as its text, to be named as
// unreadable.
QStringList importPaths(const QVariantList &urls);

// Decodes the file a URL names into the store: its index, or -1 when nothing was stored.
int importImage(const QVariant &url);
