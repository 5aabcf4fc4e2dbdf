#include "image/pair.h"

#include "image/failsafe.h"
#include "image/framing.h"

#include <opencv2/imgproc.hpp>

cv::Mat joinPair(const cv::Mat &left, const cv::Mat &right)
{
    if (left.empty() || right.empty() || left.type() != right.type())
        return {};
    if (double(left.rows) * (double(left.cols) + right.cols) > maxImagePixels)
        return {};
    return orEmpty([&left, &right] {
        // Both halves go straight into the joined picture: no scaled copy of the right one.
        cv::Mat joined(left.rows, left.cols + right.cols, left.type());
        left.copyTo(joined(cv::Rect(0, 0, left.cols, left.rows)));
        cv::Mat rightHalf = joined(cv::Rect(left.cols, 0, right.cols, left.rows));
        if (right.rows == left.rows)
            right.copyTo(rightHalf);
        else
            cv::resize(right, rightHalf, rightHalf.size(), 0, 0, cv::INTER_LINEAR);
        return joined;
    });
}
