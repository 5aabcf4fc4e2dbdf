#include "image/framing.h"

#include "image/failsafe.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

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
    if (options.maxWidth <= 0 && !options.originalSize)
        return {};
    // A percentage of the object's longer side, within what an int holds.
    const int padding = options.paddingPercent
                            ? int(std::min(std::round(std::max(objectBox.width, objectBox.height) *
                                                      double(options.padding) / 100.0),
                                           double(std::numeric_limits<int>::max())))
                            : options.padding;
    const cv::Rect region = paddedRegion(objectBox, padding, imageSize);
    if (region.empty())
        return {};
    if (options.originalSize)
        return {region, region.size()};
    const int width =
        options.noEnlarge ? std::min(options.maxWidth, region.width) : options.maxWidth;
    const int height = scaledHeight(region.size(), width);
    if (height <= 0)
        return {};
    return {region, cv::Size(width, height)};
}

cv::Mat processPhoto(const cv::Mat &photo, const ImageOptions &options, const cv::Rect &objectBox)
{
    return orEmpty([&] {
        if (!options.crop)
            return photo;
        const Framing framing = frameImage(options, photo.size(), objectBox);
        if (framing.region.empty())
            return cv::Mat();
        // Scaling straight from the region reads the same pixels as a copy of it would.
        cv::Mat scaled;
        cv::resize(photo(framing.region), scaled, framing.size, 0, 0, cv::INTER_LINEAR);
        return scaled;
    });
}
