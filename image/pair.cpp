#include "image/pair.h"

#include "image/failsafe.h"
#include "image/framing.h"
#include "image/imageoptions.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {
// Each layout's name, in the order of PairLayout.
const char *const layoutNames[] = {"stretch", "proportional", "canvas"};

// A side scaled to height, its proportions kept, at least a pixel wide and within an int.
int widthAt(const cv::Size &side, int height)
{
    const double width = std::round(double(side.width) * height / side.height);
    return int(std::clamp(width, 1.0, double(std::numeric_limits<int>::max())));
}

// An image scaled into its place: averaged when it shrinks, interpolated when it grows.
void scaleInto(const cv::Mat &image, cv::Mat place)
{
    if (image.size() == place.size()) {
        image.copyTo(place);
        return;
    }
    const bool shrinks = place.cols <= image.cols && place.rows <= image.rows;
    cv::resize(image, place, place.size(), 0, 0, shrinks ? cv::INTER_AREA : cv::INTER_LINEAR);
}
} // namespace

bool parsePairLayout(const QString &name, PairLayout *layout)
{
    for (size_t i = 0; i < std::size(layoutNames); ++i) {
        if (name == QLatin1String(layoutNames[i])) {
            *layout = PairLayout(i);
            return true;
        }
    }
    return false;
}

PairStyle pairStyleOf(const QVariantMap &options)
{
    PairStyle style;
    parsePairLayout(options.value(QStringLiteral("pairLayout")).toString(), &style.layout);
    style.gap = std::max(0, options.value(QStringLiteral("gap"), 0).toInt());
    parseColour(options.value(QStringLiteral("background")).toString(), &style.background);
    style.aspect = parseAspect(options.value(QStringLiteral("aspect")).toString());
    style.exactSize = parseSize(options.value(QStringLiteral("size")).toString());
    return style;
}

namespace {
bool isFramed(const PairStyle &style)
{
    return !style.aspect.empty() || !style.exactSize.empty();
}
} // namespace

QString pairStyleText(const PairStyle &style)
{
    const bool framed = isFramed(style);
    if (style.layout == PairLayout::Stretch && !framed)
        return {};
    QString text = QStringLiteral("pairLayout=") + layoutNames[int(style.layout)];
    if (style.layout == PairLayout::Canvas)
        text += QStringLiteral("&gap=%1").arg(style.gap);
    if (style.layout == PairLayout::Canvas || framed)
        text += QStringLiteral("&background=") + colourText(style.background);
    if (!style.aspect.empty())
        text += QStringLiteral("&aspect=") + aspectText(style.aspect);
    if (!style.exactSize.empty())
        text += QStringLiteral("&size=") + sizeText(style.exactSize);
    return text;
}

PairStyle parsePairStyle(const QString &text)
{
    QVariantMap options;
    for (const QString &part : text.split(QLatin1Char('&'))) {
        const int equals = part.indexOf(QLatin1Char('='));
        if (equals > 0)
            options.insert(part.left(equals), part.mid(equals + 1));
    }
    return pairStyleOf(options);
}

namespace {
// The joined picture in the middle of a frame of the style's aspect, grown on one side only, then
// scaled to the style's exact size: the halves' places moved and scaled with it.
PairGeometry framed(const PairGeometry &joined, const PairStyle &style)
{
    const cv::Size ratio = style.exactSize.empty() ? style.aspect : style.exactSize;
    if (ratio.empty() || joined.size.empty())
        return joined;
    const double aspect = double(ratio.width) / ratio.height;
    const double width = std::max(double(joined.size.width), joined.size.height * aspect);
    const double height = width / aspect;
    const cv::Size size = style.exactSize.empty()
                              ? cv::Size(int(std::lround(width)), int(std::lround(height)))
                              : style.exactSize;
    if (double(size.width) * size.height > maxImagePixels)
        return {};
    const double sx = size.width / width;
    const double sy = size.height / height;
    const double left = (width - joined.size.width) / 2;
    const double top = (height - joined.size.height) / 2;
    const auto place = [&](const cv::Rect &half) {
        const cv::Point from(int(std::lround((half.x + left) * sx)),
                             int(std::lround((half.y + top) * sy)));
        const cv::Point to(int(std::lround((half.br().x + left) * sx)),
                           int(std::lround((half.br().y + top) * sy)));
        return cv::Rect(from, cv::Point(std::max(to.x, from.x + 1), std::max(to.y, from.y + 1))) &
               cv::Rect(cv::Point(0, 0), size);
    };
    return {size, place(joined.left), place(joined.right)};
}

PairGeometry joinedGeometry(const cv::Size &left, const cv::Size &right, const PairStyle &style)
{
    if (left.empty() || right.empty())
        return {};
    // Sides beyond an int are refused rather than overflowed: no such picture is ever made.
    const auto fits = [](qint64 width, qint64 height) {
        return width <= std::numeric_limits<int>::max() &&
               height <= std::numeric_limits<int>::max();
    };
    switch (style.layout) {
    case PairLayout::Stretch:
        if (!fits(qint64(left.width) + right.width, left.height))
            return {};
        return {{left.width + right.width, left.height},
                {0, 0, left.width, left.height},
                {left.width, 0, right.width, left.height}};
    case PairLayout::Proportional: {
        const int rightWidth = widthAt(right, left.height);
        if (!fits(qint64(left.width) + rightWidth, left.height))
            return {};
        return {{left.width + rightWidth, left.height},
                {0, 0, left.width, left.height},
                {left.width, 0, rightWidth, left.height}};
    }
    case PairLayout::Canvas:
        break;
    }
    const int gap = std::max(0, style.gap);
    const int height = std::min(left.height, right.height);
    const int leftWidth = widthAt(left, height);
    const int rightWidth = widthAt(right, height);
    if (!fits(3 * qint64(gap) + leftWidth + rightWidth, 2 * qint64(gap) + height))
        return {};
    return {{3 * gap + leftWidth + rightWidth, 2 * gap + height},
            {gap, gap, leftWidth, height},
            {2 * gap + leftWidth, gap, rightWidth, height}};
}
} // namespace

PairGeometry pairGeometry(const cv::Size &left, const cv::Size &right, const PairStyle &style)
{
    return framed(joinedGeometry(left, right, style), style);
}

cv::Mat joinPair(const cv::Mat &left, const cv::Mat &right, const PairStyle &style)
{
    if (left.empty() || right.empty() || left.type() != right.type())
        return {};
    const PairGeometry geometry = pairGeometry(left.size(), right.size(), style);
    if (double(geometry.size.width) * geometry.size.height > maxImagePixels)
        return {};
    return orEmpty([&] {
        // Both halves go straight into the joined picture: no scaled copy of either.
        cv::Mat joined(geometry.size, left.type());
        if (style.layout == PairLayout::Canvas || isFramed(style))
            joined.setTo(cv::Scalar(style.background[0], style.background[1], style.background[2]));
        scaleInto(left, joined(geometry.left));
        if (style.layout == PairLayout::Stretch && right.rows != left.rows) {
            // Stretched the way files made so far were: interpolated whichever way it goes.
            cv::Mat place = joined(geometry.right);
            cv::resize(right, place, place.size(), 0, 0, cv::INTER_LINEAR);
        } else {
            scaleInto(right, joined(geometry.right));
        }
        return joined;
    });
}
