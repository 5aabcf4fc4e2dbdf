#pragma once

#include <QString>
#include <opencv2/core.hpp>

#include <vector>

// A frame as the places photos go ask for it: a shop's square on white, a feed's portrait.
struct FramePreset
{
    // The command line's name of it ("square-2000").
    QString id;
    // What the window shows ("Square 2000, white"), translated.
    QString name;
    // As ImageOptions holds them: the aspect, the object's share in percent (0: the padding),
    // the exact size and the colour where the photo has no pixels.
    cv::Size aspect;
    int fill = 0;
    cv::Size size;
    cv::Vec3b colour{255, 255, 255};
};

// The presets every user has, in the order the window lists them.
std::vector<FramePreset> framePresets();
// The preset of that id; one of an empty id when there is none.
FramePreset framePreset(const QString &id);
