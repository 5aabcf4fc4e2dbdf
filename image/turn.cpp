#include "image/turn.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {
// A turn by degrees about the middle of a picture of size, as a 3 × 3 matrix. Boxes have their
// corners on pixel edges (the middle at w / 2); a warp samples pixel centres (at (w - 1) / 2).
cv::Matx33d tiltMatrix(const cv::Size &size, double degrees, double centre)
{
    // OpenCV's angles turn counter-clockwise on a picture whose y axis points down.
    const cv::Mat tilt = cv::getRotationMatrix2D(
        cv::Point2f(float((size.width - centre) / 2.0), float((size.height - centre) / 2.0)),
        -degrees, 1.0);
    return {tilt.at<double>(0, 0),
            tilt.at<double>(0, 1),
            tilt.at<double>(0, 2),
            tilt.at<double>(1, 0),
            tilt.at<double>(1, 1),
            tilt.at<double>(1, 2),
            0,
            0,
            1};
}

// From the photo's coordinates to the turned photo's, corners on pixel edges.
cv::Matx33d turnMatrix(const cv::Size &size, const Turn &turn)
{
    const double w = size.width, h = size.height;
    cv::Matx33d quarter = cv::Matx33d::eye();
    if (turn.quarters == 1)
        quarter = {0, -1, h, 1, 0, 0, 0, 0, 1};
    else if (turn.quarters == 2)
        quarter = {-1, 0, w, 0, -1, h, 0, 0, 1};
    else if (turn.quarters == 3)
        quarter = {0, 1, 0, -1, 0, w, 0, 0, 1};
    return tiltMatrix(turnedSize(size, turn), turn.degrees, 0) * quarter;
}

cv::Rect mapBox(const cv::Rect &box, const cv::Matx33d &matrix, const cv::Size &target)
{
    if (box.empty())
        return {};
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (const cv::Point2d corner :
         {cv::Point2d(box.x, box.y), cv::Point2d(box.br().x, box.y), cv::Point2d(box.x, box.br().y),
          cv::Point2d(box.br().x, box.br().y)}) {
        const cv::Vec3d point = matrix * cv::Vec3d(corner.x, corner.y, 1);
        left = std::min(left, point[0]);
        top = std::min(top, point[1]);
        right = std::max(right, point[0]);
        bottom = std::max(bottom, point[1]);
    }
    // Rounded outward, apart from the error of a turn that lands on whole pixels.
    constexpr double slack = 1e-6;
    const cv::Rect mapped(cv::Point(int(std::floor(left + slack)), int(std::floor(top + slack))),
                          cv::Point(int(std::ceil(right - slack)), int(std::ceil(bottom - slack))));
    return mapped & cv::Rect(cv::Point(0, 0), target);
}
} // namespace

Turn turnOf(const ImageOptions &options)
{
    return {options.quarterTurns, options.straighten};
}

cv::Size turnedSize(const cv::Size &size, const Turn &turn)
{
    return turn.quarters % 2 ? cv::Size(size.height, size.width) : size;
}

cv::Mat turnImage(const cv::Mat &photo, const Turn &turn)
{
    if (photo.empty() || turn.isNone())
        return photo;
    cv::Mat turned = photo;
    if (turn.quarters != 0) {
        static constexpr cv::RotateFlags flags[] = {cv::ROTATE_90_CLOCKWISE, cv::ROTATE_180,
                                                    cv::ROTATE_90_COUNTERCLOCKWISE};
        // Into a buffer of its own: the photo may be the cache's.
        cv::Mat quartered;
        cv::rotate(photo, quartered, flags[turn.quarters - 1]);
        turned = quartered;
    }
    if (turn.degrees == 0)
        return turned;
    const cv::Matx33d tilt = tiltMatrix(turned.size(), turn.degrees, 1);
    const cv::Matx23d affine(tilt(0, 0), tilt(0, 1), tilt(0, 2), tilt(1, 0), tilt(1, 1),
                             tilt(1, 2));
    cv::Mat straightened;
    cv::warpAffine(turned, straightened, affine, turned.size(), cv::INTER_LINEAR,
                   cv::BORDER_REPLICATE);
    return straightened;
}

cv::Rect turnBox(const cv::Rect &box, const cv::Size &size, const Turn &turn)
{
    if (turn.isNone())
        return box;
    return mapBox(box, turnMatrix(size, turn), turnedSize(size, turn));
}

cv::Rect returnBox(const cv::Rect &box, const cv::Size &size, const Turn &from, const Turn &to)
{
    if (from.quarters == to.quarters && from.degrees == to.degrees)
        return box;
    const cv::Matx33d matrix = turnMatrix(size, to) * turnMatrix(size, from).inv();
    return mapBox(box, matrix, turnedSize(size, to));
}
