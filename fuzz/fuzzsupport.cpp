#include "fuzzsupport.h"

#include "image/detection.h"
#include "image/framing.h"
#include "image/imageoptions.h"
#include "session/session.h"

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

bool affordable(const QString &descriptor)
{
    const ImageOptions options = parseOptions(descriptor);
    const cv::Mat source = fuzzSession().store().image(options.index);
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
