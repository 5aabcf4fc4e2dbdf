#pragma once

#include <QString>
#include <QVariant>
#include <opencv2/core.hpp>

// The process-wide image store: decoded images (8-bit, 3 channels, RGB order), append-only,
// so an index once handed out names the same image for the life of the process. Safe to read
// from the engine's image-loading thread while the GUI thread appends.
int appendStoredImage(const cv::Mat &image);
// A shared handle to the entry, or an empty image for an index outside the store.
cv::Mat storedImage(int index);
int storedImageCount();

// The local path a dropped file URL names (a QUrl or its text), or an empty text when the URL
// does not name a local file.
QString localPathFromUrl(const QVariant &url);
// The file decoded as 8-bit RGB, upright by its orientation tag, or an empty image when it is
// not a regular file, cannot be decoded or is a DICOM file.
cv::Mat readImageFile(const QString &path);
// Decodes the file a URL names into the store: its index, or -1 when nothing was stored.
int importImage(const QVariant &url);
