#include "providers/previewpixmap.h"

#include <QImage>

#include <utility>

QPixmap previewPixmap(const cv::Mat &image, const QSize &box)
{
    if (image.empty() || image.type() != CV_8UC3 || !image.isContinuous())
        return {};
    const QImage wrapper(image.data, image.cols, image.rows, int(image.step),
                         QImage::Format_RGB888);
    QImage scaled = wrapper.scaled(box, Qt::KeepAspectRatio, Qt::FastTransformation);
    // From an rvalue Qt converts in the scaled image's own buffer.
    return QPixmap::fromImage(std::move(scaled), Qt::AutoColor);
}
