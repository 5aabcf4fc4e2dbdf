#pragma once

#include <opencv2/core.hpp>

// Left and right side by side at the left image's height; the right image is stretched or
// squeezed vertically to it. Empty when either is empty or the two cannot be joined.
cv::Mat joinPair(const cv::Mat &left, const cv::Mat &right);
