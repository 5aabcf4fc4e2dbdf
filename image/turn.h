#pragma once

#include "image/imageoptions.h"

#include <opencv2/core.hpp>

// How a photo is turned before it is framed: quarter turns clockwise, then a small angle about
// its middle, clockwise. A straightened photo keeps its size; its corners repeat the edge.
struct Turn
{
    int quarters = 0;
    double degrees = 0;

    bool isNone() const { return quarters == 0 && degrees == 0; }
};
Turn turnOf(const ImageOptions &options);

// The size of a photo of size once turned.
cv::Size turnedSize(const cv::Size &size, const Turn &turn);
// The photo turned: the photo itself, shared, when the turn is none.
cv::Mat turnImage(const cv::Mat &photo, const Turn &turn);
// Where a box of a photo of size lies once the photo is turned: the bounding box of its turned
// corners, clipped to the turned photo.
cv::Rect turnBox(const cv::Rect &box, const cv::Size &size, const Turn &turn);
// A box on the photo of size turned by from, as it lies on the same photo turned by to.
cv::Rect returnBox(const cv::Rect &box, const cv::Size &size, const Turn &from, const Turn &to);
