#pragma once

#include <QString>
#include <opencv2/core.hpp>

// The folder exports go to; set from the user's choice, empty until then.
extern QString exportFolder;

// Writes an RGB image as "<exportFolder>/<stem>.png". The file is replaced whole or not at all;
// returns whether it was written. Nothing is written for an empty image or an empty folder.
bool exportImage(const cv::Mat &image, const QString &stem);
