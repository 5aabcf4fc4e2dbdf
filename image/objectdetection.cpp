#include "image/objectdetection.h"

#include <QCoreApplication>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

// Matrix expressions are left out throughout: their operators are singletons OpenCV makes lazily,
// out of ThreadSanitizer's sight, and detection runs on many threads at once.
namespace {
// The photo reduced to the working size, in CIE Lab (whose distances follow what an eye tells
// apart: L 0 to 100, a and b about -100 to 100).
cv::Mat workingLab(const cv::Mat &rgb, int workingSide)
{
    const int side = std::max(rgb.cols, rgb.rows);
    cv::Mat small = rgb;
    if (side > workingSide) {
        const double scale = double(workingSide) / side;
        const cv::Size size(std::max(1, int(std::lround(rgb.cols * scale))),
                            std::max(1, int(std::lround(rgb.rows * scale))));
        cv::resize(rgb, small, size, 0, 0, cv::INTER_AREA);
    }
    cv::Mat lab;
    small.convertTo(lab, CV_32FC3, 1.0 / 255.0);
    cv::cvtColor(lab, lab, cv::COLOR_RGB2Lab);
    return lab;
}

cv::Mat normalised(const cv::Mat &map)
{
    cv::Mat result;
    cv::normalize(map, result, 0, 1, cv::NORM_MINMAX);
    return result;
}

// The minimum barrier distance of every pixel from the photo's border in one channel: over all
// paths to the border, the least spread (highest less lowest value) met on the way. The ground
// reaches the border over a path of little spread even where it is shaded or graded; the object
// is walled off by its outline. Raster scans (Zhang et al., "Minimum Barrier Salient Object
// Detection at 80 FPS", 2015).
cv::Mat barrierDistance(const cv::Mat &channel, int passes)
{
    const int rows = channel.rows;
    const int cols = channel.cols;
    cv::Mat distance(channel.size(), CV_32F, cv::Scalar(std::numeric_limits<float>::max()));
    cv::Mat high = channel.clone();
    cv::Mat low = channel.clone();
    distance.row(0).setTo(0);
    distance.row(rows - 1).setTo(0);
    distance.col(0).setTo(0);
    distance.col(cols - 1).setTo(0);

    // Pixel (y, x) takes the path of neighbour (ny, nx) when that lowers its barrier.
    const auto relax = [&](int y, int x, int ny, int nx) {
        const float value = channel.at<float>(y, x);
        const float h = std::max(high.at<float>(ny, nx), value);
        const float l = std::min(low.at<float>(ny, nx), value);
        float &d = distance.at<float>(y, x);
        if (h - l < d) {
            d = h - l;
            high.at<float>(y, x) = h;
            low.at<float>(y, x) = l;
        }
    };
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 1; y < rows - 1; ++y)
            for (int x = 1; x < cols - 1; ++x) {
                relax(y, x, y - 1, x);
                relax(y, x, y, x - 1);
            }
        for (int y = rows - 2; y > 0; --y)
            for (int x = cols - 2; x > 0; --x) {
                relax(y, x, y + 1, x);
                relax(y, x, y, x + 1);
            }
    }
    return distance;
}

// How far every pixel's colour lies from the ground's, the ground modelled by each of the four
// border bands on its own (mean and covariance in Lab, so that a sweep's gradient or a
// vignette's fall-off counts as ground): the sum less the largest, so that one side the object
// stands on does not count.
cv::Mat borderContrast(const cv::Mat &lab, int band)
{
    const cv::Rect sides[] = {{0, 0, lab.cols, band},
                              {0, lab.rows - band, lab.cols, band},
                              {0, 0, band, lab.rows},
                              {lab.cols - band, 0, band, lab.rows}};
    // Keeps a flat side's covariance invertible: a spread of about one Lab unit, less than an
    // eye tells apart.
    constexpr double colourFloor = 1.0;
    const int count = int(lab.total());
    const cv::Mat pixels = lab.reshape(1, count);
    cv::Mat sum(lab.size(), CV_32F, cv::Scalar(0));
    cv::Mat largest(lab.size(), CV_32F, cv::Scalar(0));
    for (const cv::Rect &side : sides) {
        const cv::Mat samples = lab(side).clone().reshape(1, side.area());
        cv::Mat covariance;
        cv::Mat mean;
        cv::calcCovarMatrix(samples, covariance, mean,
                            cv::COVAR_NORMAL | cv::COVAR_ROWS | cv::COVAR_SCALE, CV_64F);
        for (int i = 0; i < 3; ++i)
            covariance.at<double>(i, i) += colourFloor;
        cv::Mat inverse;
        cv::invert(covariance, inverse, cv::DECOMP_SVD);
        cv::Mat centred;
        cv::subtract(pixels, cv::repeat(mean, count, 1), centred, cv::noArray(), CV_64F);
        cv::Mat squared;
        cv::Mat projected;
        cv::gemm(centred, inverse, 1, cv::noArray(), 0, projected);
        cv::multiply(projected, centred, squared);
        cv::Mat distance;
        cv::reduce(squared, distance, 1, cv::REDUCE_SUM, CV_64F);
        cv::sqrt(distance, distance);
        cv::Mat map;
        normalised(distance.reshape(1, lab.rows)).convertTo(map, CV_32F);
        cv::add(sum, map, sum);
        cv::max(largest, map, largest);
    }
    cv::subtract(sum, largest, sum);
    return normalised(sum);
}

