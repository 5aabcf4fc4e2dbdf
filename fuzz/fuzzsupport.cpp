#include "fuzzsupport.h"

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
    PhotoStore &store = fuzzSession().store();
    const cv::Mat source = store.image(options.index);
    if ((!options.crop && !isFramed(options)) || source.empty())
        return true;
    const cv::Rect box = store.detectedBox(options.index, options.detector);
    // Either way the photo may be turned; an empty size means the pipeline refuses the result
    // without allocating it.
    for (const cv::Size &size : {source.size(), cv::Size(source.rows, source.cols)}) {
        const Framing framing = frameImage(options, size, box);
        if (double(framing.size.width) * framing.size.height > 16e6)
            return false;
    }
    return true;
}

void fuzzFailure(const char *what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}
