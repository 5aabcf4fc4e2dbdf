// Arbitrary bytes as a dropped file.
#include "core/imagestore.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace {
QTemporaryDir *folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Large pictures decode slowly and teach the search nothing new: a lower limit keeps it
    // fast while the refusal of larger headers is still exercised.
    qputenv("OPENCV_IO_MAX_IMAGE_PIXELS", "1048576");
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("dropped ü #1.img"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fuzzFailure("cannot write the temporary file");
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // The import's decoding step; appending to the store would only grow the process.
    const QUrl dropped = QUrl::fromLocalFile(path);
    const cv::Mat image = readImageFile(localPathFromUrl(dropped.toString()));
    if (!image.empty() && (image.type() != CV_8UC3 || image.total() > 1048576))
        fuzzFailure("an imported image that is not 8-bit RGB within the limit");
    return 0;
}
