#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <libheif/heif.h>
#include <opencv2/core.hpp>

Q_DECLARE_METATYPE(cv::Mat)
Q_DECLARE_METATYPE(cv::Rect)
Q_DECLARE_METATYPE(cv::Size)
Q_DECLARE_METATYPE(cv::Vec3b)

// Generated pictures for the tests. Colours are given in RGB order, as the store holds them.
cv::Mat plainImage(int width, int height, const cv::Vec3b &rgb);
// Noise of every level in every channel: no object, no flat part, nothing a codec can pack.
cv::Mat noiseImage(const cv::Size &size);
// A filled rectangle on a plain background.
cv::Mat objectImage(const cv::Size &size, const cv::Rect &object, const cv::Vec3b &background,
                    const cv::Vec3b &foreground);
// An image encoded as a file of the extension's format; the channels are in file order (BGR).
QByteArray encoded(const char *extension, const cv::Mat &fileOrder);
// Writes an RGB image to a file (the format follows the extension); returns the path.
QString writeImageFile(const QString &folder, const QString &name, const cv::Mat &rgb);
// Writes bytes to a file; returns the path, empty if it could not be written.
QString writeFile(const QString &path, const QByteArray &bytes);
// Reads a written file as it is; an 8-bit colour file comes back in RGB order.
cv::Mat readPng(const QString &path);
// Exact pixel equality of two images, size and type included.
bool samePixels(const cv::Mat &a, const cv::Mat &b);
// A photo file as a camera or an editor leaves it: maker, date, author, location, a thumbnail, an
// orientation tag, XMP and IPTC, and the profile given.
QByteArray cameraFile(const char *extension, const cv::Mat &rgb, const QByteArray &profile = {},
                      int orientation = 1);
// A camera RAW file of the picture, as a minimal DNG: the sensor's linear values behind an RGGB
// Bayer filter, 16 bits, a camera whose colours are linear sRGB's, neutral white balance, and
// the orientation tag given. declared, when set, replaces the size the header states (the data
// stays the picture's).
QByteArray dngFile(const cv::Mat &rgb, int orientation = 1, const cv::Size &declared = {});
// A HEIC of an RGB image, made with libheif's HEVC encoder at high quality, marked with
// orientation and carrying the ICC profile given.
QByteArray heic(const cv::Mat &rgb, heif_orientation orientation = heif_orientation_normal,
                const QByteArray &profile = {});
// The ICC profile of a wide-gamut RGB space, made with Little CMS.
enum class RgbSpace { AdobeRgb, DisplayP3 };
QByteArray rgbProfile(RgbSpace space);
// A Little CMS profile (a cmsHPROFILE) as the bytes of an ICC file; the profile is closed.
QByteArray profileBytes(void *profile);
