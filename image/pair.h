#pragma once

#include <QString>
#include <QVariantMap>
#include <opencv2/core.hpp>

// How the two halves of a pair share one picture.
enum class PairLayout {
    // The right half at the left half's height, its width kept: stretched or squeezed.
    Stretch,
    // The right half scaled to the left half's height, its proportions kept.
    Proportional,
    // Both halves at the lower one's height, proportions kept, on a background with a gap
    // around and between them.
    Canvas,
};

struct PairStyle
{
    PairLayout layout = PairLayout::Stretch;
    // Canvas only: the gap in pixels and the background's RGB colour.
    int gap = 0;
    cv::Vec3b background{255, 255, 255};
    // A frame of this aspect (width:height) around the joined picture, on the background, and
    // the exact size of the framed picture (its aspect then the frame's); empty for none.
    cv::Size aspect;
    cv::Size exactSize;
};

// "stretch", "proportional" or "canvas"; false for any other name.
bool parsePairLayout(const QString &name, PairLayout *layout);

// A style from the options script code gives: "pairLayout" (a name above), "gap" (pixels),
// "background" ("#rrggbb"), "aspect" ("W:H") and "size" ("WxH"); what is missing or wrong stays
// as in the default style.
PairStyle pairStyleOf(const QVariantMap &options);
// A style as the text a pair's image URL carries, "pairLayout=canvas&gap=20&background=102030",
// then "&aspect=W:H", "&size=WxH" (with the background) when framed; empty for the default
// style. parsePairStyle reads it back.
QString pairStyleText(const PairStyle &style);
PairStyle parsePairStyle(const QString &text);

// Where a pair's halves go: the joined picture's size and each half's rectangle in it. Empty
// when either half is empty.
struct PairGeometry
{
    cv::Size size;
    cv::Rect left;
    cv::Rect right;
};
PairGeometry pairGeometry(const cv::Size &left, const cv::Size &right, const PairStyle &style = {});

// Left and right joined in style, the right half on the right. Empty when either is empty, the
// two are of different types or the picture would pass maxImagePixels.
cv::Mat joinPair(const cv::Mat &left, const cv::Mat &right, const PairStyle &style = {});
