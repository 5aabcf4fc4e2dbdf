#include "fuzzsupport.h"

#include "core/imageoptions.h"
#include "core/imagestore.h"
#include "core/processimage.h"

#include <cstdio>
#include <cstdlib>

int fillFuzzStore()
{
    if (storedImageCount() > 0)
        return storedImageCount();
    cv::Mat object(48, 64, CV_8UC3, cv::Scalar(20, 40, 60));
    object(cv::Rect(20, 10, 24, 18)).setTo(cv::Scalar(230, 210, 190));
    appendStoredImage(object);
    appendStoredImage(cv::Mat(30, 40, CV_8UC3, cv::Scalar(5, 5, 5)));
    appendStoredImage(cv::Mat(1, 1, CV_8UC3, cv::Scalar(255, 0, 0)));
    cv::Mat strip(2, 200, CV_8UC3, cv::Scalar(0, 0, 0));
    strip.colRange(50, 150).setTo(cv::Scalar(255, 255, 255));
    appendStoredImage(strip);
    return storedImageCount();
}

QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
}

bool affordable(const QString &descriptor)
{
    const ImageOptions options = parseOptions(descriptor);
    const cv::Mat source = storedImage(options.index);
    if (!options.crop || source.empty())
        return true;
    const cv::Rect region = paddedRegion(detectObjectBox(source), options.padding, source.size());
    // A height of 0 means the pipeline refuses the result without allocating it.
    const int height = scaledHeight(region.size(), options.maxWidth);
    return double(height) * options.maxWidth <= 16e6;
}

void fuzzFailure(const char *what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}
