#pragma once

#include <QByteArray>
#include <opencv2/core.hpp>

// HEIF files (HEIC from phones, AVIF), read with libheif.

// Whether the bytes begin as a HEIF file: an ISO "ftyp" box of a HEIF or AVIF brand.
bool isHeif(const QByteArray &bytes);
// The pixels of the primary image as its header declares them, before any is decoded: the most a
// qint64 holds when they are beyond libheif's own limits, 0 when the header cannot be read.
qint64 heifDeclaredPixels(const QByteArray &bytes);
// The primary image as 8-bit RGB, turned and mirrored as the file says; empty when it cannot be
// decoded or is not of the size its header declares.
cv::Mat decodeHeif(const QByteArray &bytes);
// The ICC profile the primary image's colours are given in; empty when it has none (or only
// coded primaries).
QByteArray heifColourProfile(const QByteArray &bytes);
