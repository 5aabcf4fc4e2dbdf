#include "quick/preview.h"

#include "image/failsafe.h"
#include "image/framing.h"
#include "image/imageoptions.h"
#include "session/photostore.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {
// A descriptor's framing with the reduced copy it is cut from.
struct Planned
{
    Framing framing;
    cv::Mat preview;
    cv::Size imageSize;
};

Planned plan(PhotoStore &store, const QString &descriptor)
{
    const ImageOptions options = parseOptions(descriptor);
    const cv::Mat preview = store.preview(options.index);
    const cv::Size size = store.size(options.index);
    if (preview.empty() || size.empty())
        return {};
    const cv::Rect box =
        options.crop ? cropBox(options, size, [&] { return store.objectBox(options.index); })
                     : cv::Rect();
    return {frameImage(options, size, box), preview, size};
}

// The framing's region of the reduced copy scaled to size.
cv::Mat cut(const Planned &planned, const cv::Size &size)
{
    const cv::Mat &preview = planned.preview;
    const double sx = double(preview.cols) / planned.imageSize.width;
    const double sy = double(preview.rows) / planned.imageSize.height;
    const cv::Rect &region = planned.framing.region;
    const int left = std::min(int(region.x * sx), preview.cols - 1);
    const int top = std::min(int(region.y * sy), preview.rows - 1);
    const int right = std::max(int(std::ceil(region.br().x * sx)), left + 1);
    const int bottom = std::max(int(std::ceil(region.br().y * sy)), top + 1);
    const cv::Rect reduced(cv::Point(left, top), cv::Point(std::min(right, preview.cols),
                                                           std::min(bottom, preview.rows)));
    cv::Mat scaled;
    const bool shrinking = size.width < reduced.width;
    cv::resize(preview(reduced), scaled, size, 0, 0, shrinking ? cv::INTER_AREA : cv::INTER_LINEAR);
    return scaled;
}

QImage toImage(const cv::Mat &rgb)
{
    if (rgb.empty())
        return {};
    return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888).copy();
}

// A picture thinner than a pixel at this scale still shows, as a strip at least `least` wide.
QSize fitted(const cv::Size &size, const QSize &bounds, const QSize &least = QSize(1, 1))
{
    if (size.empty())
        return {};
    return QSize(size.width, size.height).scaled(bounds, Qt::KeepAspectRatio).expandedTo(least);
}
} // namespace

QImage previewImage(PhotoStore &store, const QString &descriptor, const QSize &bounds)
{
    return orEmpty([&] {
        const Planned planned = plan(store, descriptor);
        if (planned.framing.size.empty())
            return QImage();
        const QSize size = fitted(planned.framing.size, bounds);
        if (size.isEmpty())
            return QImage();
        return toImage(cut(planned, cv::Size(size.width(), size.height())));
    });
}

QImage previewPair(PhotoStore &store, const QString &id, const QSize &bounds)
{
    const QStringList parts = pairDescriptors(id);
    if (parts.isEmpty())
        return {};
    return orEmpty([&] {
        const Planned left = plan(store, parts.at(0));
        const Planned right = plan(store, parts.at(1));
        const cv::Size leftSize = left.framing.size;
        const cv::Size rightSize = right.framing.size;
        if (leftSize.empty() || rightSize.empty())
            return QImage();
        // The export joins the right half at the left half's height, keeping its width.
        const cv::Size joined(leftSize.width + rightSize.width, leftSize.height);
        if (double(joined.width) * joined.height > maxImagePixels)
            return QImage();
        // A pixel column for each half at least.
        const QSize size = fitted(joined, bounds, QSize(2, 1));
        const int leftWidth =
            std::clamp(int(std::lround(double(size.width()) * leftSize.width / joined.width)), 1,
                       size.width() - 1);
        cv::Mat pair;
        cv::hconcat(cut(left, cv::Size(leftWidth, size.height())),
                    cut(right, cv::Size(size.width() - leftWidth, size.height())), pair);
        return toImage(pair);
    });
}
