#pragma once

#include <QByteArray>
#include <opencv2/core.hpp>

#include <vector>

// Colour profiles (ICC), converted with Little CMS.

// An 8-bit RGB image in the colour space of the profile given, converted to sRGB with the
// perceptual intent: the image itself when the profile is empty (its pixels are sRGB already),
// cannot be read or is not an RGB profile. Always a new image otherwise; empty when memory runs
// out.
cv::Mat toSrgb(const cv::Mat &rgb, const QByteArray &profile);

// The profile the pictures of one file are written in, given each one's own (empty: sRGB): a
// profile they share, unless sRGB is asked for. Otherwise every picture is converted to sRGB and
// the answer is empty, so that a file never mixes colour spaces.
QByteArray sharedProfile(std::vector<cv::Mat> &pictures, const std::vector<QByteArray> &profiles,
                         bool srgb);
