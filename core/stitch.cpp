#include "core/stitch.h"

#include "core/export.h"
#include "core/failsafe.h"
#include "core/imageoptions.h"
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

bool saveStitched(const QVariant &uris)
{
    const QStringList descriptors = uris.toStringList();
    if (descriptors.size() < 2)
        return false;
    const int leftIndex = parseOptions(descriptors.at(0)).index;
    const int rightIndex = parseOptions(descriptors.at(1)).index;
    const cv::Mat left = processImage(descriptors.at(0), false);
    const cv::Mat right = processImage(descriptors.at(1), false);
    const QString stem =
        QString::number(leftIndex) + QLatin1Char('_') + QString::number(rightIndex);
    return exportImage(joinPair(left, right), stem);
}
