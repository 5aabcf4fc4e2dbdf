#include "quick/preview.h"

#include "image/failsafe.h"
#include "image/framing.h"
#include "image/imageoptions.h"
#include "image/pair.h"
#include "image/turn.h"
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
    // Framed: where the photo has no pixels, this colour.
    bool framed = false;
    cv::Vec3b colour;
};

Planned plan(PhotoStore &store, const QString &descriptor)
{
    const ImageOptions options = parseOptions(descriptor);
    const Turn turn = turnOf(options);
    const cv::Mat preview = turnImage(store.preview(options.index), turn);
    const cv::Size photoSize = store.size(options.index);
    if (preview.empty() || photoSize.empty())
        return {};
    const cv::Size size = turnedSize(photoSize, turn);
    const cv::Rect box =
        options.crop
            ? cropBox(options, size,
                      [&] {
                          return turnBox(store.detectedBox(options.index, options.detector),
                                         photoSize, turn);
                      })
            : cv::Rect();
    return {frameImage(options, size, box), preview, size, isFramed(options), options.frameColour};
}

// The framing's region of the reduced copy scaled to size.
cv::Mat cut(const Planned &planned, const cv::Size &size)
{
    const cv::Mat &preview = planned.preview;
    const double sx = double(preview.cols) / planned.imageSize.width;
    const double sy = double(preview.rows) / planned.imageSize.height;
    const cv::Rect &region = planned.framing.region;
    if (planned.framed) {
        const Framing &framing = planned.framing;
        const double tx = double(size.width) / framing.size.width;
        const double ty = double(size.height) / framing.size.height;
        const cv::Rect target =
            framing.placed.empty()
                ? cv::Rect()
                : cv::Rect(int(framing.placed.x * tx), int(framing.placed.y * ty),
                           std::max(1, int(framing.placed.width * tx)),
                           std::max(1, int(framing.placed.height * ty)));
        const cv::Rect2d reduced(region.x * sx, region.y * sy, region.width * sx,
                                 region.height * sy);
        const bool shrinking = size.width < reduced.width;
        return renderFrame(preview, reduced, size, target, planned.colour,
                           shrinking ? cv::INTER_AREA : cv::INTER_LINEAR);
    }
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
    PairRequest request;
    if (!parsePairId(id, &request))
        return {};
    return orEmpty([&] {
        const Planned left = plan(store, request.left);
        const Planned right = plan(store, request.right);
        const PairGeometry geometry =
            pairGeometry(left.framing.size, right.framing.size, request.style);
        if (geometry.size.empty() ||
            double(geometry.size.width) * geometry.size.height > maxImagePixels)
            return QImage();
        // A pixel column for each half at least.
        const QSize size = fitted(geometry.size, bounds, QSize(2, 1));
        const double sx = double(size.width()) / geometry.size.width;
        const double sy = double(size.height()) / geometry.size.height;
        const cv::Vec3b &background = request.style.background;
        cv::Mat pair(size.height(), size.width(), CV_8UC3,
                     cv::Scalar(background[0], background[1], background[2]));
        // Each half where the export puts it, scaled; the left one first claims its columns.
        int taken = 0;
        for (const auto &[half, place] :
             {std::pair(&left, geometry.left), std::pair(&right, geometry.right)}) {
            // The left half leaves the last column to the right one.
            const int last = size.width() - (half == &left ? 2 : 1);
            const int x = std::clamp(int(std::lround(place.x * sx)), taken, last);
            const int y = std::min(int(std::lround(place.y * sy)), size.height() - 1);
            const int width = std::clamp(int(std::lround(place.br().x * sx)) - x, 1,
                                         size.width() - x - (half == &left ? 1 : 0));
            const int height =
                std::clamp(int(std::lround(place.br().y * sy)) - y, 1, size.height() - y);
            cut(*half, cv::Size(width, height)).copyTo(pair(cv::Rect(x, y, width, height)));
            taken = x + width;
        }
        return toImage(pair);
    });
}
