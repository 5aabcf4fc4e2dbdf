#include "core/processimage.h"

#include "core/export.h"
#include "core/exportnames.h"
#include "core/failsafe.h"
#include "core/imageoptions.h"
#include "core/imagestore.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdint>

namespace {
// Side of both box blurs, aperture of the Sobel operator and ratio of the two edge thresholds.
constexpr int kernelSize = 5;
constexpr double lowThreshold = 60.0;
} // namespace

cv::Rect detectObjectBox(const cv::Mat &source)
{
    cv::Mat work;
    const cv::Size kernel(kernelSize, kernelSize);
    cv::cvtColor(source, work, cv::COLOR_RGB2GRAY);
    cv::blur(work, work, kernel, cv::Point(-1, -1), cv::BORDER_DEFAULT);
    cv::Canny(work, work, lowThreshold, lowThreshold * kernelSize, kernelSize, false);
    // The second blur widens the edges into bands, so that nearby edges merge into one region
    // and every non-zero pixel of a band belongs to it.
    cv::blur(work, work, kernel, cv::Point(-1, -1), cv::BORDER_DEFAULT);
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> hierarchy;
    cv::findContours(work, contours, hierarchy, cv::RETR_TREE, cv::CHAIN_APPROX_SIMPLE,
                     cv::Point(0, 0));
    return largestContourBox(contours);
}

QString cropDoubt(const cv::Rect &objectBox, const cv::Size &photoSize)
{
    if (objectBox.empty())
        return QStringLiteral("No object was found: check this crop.");
    const double share = objectBox.area() / (double(photoSize.width) * photoSize.height);
    if (share > 0.95)
        return QStringLiteral("The object fills nearly the whole photo: check this crop.");
    if (share < 0.005)
        return QStringLiteral("The object is tiny: check this crop.");
    return {};
}

cv::Rect largestContourBox(const std::vector<std::vector<cv::Point>> &contours)
{
    cv::Rect box;
    // Kept truncated on purpose: a later contour between the truncated and the exact best
    // area still wins, which decides ties between half-pixel areas in favour of the later one.
    int bestArea = 0;
    for (const auto &contour : contours) {
        const double area = cv::contourArea(contour, false);
        if (area > bestArea) {
            box = cv::boundingRect(contour);
            bestArea = int(area);
        }
    }
    return box;
}

cv::Rect paddedRegion(const cv::Rect &box, int padding, const cv::Size &imageSize)
{
    // 64-bit arithmetic: any 32-bit padding grows or shrinks the box without overflow.
    const int64_t p = padding;
    const int64_t left = std::max<int64_t>(int64_t(box.x) - p, 0);
    const int64_t top = std::max<int64_t>(int64_t(box.y) - p, 0);
    const int64_t right = std::min<int64_t>(int64_t(box.x) + box.width + p, imageSize.width);
    const int64_t bottom = std::min<int64_t>(int64_t(box.y) + box.height + p, imageSize.height);
    if (right <= left || bottom <= top)
        return {};
    return cv::Rect(int(left), int(top), int(right - left), int(bottom - top));
}

int scaledHeight(const cv::Size &cutOut, int maxWidth)
{
    if (cutOut.width <= 0 || maxWidth <= 0)
        return 0;
    const double height = cutOut.height * (double(maxWidth) / cutOut.width);
    if (height < 1.0 || height * maxWidth > maxImagePixels)
        return 0;
    return int(height);
}

cv::Rect cropBox(const ImageOptions &options, const cv::Size &imageSize,
                 const std::function<cv::Rect()> &detected)
{
    const cv::Rect chosen = paddedRegion(options.box, 0, imageSize);
    return options.box.empty() || chosen.empty() ? detected() : chosen;
}

Framing frameImage(const ImageOptions &options, const cv::Size &imageSize,
                   const cv::Rect &objectBox)
{
    if (imageSize.empty())
        return {};
    if (!options.crop)
        return {cv::Rect(cv::Point(0, 0), imageSize), imageSize};
    if (options.maxWidth <= 0)
        return {};
    const cv::Rect region = paddedRegion(objectBox, options.padding, imageSize);
    if (region.empty())
        return {};
    const int height = scaledHeight(region.size(), options.maxWidth);
    if (height <= 0)
        return {};
    return {region, cv::Size(options.maxWidth, height)};
}

cv::Mat processPhoto(const cv::Mat &photo, const ImageOptions &options, const cv::Rect &objectBox)
{
    return orEmpty([&] {
        if (!options.crop)
            return photo.clone();
        const Framing framing = frameImage(options, photo.size(), objectBox);
        if (framing.region.empty())
            return cv::Mat();
        // Scaling straight from the region reads the same pixels as a copy of it would.
        cv::Mat scaled;
        cv::resize(photo(framing.region), scaled, framing.size, 0, 0, cv::INTER_LINEAR);
        return scaled;
    });
}

cv::Mat processImage(const QString &descriptor, bool save, bool *written)
{
    if (written)
        *written = false;
    const ImageOptions options = parseOptions(descriptor);
    const cv::Mat source = storedImage(options.index);
    if (source.empty())
        return {};
    const auto detected = [&options] { return objectBox(options.index); };
    const cv::Mat result = processPhoto(
        source, options, options.crop ? cropBox(options, source.size(), detected) : cv::Rect());
    if (save && !result.empty()) {
        const bool ok = exportImage(result, singleStem(descriptor));
        if (written)
            *written = ok;
    }
    return result;
}
