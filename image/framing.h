#pragma once

#include "image/imageoptions.h"

#include <opencv2/core.hpp>

#include <functional>

// Results of more pixels than OpenCV's own decoder accepts are refused, not allocated.
constexpr double maxImagePixels = double(1 << 30);

// Where a processed image comes from and how large it is: the region of the stored image it
// shows and the size of the picture. Both empty when the options yield no picture. A framed crop's
// region may reach beyond the image (the frame's colour stands there) and may land on a part of
// the picture only (a never enlarged crop on an exact size): placed; empty for the whole picture.
struct Framing
{
    cv::Rect region;
    cv::Size size;
    cv::Rect placed;
};
// The box a crop is cut around: the one chosen by hand, clipped to the photo, or, when there is
// none or nothing of it lies on the photo, the detected one (asked of detected only then).
cv::Rect cropBox(const ImageOptions &options, const cv::Size &imageSize,
                 const std::function<cv::Rect()> &detected);

// The framing of a photo of imageSize whose object box is objectBox.
Framing frameImage(const ImageOptions &options, const cv::Size &imageSize,
                   const cv::Rect &objectBox);

// A decoded photo processed with options (the index is unused): the photo itself, its pixels
// shared rather than copied (a 24-megapixel copy costs 72 MB a worker), or the framing of its
// objectBox (of the whole photo when framed uncropped) scaled into a fresh buffer. Empty when
// there is no picture.
cv::Mat processPhoto(const cv::Mat &photo, const ImageOptions &options, const cv::Rect &objectBox);

// The picture of a region of source scaled into target (the whole picture when empty) of a
// picture of size, the colour where source has no pixels. region is in source's pixels, and may
// be a fraction of them (a reduced copy's share of a region of the photo).
cv::Mat renderFrame(const cv::Mat &source, const cv::Rect2d &region, const cv::Size &size,
                    const cv::Rect &target, const cv::Vec3b &colour, int interpolation);

// The box grown by padding on every side and clipped to the image; empty when nothing is left.
cv::Rect paddedRegion(const cv::Rect &box, int padding, const cv::Size &imageSize);
// The height of a cut-out scaled to maxWidth wide, or 0 when it cannot be scaled.
int scaledHeight(const cv::Size &cutOut, int maxWidth);
