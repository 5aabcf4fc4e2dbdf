// What photos of today's cameras and phones cost to import: a 24-megapixel HEIC and RAW file
// against the tools of the libraries that decode them (libheif's heif-convert, LibRaw's
// dcraw_emu with the same settings), run on the same files in the same run, and both beside a
// JPEG of the same size. A plain driver: each figure is the median of three runs.
#include "image/decode.h"
#include "session/photostore.h"
#include "support/testimages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double median(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// Runs a tool to its end; false when it cannot be started or fails.
bool runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A camera-like scene: an object on a gradient, with noise, so that no codec has it easy.
cv::Mat scene(const cv::Size &size)
{
    cv::Mat image(size, CV_8UC3);
    cv::randu(image, 0, 40);
    for (int y = 0; y < size.height; ++y) {
        auto *row = image.ptr<cv::Vec3b>(y);
        for (int x = 0; x < size.width; ++x)
            row[x] += cv::Vec3b(uchar(x * 200 / size.width), uchar(y * 200 / size.height), 90);
    }
    cv::rectangle(image, cv::Rect(size.width / 4, size.height / 4, size.width / 2, size.height / 2),
                  cv::Scalar(230, 200, 30), cv::FILLED);
    return image;
}

void row(const char *what, double ours, double theirs, const char *goal)
{
    std::printf("| %s | %.2f s | %.2f s | %.2f | %s |\n", what, ours, theirs, ours / theirs, goal);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const cv::Size size(6000, 4000);
    QTemporaryDir folder;
    std::fprintf(stderr, "Writing a %dx%d photo as JPEG, HEIC and DNG into %s...\n", size.width,
                 size.height, qPrintable(folder.path()));
    const cv::Mat photo = scene(size);
    cv::Mat fileOrder;
    cv::cvtColor(photo, fileOrder, cv::COLOR_RGB2BGR);
    const QByteArray jpeg = encoded(".jpg", fileOrder);
    const QByteArray heif = heic(photo);
    const QByteArray raw = dngFile(photo);
    const QString heifPath = writeFile(folder.filePath("photo.heic"), heif);
    const QString rawPath = writeFile(folder.filePath("photo.dng"), raw);

    const double ourHeif = median([&] { decodeImage(heif); });
    const double heifConvert = median([&] {
        if (!runTool("heif-convert", {"--quiet", heifPath, folder.filePath("photo.y4m")}))
            std::fprintf(stderr, "heif-convert failed\n");
    });
    const double ourRaw = median([&] { decodeImage(raw); });
    // dcraw_emu's defaults are ours: sRGB, 8 bits; -w takes the camera's white balance.
    const double dcrawEmu = median([&] {
        if (!runTool("dcraw_emu", {"-w", "-o", "1", rawPath}))
            std::fprintf(stderr, "dcraw_emu failed\n");
    });
    const double jpegDecode = median([&] { decodeImage(jpeg); });
    const double jpegImport = median([&] { PhotoStore::prepare(jpeg); });
    const double heifImport = median([&] { PhotoStore::prepare(heif); });
    const double rawImport = median([&] { PhotoStore::prepare(raw); });

    std::printf("\nOne %dx%d photo, medians of 3 (libheif decodes on threads of its own)\n\n",
                size.width, size.height);
    std::printf("| What | Morvick2 | the library's own tool | ratio | goal |\n");
    std::printf("| --- | --- | --- | --- | --- |\n");
    row("HEIC, full decode (vs heif-convert to Y4M)", ourHeif, heifConvert, "≤ 1.5");
    row("DNG, full decode (vs dcraw_emu -w -o 1)", ourRaw, dcrawEmu, "≤ 1.3");
    std::printf("\n| Import (thumbnail, size, kept file) | time | beside the JPEG's |\n");
    std::printf("| --- | --- | --- |\n");
    std::printf("| JPEG, %.1f MB | %.2f s (full decode %.2f s) | 1.00 |\n", jpeg.size() / 1e6,
                jpegImport, jpegDecode);
    std::printf("| HEIC, %.1f MB | %.2f s | %.2f |\n", heif.size() / 1e6, heifImport,
                heifImport / jpegImport);
    std::printf("| DNG, %.1f MB | %.2f s | %.2f |\n", raw.size() / 1e6, rawImport,
                rawImport / jpegImport);
    return 0;
}
