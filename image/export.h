#pragma once

#include <QString>
#include <QVariant>
#include <opencv2/core.hpp>

// The file format exports are written in: lossless PNG by default, or JPEG or WebP with a quality
// from 1 to 100.
struct ExportFormat
{
    enum Kind { Png, Jpeg, Webp };

    Kind kind = Png;
    int quality = 90;

    // "png", "jpg" or "webp".
    QString extension() const;
};
// Takes "png", "jpg" (or "jpeg") and "webp"; false for anything else.
bool parseExportFormat(const QString &name, ExportFormat *format);

// Writes an RGB image as "<folder>/<stem>.<extension>". The file is replaced whole or not at all;
// returns whether it was written. Nothing is written for an empty image or an empty folder.
bool exportImage(const cv::Mat &image, const QString &folder, const QString &stem,
                 const ExportFormat &format = ExportFormat());

// A folder the user chose, as a path: a URL is turned into its local path, a text is kept.
QString exportFolderPath(const QVariant &folder);
