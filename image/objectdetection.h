#pragma once

#include <QString>
#include <opencv2/core.hpp>

// How the object detector looks at a photo. Lengths are shares of the working image's longer
// side, so that a small scan and a camera photo of the same scene give the same box. Each value
// is the one the detection benchmark's table chose (docs/detection.md).
struct ObjectDetectorParams
{
    // The longer side the photo is reduced to before anything is measured: coarser than grass,
    // sand or ripples, fine enough for an object's outline, and a few milliseconds of work.
    int workingSide = 128;
    // The band along the photo's edges whose colours stand for the ground.
    double borderShare = 0.05;
    // Raster scans (a forward and a backward one each) of the barrier distance: three reach
    // nearly every path's least barrier.
    int barrierPasses = 3;
    // The object's parts are grown from where the saliency clears Otsu's level through whatever
    // clears this share of it (a limb in the body's shade).
    double reachShare = 0.9;
    // Parts smaller than this share of the photo are specks, not parts.
    double minPartShare = 0.002;
    // A part belongs to the object when its saliency mass is at least this share of the largest
    // part's: the several parts of one object (two animals, a body and a cut-off limb) join it.
    double partMassShare = 0.02;
    // The box is grown by this share of its own size on every side: outlines found at the
    // working size lose a pixel or two of thin ends.
    double growShare = 0.02;
    // The levels the box is found at again, as shares of Otsu's, to see whether it holds: a box
    // that changes with the level was not told apart from its ground.
    double looseShare = 0.7;
    double tightShare = 1.2;
};

// The object a photo shows: its bounding box in the photo's pixels and how sure the detector is
// of it, from 0 (nothing told from the ground) to 1 (the same box at any level).
struct ObjectDetection
{
    cv::Rect box;
    double confidence = 0;
};

// Below this confidence the box deserves a look: on the development photos, half of the boxes
// below it overlap their object's true box by less than 60%. A higher bar would mark most photos,
// and a mark on most photos is one nobody reads.
constexpr double confidentDetection = 0.7;

// Finds the main object of an 8-bit RGB photo: the ground is what touches the photo's border, the
// object what cannot be reached from the border without crossing a barrier of colour (the
// minimum barrier distance) and stands apart from the border's colours. A pure function of the
// image and params; an empty box for an empty image, the whole photo when nothing stands out.
ObjectDetection detectObject(const cv::Mat &rgb, const ObjectDetectorParams &params = {});

// The object of a photo of fullSize found in its reduced copy (the import's), its box mapped
// onto the photo: what detectObject costs at any photo size.
ObjectDetection detectObjectInCopy(const cv::Mat &reduced, const cv::Size &fullSize,
                                   const ObjectDetectorParams &params = {});

// Why an object detection deserves a look before it is exported, in a sentence, or an empty
// text when the detector is sure of it.
QString objectDoubt(const ObjectDetection &detection);

// A box found in an image of size from, mapped outwards onto the same photo at size to.
cv::Rect scaleBox(const cv::Rect &box, const cv::Size &from, const cv::Size &to);
