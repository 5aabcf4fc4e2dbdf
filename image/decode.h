#pragma once

#include <QByteArray>
#include <QString>
#include <opencv2/core.hpp>

// Photos of more pixels are refused from their header, before any pixel is decoded.
constexpr qint64 maxPhotoPixels = 250'000'000;

// The longest side of a photo's reduced copy: enough for a 200-pixel tile cut from a third of
// the photo, small enough for a hundred photos in a few hundred megabytes.
constexpr int previewSide = 800;

// The pixels a file's header declares, without decoding any: PNG's header is read here (Qt's
// reader wants more of the file than the header), other formats by Qt's image plugins; 0 where
// none knows the format (OpenCV's own limit of 2^30 pixels then holds).
qint64 declaredPixels(const QByteArray &bytes);

// The bytes of a regular file, or empty ones when it is not one (a folder, a device, a pipe, a
// dangling link or a link loop) or cannot be read.
QByteArray readPhotoFile(const QString &path);
// A file's bytes decoded as 8-bit RGB, upright by its orientation tag, or an empty image when
// they cannot be decoded, are a DICOM file or declare more than maxPhotoPixels. why, when given,
// receives the reason in a few words when it is not "could not be read".
cv::Mat decodeImage(const QByteArray &bytes, QString *why = nullptr);
// Why a file that decodes is damaged, in a sentence, or an empty text: a JPEG whose last scan
// has no end marker, a PNG with no end chunk after its data (a card pulled too early, a copy cut
// short). Its missing part decodes as grey and is not to pass for a photo.
QString fileDamage(const QByteArray &bytes);
// The two above in one.
cv::Mat readImageFile(const QString &path, QString *why = nullptr);

// What a photo's thumbnail needs: its reduced copy and its full, upright size.
struct PhotoPreview
{
    cv::Mat preview;
    cv::Size size;
    // The full-size image when the format offered no cheaper way to the reduced copy, so that
    // it need not be decoded again soon; otherwise empty.
    cv::Mat image;
};

// A file's bytes decoded for a thumbnail, as reducedCopy(decodeImage()) within JPEG's rounding:
// a JPEG is decoded straight at an eighth, a quarter or a half of its size (its DCT scaling,
// several times faster than a full decode), other formats in full. Refused as decodeImage
// refuses: then the preview is empty.
PhotoPreview decodePreview(const QByteArray &bytes, QString *why = nullptr);

// A reduced copy as it is kept for a session's whole life: a JPEG of high quality, a tenth of its
// pixels' bytes (a few milliseconds to unpack), so that hundreds of photos keep their previews in
// tens of megabytes; a lossless PNG for a small picture or one of few colours, which JPEG would
// visibly change. Empty when memory runs out.
QByteArray packPreview(const cv::Mat &preview);
cv::Mat unpackPreview(const QByteArray &packed);

// The image itself when no side is longer than previewSide, otherwise shrunk by the smallest
// whole factor that makes it so. Empty when memory runs out.
cv::Mat reducedCopy(const cv::Mat &image);
