#include "image/pair.h"

#include "image/failsafe.h"
#include "image/framing.h"

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
