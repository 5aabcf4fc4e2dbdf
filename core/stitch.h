#pragma once

#include <QString>
#include <QVariant>
#include <opencv2/core.hpp>

// Left and right side by side at the left image's height; the right image is stretched or
// squeezed vertically to it. Empty when either is empty or the two cannot be joined.
cv::Mat joinPair(const cv::Mat &left, cv::Mat right);

// The two descriptors processed and joined.
cv::Mat processPair(const QString &left, const QString &right);

// Processes two descriptors (a list of at least two texts), joins them and exports the pair
// into exportFolder. Returns whether the file was written.
bool saveStitched(const QVariant &uris);
