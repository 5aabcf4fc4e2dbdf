#pragma once

#include <QByteArray>
#include <opencv2/core.hpp>

// Camera RAW files (CR2, CR3, NEF, ARW, DNG, RAF, ORF, RW2, PEF and the others LibRaw knows),
// read with LibRaw: demosaiced, in the camera's white balance, as 8-bit sRGB, upright.

// The pixels a RAW file declares, before any is decoded: the most a qint64 holds when they are
// beyond LibRaw's own limits, 0 when LibRaw does not take the bytes for a RAW file. Files that
// begin as JPEG, PNG, WebP, GIF, BMP or HEIF are never offered to it: it also knows some headerless
// formats by their byte count alone.
qint64 rawDeclaredPixels(const QByteArray &bytes);
// The whole photo, or, with halfSize, every 2×2 block of the sensor as one pixel (no demosaicing:
// several times faster, enough for a thumbnail). Empty when it cannot be decoded.
cv::Mat decodeRaw(const QByteArray &bytes, bool halfSize = false);
// The full, upright size a RAW file's header declares; empty when it is none.
cv::Size rawSize(const QByteArray &bytes);
