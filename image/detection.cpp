#include "image/detection.h"

#include <QCoreApplication>
#include <opencv2/imgproc.hpp>

namespace {
// Side of both box blurs, aperture of the Sobel operator and ratio of the two edge thresholds.
constexpr int kernelSize = 5;
constexpr double lowThreshold = 60.0;
} // namespace

cv::Rect detectObjectBox(const cv::Mat &source)
{
    return detectObjectBoxInGray(detectionGray(source));
}

cv::Mat detectionGray(const cv::Mat &source)
{
    cv::Mat gray;
    cv::cvtColor(source, gray, cv::COLOR_RGB2GRAY);
    return gray;
}

cv::Rect detectObjectBoxInGray(cv::Mat &&gray)
{
    cv::Mat work = std::move(gray);
    const cv::Size kernel(kernelSize, kernelSize);
    cv::blur(work, work, kernel, cv::Point(-1, -1), cv::BORDER_DEFAULT);
    cv::Canny(work, work, lowThreshold, lowThreshold * kernelSize, kernelSize, false);
    // The second blur widens the edges into bands, so that nearby edges merge into one region
    // and every non-zero pixel of a band belongs to it.
    cv::blur(work, work, kernel, cv::Point(-1, -1), cv::BORDER_DEFAULT);
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> hierarchy;
    cv::findContours(work, contours, hierarchy, cv::RETR_TREE, cv::CHAIN_APPROX_SIMPLE,
                     cv::Point(0, 0));
    return largestContourBox(contours);
}

cv::Rect largestContourBox(const std::vector<std::vector<cv::Point>> &contours)
{
    cv::Rect box;
    // Kept truncated on purpose: a later contour between the truncated and the exact best
    // area still wins, which decides ties between half-pixel areas in favour of the later one.
    int bestArea = 0;
    for (const auto &contour : contours) {
        const double area = cv::contourArea(contour, false);
        if (area > bestArea) {
            box = cv::boundingRect(contour);
            bestArea = int(area);
        }
    }
    return box;
}

QString cropDoubt(const cv::Rect &objectBox, const cv::Size &photoSize)
{
    if (objectBox.empty())
        return QCoreApplication::translate("Detection", "No object was found: check this crop.");
    const double share = objectBox.area() / (double(photoSize.width) * photoSize.height);
    if (share > 0.95)
        return QCoreApplication::translate(
            "Detection", "The object fills nearly the whole photo: check this crop.");
    if (share < 0.005)
        return QCoreApplication::translate("Detection", "The object is tiny: check this crop.");
    if (objectBox.x <= 0 || objectBox.y <= 0 || objectBox.br().x >= photoSize.width ||
        objectBox.br().y >= photoSize.height)
        return QCoreApplication::translate(
            "Detection", "The object touches the photo's edge: it may be cut off.");
    return {};
}
