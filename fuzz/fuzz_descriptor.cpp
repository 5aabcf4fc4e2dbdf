// Guards parsing and cropping against crashes and undefined behaviour on any descriptor text.
#include "fuzzsupport.h"
#include "image/imageoptions.h"
#include "session/session.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzSession();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString descriptor = fuzzText(data, size);
    const ImageOptions options = parseOptions(descriptor);
    if (!affordable(descriptor))
        return 0;
    PhotoStore &store = fuzzSession().store();
    const cv::Mat result = store.render(descriptor);
    const cv::Mat source = store.image(options.index);
    if (source.empty() && !result.empty())
        fuzzFailure("a picture for an index outside the store");
    if (result.empty())
        return 0;
    if (result.type() != CV_8UC3 || !result.isContinuous())
        fuzzFailure("a result that is not gapless 8-bit RGB");
    if (!options.exactSize.empty() && result.size() != options.exactSize)
        fuzzFailure("a frame of another size than the exact one");
    if (isFramed(options))
        return 0;
    if (options.crop && !options.originalSize && !options.noEnlarge &&
        result.cols != options.maxWidth)
        fuzzFailure("a crop that is not maxWidth wide");
    if (!options.crop && options.quarterTurns % 2 == 0 && result.size() != source.size())
        fuzzFailure("an uncropped result of another size");
    return 0;
}
