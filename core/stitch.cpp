#include "core/stitch.h"

#include "core/export.h"
#include "core/exportnames.h"
#include "core/failsafe.h"
#include "core/processimage.h"

#include <opencv2/imgproc.hpp>

cv::Mat joinPair(const cv::Mat &left, cv::Mat right)
{
    if (left.empty() || right.empty() || left.type() != right.type())
        return {};
    if (double(left.rows) * (double(left.cols) + right.cols) > maxImagePixels)
        return {};
    return orEmpty([&left, &right] {
        if (right.rows != left.rows)
            cv::resize(right, right, cv::Size(right.cols, left.rows), 0, 0, cv::INTER_LINEAR);
        cv::Mat joined;
        cv::hconcat(left, right, joined);
        return joined;
    });
}

cv::Mat processPair(const QString &left, const QString &right)
{
    return joinPair(processImage(left, false), processImage(right, false));
}

bool saveStitched(const QVariant &uris)
{
    const QStringList descriptors = uris.toStringList();
    if (descriptors.size() < 2)
        return false;
    return exportImage(processPair(descriptors.at(0), descriptors.at(1)),
                       pairStem(descriptors.at(0), descriptors.at(1)));
}
