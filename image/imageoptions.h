#pragma once

#include "image/pair.h"

#include <QString>
#include <QStringList>
#include <opencv2/core/types.hpp>

// How a crop finds its object: the edge detector (the largest region of edges, on the full
// image) or the object detector (the ground told from the object, on the reduced copy).
enum class Detector { Edges, Object };

// "edges" or "object", as descriptors and the command line spell them.
QString detectorName(Detector detector);
// The detector a name spells; ok, when given, says whether it spelled one.
Detector parseDetector(const QString &name, bool *ok = nullptr);

// What an image request descriptor ("3#crop=1&padding=50&maxWidth=400") asks for.
struct ImageOptions
{
    int index = 0;
    bool crop = false;
    int padding = 0;
    int maxWidth = 400;
    // The padding as a percentage of the object's longer side instead of pixels.
    bool paddingPercent = false;
    // The cut-out at its own size (maxWidth unused), or never scaled up to maxWidth.
    bool originalSize = false;
    bool noEnlarge = false;
    // Turned before it is framed: quarter turns clockwise (0 to 3), then straightened by a small
    // angle in degrees, clockwise. A box chosen by hand lies on the turned photo.
    int quarterTurns = 0;
    double straighten = 0;
    // A box chosen by hand ("box=x,y,w,h" in stored-image pixels) that stands for the detected
    // object box; empty when none was given or it did not parse or has no area.
    cv::Rect box;
    Detector detector = Detector::Edges;
    // A frame of a fixed aspect (width:height) grown around the crop; empty for the crop's own
    // aspect. The object filling this percentage of the frame (its longer side against the frame's
    // matching side) instead of the padding; 0 for the padding. An exact size of the picture,
    // whose aspect is then the frame's; empty for the width. The colour of the frame where the
    // photo has no pixels.
    cv::Size aspect;
    int fill = 0;
    cv::Size exactSize;
    cv::Vec3b frameColour{255, 255, 255};
};

// Whether options frame the crop (an aspect, a fill or an exact size): without, the crop is the
// padded box clipped to the photo, as it always was.
bool isFramed(const ImageOptions &options);
// "W:H" and "WxH": two positive whole numbers; an empty size otherwise. aspectText and
// sizeText write them, an empty text for an empty size.
cv::Size parseAspect(const QString &text);
cv::Size parseSize(const QString &text);
QString aspectText(const cv::Size &aspect);
QString sizeText(const cv::Size &size);
// "rrggbb", with or without a leading '#'; false, the colour untouched, when it is not six hex
// digits. colourText writes it without the '#'.
bool parseColour(QString text, cv::Vec3b *colour);
QString colourText(const cv::Vec3b &colour);

// The largest angle a photo is straightened by, either way.
constexpr double maxStraighten = 45.0;

// The recognised option keys; a key's position in this list is the code the parser dispatches on.
extern const QStringList optionKeys;

// Never fails: unreadable numbers become 0, unknown keys and empty items are skipped.
ImageOptions parseOptions(const QString &descriptor);
// The descriptor of options: "3#crop=1&padding=50&maxWidth=400", then "&box=x,y,w,h" when a box
// was chosen by hand and "&paddingPercent=1", "&originalSize=1", "&noEnlarge=1", "&rotate=q",
// "&straighten=d", "&detect=object", "&aspect=W:H", "&fill=N", "&size=WxH" and
// "&frameColour=rrggbb" when set (so the descriptors of what was there before stay as
// they were). parseOptions gives the options back.
QString descriptorText(const ImageOptions &options);

// "x,y,w,h": four whole numbers, the width and height positive; an empty box otherwise.
cv::Rect parseBox(const QString &text);
// A box as "x,y,w,h"; an empty text for an empty box.
QString boxText(const cv::Rect &box);

// A photo's image URL, "image://cv/3", which the provider "cv" serves.
QString imageUrl(int index);
// The descriptor an image URL or a source ("image://cv/3#crop=1...") carries; a text without
// the prefix is taken as a descriptor already.
QString descriptorOfUrl(const QString &url);
// A pair's image URL, "image://stitch/<left>*<right>", followed by "*<style>" unless the style
// is the default, which the provider "stitch" serves, from two descriptors or image URLs.
QString pairUrl(const QString &left, const QString &right, const PairStyle &style = {});
// What the part of a pair's URL after "image://stitch/" asks for: the two descriptors and the
// style; false when it holds no pair.
struct PairRequest
{
    QString left;
    QString right;
    PairStyle style;
};
bool parsePairId(const QString &id, PairRequest *request);
