#pragma once

#include <QPixmap>
#include <QSize>
#include <opencv2/core.hpp>

// A processed image (gapless 8-bit RGB) fitted into box by nearest-neighbour scaling, keeping
// its aspect ratio; a null pixmap for an empty image. The full-size pixels are wrapped, not
// copied.
QPixmap previewPixmap(const cv::Mat &image, const QSize &box);
