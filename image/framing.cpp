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

namespace {
// The padding in pixels: a percentage of the object's longer side, within what an int holds.
int paddingOf(const ImageOptions &options, const cv::Rect &objectBox)
{
    return options.paddingPercent
               ? int(std::min(std::round(std::max(objectBox.width, objectBox.height) *
                                         double(options.padding) / 100.0),
                              double(std::numeric_limits<int>::max())))
               : options.padding;
}

// Where a frame of extent starts along a side of limit pixels, centred on centre: moved to lie
// on the photo where it fits, to take in the whole side where it does not.
int frameStart(double centre, int extent, int limit)
{
    const int start = int(std::lround(centre - extent / 2.0));
    return extent <= limit ? std::clamp(start, 0, limit - extent)
                           : std::clamp(start, limit - extent, 0);
}

// A crop grown to the frame's aspect around the object (the object's own aspect when none is
// given), from the padding or so that the object fills its share, then sized.
Framing framedImage(const ImageOptions &options, const cv::Size &imageSize,
                    const cv::Rect &foundBox)
{
    // Nothing found: the photo is the object.
    const cv::Rect objectBox = foundBox.empty() ? cv::Rect(cv::Point(0, 0), imageSize) : foundBox;
    const cv::Size ratio = !options.exactSize.empty() ? options.exactSize
                           : !options.aspect.empty()  ? options.aspect
                                                      : objectBox.size();
    if (objectBox.empty() || ratio.empty())
        return {};
    const double aspect = double(ratio.width) / ratio.height;
    double width = 0;
    if (options.fill > 0) {
        const double share = options.fill / 100.0;
        width = std::max(objectBox.width / share, objectBox.height / share * aspect);
    } else {
        const double margin = std::max(paddingOf(options, objectBox), 0);
        width = std::max(objectBox.width + 2 * margin, (objectBox.height + 2 * margin) * aspect);
    }
    if (width / aspect * width > maxImagePixels)
        return {};
    // Whole pixels, never smaller than the object.
    const int frameWidth = std::max(objectBox.width, int(std::lround(width)));
    const int frameHeight = std::max(objectBox.height, int(std::lround(width / aspect)));
    const cv::Rect region(
        frameStart(objectBox.x + objectBox.width / 2.0, frameWidth, imageSize.width),
        frameStart(objectBox.y + objectBox.height / 2.0, frameHeight, imageSize.height), frameWidth,
        frameHeight);

    if (!options.exactSize.empty()) {
        const cv::Size size = options.exactSize;
        if (double(size.width) * size.height > maxImagePixels)
            return {};
        // Never enlarged: the frame at its own size, in the middle of the picture.
        if (options.noEnlarge && frameWidth < size.width) {
            const cv::Rect placed =
                cv::Rect((size.width - frameWidth) / 2, (size.height - frameHeight) / 2, frameWidth,
                         frameHeight) &
                cv::Rect(cv::Point(0, 0), size);
            return {region, size, placed};
        }
        return {region, size, {}};
    }
    if (options.originalSize)
        return {region, region.size(), {}};
    if (options.maxWidth <= 0)
        return {};
    const int pictureWidth =
        options.noEnlarge ? std::min(options.maxWidth, frameWidth) : options.maxWidth;
    const int pictureHeight = int(std::lround(pictureWidth / aspect));
    if (pictureHeight < 1 || double(pictureWidth) * pictureHeight > maxImagePixels)
        return {};
    return {region, cv::Size(pictureWidth, pictureHeight), {}};
}
} // namespace

cv::Mat renderFrame(const cv::Mat &source, const cv::Rect2d &region, const cv::Size &size,
                    const cv::Rect &target, const cv::Vec3b &colour, int interpolation)
{
    const cv::Rect into = target.empty() ? cv::Rect(cv::Point(0, 0), size) : target;
    const cv::Scalar fill(colour[0], colour[1], colour[2]);
    const cv::Rect2d inside = region & cv::Rect2d(0, 0, source.cols, source.rows);
    const double sx = region.empty() ? 0 : into.width / region.width;
    const double sy = region.empty() ? 0 : into.height / region.height;
    const cv::Rect drawn =
        cv::Rect(cv::Point(into.x + int(std::lround((inside.x - region.x) * sx)),
                           into.y + int(std::lround((inside.y - region.y) * sy))),
                 cv::Point(into.x + int(std::lround((inside.br().x - region.x) * sx)),
                           into.y + int(std::lround((inside.br().y - region.y) * sy)))) &
        cv::Rect(cv::Point(0, 0), size);
    const cv::Rect pixels =
        cv::Rect(cv::Point(int(std::floor(inside.x)), int(std::floor(inside.y))),
                 cv::Point(int(std::ceil(inside.br().x)), int(std::ceil(inside.br().y)))) &
        cv::Rect(0, 0, source.cols, source.rows);
    if (inside.empty() || drawn.empty() || pixels.empty())
        return cv::Mat(size, CV_8UC3, fill);
    if (drawn == cv::Rect(cv::Point(0, 0), size)) {
        cv::Mat picture;
        cv::resize(source(pixels), picture, size, 0, 0, interpolation);
        return picture;
    }
    // Only the bands around the photo's part are coloured: the part is written once.
    cv::Mat picture(size, CV_8UC3);
    picture.rowRange(0, drawn.y).setTo(fill);
    picture.rowRange(drawn.br().y, size.height).setTo(fill);
    picture(cv::Range(drawn.y, drawn.br().y), cv::Range(0, drawn.x)).setTo(fill);
    picture(cv::Range(drawn.y, drawn.br().y), cv::Range(drawn.br().x, size.width)).setTo(fill);
    cv::Mat area = picture(drawn);
    cv::resize(source(pixels), area, drawn.size(), 0, 0, interpolation);
    return picture;
}

Framing frameImage(const ImageOptions &options, const cv::Size &imageSize,
                   const cv::Rect &objectBox)
{
    if (imageSize.empty())
        return {};
    if (!options.crop && isFramed(options)) {
        // The whole photo is the object, framed as it is.
        ImageOptions whole = options;
        whole.padding = 0;
        return framedImage(whole, imageSize, cv::Rect(cv::Point(0, 0), imageSize));
    }
    if (!options.crop)
        return {cv::Rect(cv::Point(0, 0), imageSize), imageSize, {}};
    if (isFramed(options))
        return framedImage(options, imageSize, objectBox);
    if (options.maxWidth <= 0 && !options.originalSize)
        return {};
    const cv::Rect region = paddedRegion(objectBox, paddingOf(options, objectBox), imageSize);
    if (region.empty())
        return {};
    if (options.originalSize)
        return {region, region.size(), {}};
    const int width =
        options.noEnlarge ? std::min(options.maxWidth, region.width) : options.maxWidth;
    const int height = scaledHeight(region.size(), width);
    if (height <= 0)
        return {};
    return {region, cv::Size(width, height), {}};
}

cv::Mat processPhoto(const cv::Mat &photo, const ImageOptions &options, const cv::Rect &objectBox)
{
    return orEmpty([&] {
        if (!options.crop && !isFramed(options))
            return photo;
        const Framing framing = frameImage(options, photo.size(), objectBox);
        if (framing.region.empty())
            return cv::Mat();
        if (isFramed(options))
            return renderFrame(photo, framing.region, framing.size, framing.placed,
                               options.frameColour, cv::INTER_LINEAR);
        // Scaling straight from the region reads the same pixels as a copy of it would.
        cv::Mat scaled;
        cv::resize(photo(framing.region), scaled, framing.size, 0, 0, cv::INTER_LINEAR);
        return scaled;
    });
}
