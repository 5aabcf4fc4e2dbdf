#pragma once

#include <opencv2/core.hpp>

#include <string>
#include <vector>

// A chunk a PNG file carries beside its pixels: its four-letter type and its data.
struct PngChunk
{
    std::string type;
    std::vector<uchar> data;
};

// An 8-bit, 3-channel RGB image (any row stride) as the bytes of a PNG file: rows filtered by the
// mean of the left and upper neighbours, deflated by ISA-L in pieces of rows that are compressed
// in parallel, without a colour-swapped copy. Pixels read back exactly; empty when the image is
// empty or of another type, or memory runs out. The ancillary chunks follow the header, before the
// pixels.
std::vector<uchar> encodePng(const cv::Mat &rgb, const std::vector<PngChunk> &ancillary = {});