// Saliency in [0, 1]: the barrier distance summed over the Lab channels, added to the contrast
// with the border's colours.
cv::Mat saliency(const cv::Mat &lab, const ObjectDetectorParams &params)
{
    const int side = std::max(lab.cols, lab.rows);
    const int band = std::max(1, int(std::lround(params.borderShare * side)));
    std::array<cv::Mat, 3> channels;
    cv::split(lab, channels.data());
    cv::Mat barrier(lab.size(), CV_32F, cv::Scalar(0));
    for (const cv::Mat &channel : channels)
        cv::add(barrier, barrierDistance(channel, params.barrierPasses), barrier);
    cv::Mat combined;
    cv::add(normalised(barrier), borderContrast(lab, band), combined);
    return normalised(combined);
}

// The box of the object's parts: the regions of the saliency map that clear reach, each weighed
// by its mass above seed (Otsu's level), those heavy enough joined. Empty when none is.
cv::Rect partsBox(const cv::Mat &map, const cv::Mat &map8, double seed, double reach,
                  const ObjectDetectorParams &params)
{
    cv::Mat above;
    cv::compare(map8, reach, above, cv::CMP_GE);
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(above, labels, stats, centroids, 8, CV_32S);
    std::vector<double> mass(size_t(count), 0.0);
    for (int y = 0; y < labels.rows; ++y) {
        const int *label = labels.ptr<int>(y);
        const uchar *level = map8.ptr<uchar>(y);
        const float *value = map.ptr<float>(y);
        for (int x = 0; x < labels.cols; ++x)
            if (level[x] >= seed)
                mass[size_t(label[x])] += value[x];
    }
    const double minArea = params.minPartShare * double(map.total());
    const auto isPart = [&](int label) {
        return stats.at<int>(label, cv::CC_STAT_AREA) >= minArea;
    };
    double heaviest = 0;
    for (int label = 1; label < count; ++label)
        if (isPart(label))
            heaviest = std::max(heaviest, mass[size_t(label)]);

    cv::Rect box;
    for (int label = 1; label < count; ++label) {
        if (heaviest <= 0 || !isPart(label) ||
            mass[size_t(label)] < params.partMassShare * heaviest)
            continue;
        const cv::Rect part(
            stats.at<int>(label, cv::CC_STAT_LEFT), stats.at<int>(label, cv::CC_STAT_TOP),
            stats.at<int>(label, cv::CC_STAT_WIDTH), stats.at<int>(label, cv::CC_STAT_HEIGHT));
        box = box.empty() ? part : (box | part);
    }
    return box;
}

double overlap(const cv::Rect &a, const cv::Rect &b)
{
    const double united = (a | b).area();
    return united > 0 ? (a & b).area() / united : 0;
}
} // namespace

ObjectDetection detectObject(const cv::Mat &rgb, const ObjectDetectorParams &params)
{
    if (rgb.empty())
        return {};
    const cv::Mat lab = workingLab(rgb, params.workingSide);
    const cv::Rect whole(0, 0, lab.cols, lab.rows);
    const ObjectDetection nothing{cv::Rect(0, 0, rgb.cols, rgb.rows), 0};
    // Too small to have a border and an inside.
    if (lab.cols < 3 || lab.rows < 3)
        return nothing;

    const cv::Mat map = saliency(lab, params);
    cv::Mat map8;
    map.convertTo(map8, CV_8U, 255);
    cv::Mat mask;
    const double level = cv::threshold(map8, mask, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    // A map of one value: nothing stands out.
    if (level <= 0)
        return nothing;
    const auto boxAt = [&](double share) {
        return partsBox(map, map8, level, share * level, params);
    };
    cv::Rect box = boxAt(params.reachShare);
    if (box.empty())
        return nothing;
    const int growX = int(std::ceil(params.growShare * box.width));
    const int growY = int(std::ceil(params.growShare * box.height));
    box = cv::Rect(box.x - growX, box.y - growY, box.width + 2 * growX, box.height + 2 * growY) &
          whole;
    const double confidence = overlap(boxAt(params.looseShare), boxAt(params.tightShare));
    return {scaleBox(box, lab.size(), rgb.size()), confidence};
}

ObjectDetection detectObjectInCopy(const cv::Mat &reduced, const cv::Size &fullSize,
                                   const ObjectDetectorParams &params)
{
    ObjectDetection found = detectObject(reduced, params);
    found.box = scaleBox(found.box, reduced.size(), fullSize);
    return found;
}

QString objectDoubt(const ObjectDetection &detection)
{
    if (detection.confidence >= confidentDetection)
        return {};
    return QCoreApplication::translate(
        "Detection", "The object could not be told from its background: check this crop.");
}

cv::Rect scaleBox(const cv::Rect &box, const cv::Size &from, const cv::Size &to)
{
    if (from.width <= 0 || from.height <= 0)
        return {};
    const double sx = double(to.width) / from.width;
    const double sy = double(to.height) / from.height;
    const int left = int(std::floor(box.x * sx));
    const int top = int(std::floor(box.y * sy));
    const int right = int(std::ceil(box.br().x * sx));
    const int bottom = int(std::ceil(box.br().y * sy));
    return cv::Rect(left, top, right - left, bottom - top) & cv::Rect(0, 0, to.width, to.height);
}
