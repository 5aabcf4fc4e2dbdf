#include "fuzzsupport.h"

#include "image/framing.h"
#include "image/imageoptions.h"
#include "image/pair.h"
#include "session/session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

Session &fuzzSession()
{
    static Session *session = [] {
        auto *made = new Session;
        PhotoStore &store = made->store();
        cv::Mat object(48, 64, CV_8UC3, cv::Scalar(20, 40, 60));
        object(cv::Rect(20, 10, 24, 18)).setTo(cv::Scalar(230, 210, 190));
        store.addImage(object);
        store.addImage(cv::Mat(30, 40, CV_8UC3, cv::Scalar(5, 5, 5)));
        store.addImage(cv::Mat(1, 1, CV_8UC3, cv::Scalar(255, 0, 0)));
        cv::Mat strip(2, 200, CV_8UC3, cv::Scalar(0, 0, 0));
        strip.colRange(50, 150).setTo(cv::Scalar(255, 255, 255));
        store.addImage(strip);
        return made;
    }();
    return *session;
}

QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
}

namespace {
// Beyond this a picture is allocated for real and only slows the search down; its size is
// checked by computing it instead.
constexpr double affordablePixels = 16e6;
// A pair is encoded as PNG, near a second a megapixel under the sanitizers: pairs up to this stay
// well inside the fuzzer's timeout. Larger ones are refused before their join is allocated.
constexpr double affordablePairPixels = 4e6;

double pixels(const cv::Size &size)
{
    return double(size.width) * size.height;
}

// The sizes the descriptor's picture may have: the photo may be turned either way. Empty sizes
// mean the pipeline refuses the result without allocating it.
std::vector<cv::Size> pictureSizes(const QString &descriptor)
{
    const ImageOptions options = parseOptions(descriptor);
    PhotoStore &store = fuzzSession().store();
    const cv::Mat source = store.image(options.index);
    if (source.empty())
        return {};
    const cv::Size sizes[] = {source.size(), cv::Size(source.rows, source.cols)};
    if (!options.crop && !isFramed(options))
        return {sizes[0], sizes[1]};
    const cv::Rect box = store.detectedBox(options.index, options.detector);
    return {frameImage(options, sizes[0], box).size, frameImage(options, sizes[1], box).size};
}
} // namespace

bool affordable(const QString &descriptor)
{
    const std::vector<cv::Size> sizes = pictureSizes(descriptor);
    return std::all_of(sizes.begin(), sizes.end(),
                       [](const cv::Size &size) { return pixels(size) <= affordablePixels; });
}

bool affordablePair(const QString &left, const QString &right)
{
    if (!affordable(left) || !affordable(right))
        return false;
    for (const cv::Size &leftSize : pictureSizes(left)) {
        for (const cv::Size &rightSize : pictureSizes(right)) {
            const double joined = pixels(pairGeometry(leftSize, rightSize).size);
            if (joined > affordablePairPixels && joined <= maxImagePixels)
                return false;
        }
    }
    return true;
}

void fuzzFailure(const char *what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}
