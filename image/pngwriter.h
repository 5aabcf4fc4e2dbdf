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

// An 8-bit, 3-channel RGB image (any row stride) as the bytes of a PNG file, as OpenCV's writer
// would make it (every row filtered by the difference to its left neighbour, zlib level 1 with
// run-length matching) but in pieces of rows compressed in parallel and without a colour-swapped
// copy. Pixels read back exactly; empty when the image is empty or of another type, or memory
// runs out. The ancillary chunks follow the header, before the pixels.
std::vector<uchar> encodePng(const cv::Mat &rgb, const std::vector<PngChunk> &ancillary = {});
