#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The local path a dropped file URL names (a QUrl or its text), or an empty text when the URL
// does not name a local file.
QString localPathFromUrl(const QVariant &url);

// The file-name patterns of the photos a folder contributes and the add-photos dialog offers:
// the formats OpenCV reads, HEIF's and camera RAW files.
QStringList photoFilePatterns();

// The files to import for dropped or chosen URLs (QUrls or their texts), in order: a folder
// stands for the image files directly inside it, by name as a file manager sorts them (numbers
// by value, case ignored); a URL that names no local file stays as its text, to be named as
// unreadable.
QStringList importPaths(const QVariantList &urls);

// A file's content as a short text ("xxh3-128:" and 32 hex digits) that any change alters.
QString contentHash(const QByteArray &bytes);
