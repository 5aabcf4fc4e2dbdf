#pragma once

#include <QString>
#include <opencv2/core.hpp>

#include <vector>

// The bounding box of the largest region of edges in an RGB image (stored pixel coordinates).
cv::Rect detectObjectBox(const cv::Mat &source);
// The same in two steps, so that a caller can let the RGB image go before the second makes its
// buffers: the gray image detection works on, then the box found in it (its pixels used as
// scratch).
cv::Mat detectionGray(const cv::Mat &source);
cv::Rect detectObjectBoxInGray(cv::Mat &&gray);
// The bounding box of the contour with the largest area, (0, 0, 0, 0) when none has an area.
cv::Rect largestContourBox(const std::vector<std::vector<cv::Point>> &contours);

// Why a detected object box deserves a look before it is exported, in a sentence, or an empty
// text: no object was found, or it covers nearly all of the photo (over 95%) or almost none
// (under 0.5%), or it touches the photo's edge.
QString cropDoubt(const cv::Rect &objectBox, const cv::Size &photoSize);
