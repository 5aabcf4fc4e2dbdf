// Guards parsing and cropping against crashes and undefined behaviour on any descriptor text.
#include "core/imageoptions.h"
#include "core/imagestore.h"
#include "core/processimage.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fillFuzzStore();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString descriptor = fuzzText(data, size);
    const ImageOptions options = parseOptions(descriptor);
    if (!affordable(descriptor))
        return 0;
    const cv::Mat result = processImage(descriptor, false);
    const cv::Mat source = storedImage(options.index);
    if (source.empty() && !result.empty())
        fuzzFailure("a picture for an index outside the store");
    if (result.empty())
        return 0;
    if (result.type() != CV_8UC3 || !result.isContinuous())
        fuzzFailure("a result that is not gapless 8-bit RGB");
    if (options.crop && result.cols != options.maxWidth)
        fuzzFailure("a crop that is not maxWidth wide");
    if (!options.crop && result.size() != source.size())
        fuzzFailure("an uncropped result of another size");
    return 0;
}
