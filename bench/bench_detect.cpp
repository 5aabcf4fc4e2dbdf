// How well the detectors find the object of real photos: a folder laid out as images, masks and a
// manifest.csv (name, dataset, image, mask, width, height, gt_x, gt_y, gt_w, gt_h, object_share,
// kind, note) is read, every photo goes through both detectors as a session puts it through them
// (Edges on the full image, Object on the import's reduced copy), and the boxes are held against
// the hand-made ones, per kind of photo. With --camera-size F the photos are first scaled up by
// F with a sensor's noise, as a camera of that many more pixels would give the same scene.
// A plain driver: bench_detect FOLDER [--camera-size F] [--only edges|object] [--list]
#include "image/decode.h"
#include "image/detection.h"
#include "image/objectdetection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {
struct Photo
{
    QString name;
    QString image;
    cv::Rect truth;
    QString kind;
};

std::vector<Photo> readManifest(const QString &folder)
{
    QFile file(folder + QStringLiteral("/manifest.csv"));
    std::vector<Photo> photos;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return photos;
    QTextStream in(&file);
    const QStringList header = in.readLine().split(QLatin1Char(','));
    const auto column = [&header](const char *name) { return header.indexOf(name); };
    const int name = column("name"), image = column("image"), x = column("gt_x"),
              y = column("gt_y"), w = column("gt_w"), h = column("gt_h"), kind = column("kind");
    while (!in.atEnd()) {
        const QStringList cells = in.readLine().split(QLatin1Char(','));
        if (cells.size() < header.size() - 1)
            continue;
        photos.push_back(
            {cells[name], folder + QLatin1Char('/') + cells[image],
             cv::Rect(cells[x].toInt(), cells[y].toInt(), cells[w].toInt(), cells[h].toInt()),
             cells[kind]});
    }
    return photos;
}

// The same scene from a sensor of factor² more pixels: resampled up (as soft as a lens that does
// not out-resolve the sensor) with the sensor's noise, the same noise on every run.
cv::Mat cameraSize(const cv::Mat &photo, double factor, int seed)
{
    // About what a current sensor shows at base ISO in 8 bits.
    constexpr double noiseLevel = 4.0;
    cv::Mat large;
    cv::resize(photo, large, cv::Size(), factor, factor, cv::INTER_LINEAR);
    cv::Mat noise(large.size(), CV_16SC3);
    cv::RNG rng(uint64(seed) + 1);
    rng.fill(noise, cv::RNG::NORMAL, 0, noiseLevel);
    cv::Mat noisy;
    cv::add(large, noise, noisy, cv::noArray(), CV_8UC3);
    return noisy;
}

struct Result
{
    double iou;
    bool holds;
    bool uncropped;
    bool smallObject;
    bool doubted;
    double confidence;
    double milliseconds;
};

struct Figures
{
    std::vector<Result> results;

    void print(const char *detector, const QString &kind) const
    {
        if (results.empty())
            return;
        std::vector<double> ious;
        int holds = 0, uncropped = 0, small = 0, smallUncropped = 0;
        int bad = 0, doubted = 0, badDoubted = 0;
        double iouSum = 0, time = 0;
        for (const Result &r : results) {
            ious.push_back(r.iou);
            iouSum += r.iou;
            holds += r.holds;
            uncropped += r.uncropped;
            small += r.smallObject;
            smallUncropped += r.smallObject && r.uncropped;
            const bool isBad = r.iou < 0.6;
            bad += isBad;
            doubted += r.doubted;
            badDoubted += isBad && r.doubted;
            time += r.milliseconds;
        }
        std::sort(ious.begin(), ious.end());
        const size_t n = ious.size();
        const double median = n % 2 ? ious[n / 2] : (ious[n / 2 - 1] + ious[n / 2]) / 2;
        const auto percent = [](int part, int whole) {
            return whole ? QString::number(100.0 * part / whole, 'f', 0) + '%'
                         : QStringLiteral("-");
        };
        std::printf("| %s | %s | %zu | %s | %.2f | %.2f | %s | %s (%d of %d) | %s | %s | %.1f |\n",
                    detector, qPrintable(kind), n, qPrintable(percent(holds, int(n))), median,
                    iouSum / n, qPrintable(percent(uncropped, int(n))),
                    qPrintable(percent(smallUncropped, small)), smallUncropped, small,
                    qPrintable(percent(badDoubted, bad)), qPrintable(percent(badDoubted, doubted)),
                    time / n);
    }
};

Result judge(const cv::Rect &box, bool doubted, double confidence, double milliseconds,
             const cv::Rect &truth, const cv::Size &size)
{
    const double overlap = (box & truth).area();
    const double united = box.area() + truth.area() - overlap;
    const double photo = double(size.area());
    // A crop that takes less than 2% of the photo away is no crop to the eye.
    constexpr double uncroppedShare = 0.98;
    // "Holds the object": at least 98% of the true box inside the found one.
    constexpr double holdsShare = 0.98;
    return {united > 0 ? overlap / united : 0,
            overlap >= holdsShare * truth.area(),
            box.area() >= uncroppedShare * photo,
            truth.area() < 0.5 * photo,
            doubted,
            confidence,
            milliseconds};
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    cv::setNumThreads(0);
    QStringList arguments = app.arguments().mid(1);
    double factor = 1;
    QString only;
    bool list = false;
    QString folder;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--camera-size") && i + 1 < arguments.size())
            factor = arguments[++i].toDouble();
        else if (arguments[i] == QLatin1String("--only") && i + 1 < arguments.size())
            only = arguments[++i];
        else if (arguments[i] == QLatin1String("--list"))
            list = true;
        else
            folder = arguments[i];
    }
    const std::vector<Photo> photos = readManifest(folder);
    if (photos.empty() || factor < 1) {
        std::fprintf(stderr,
                     "usage: bench_detect FOLDER [--camera-size F] [--only edges|object] [--list]\n"
                     "FOLDER holds manifest.csv, images/ and masks/ (the development photos are "
                     "in ../shared/detect-photos); none were found in '%s'.\n",
                     qPrintable(folder));
        return 2;
    }

    std::map<QString, Figures> edges;
    std::map<QString, Figures> object;
    int seed = 0;
    for (const Photo &photo : photos) {
        cv::Mat image = readImageFile(photo.image);
        if (image.empty()) {
            std::fprintf(stderr, "%s: could not be read\n", qPrintable(photo.image));
            continue;
        }
        cv::Rect truth = photo.truth;
        if (factor > 1) {
            image = cameraSize(image, factor, seed++);
            truth = cv::Rect(int(photo.truth.x * factor), int(photo.truth.y * factor),
                             int(photo.truth.width * factor), int(photo.truth.height * factor));
        }
        QElapsedTimer clock;
        if (only != QLatin1String("object")) {
            clock.start();
            const cv::Rect box = detectObjectBox(image);
            const double ms = clock.nsecsElapsed() / 1e6;
            const bool doubted = !cropDoubt(box, image.size()).isEmpty();
            const Result r = judge(box, doubted, 0, ms, truth, image.size());
            edges[photo.kind].results.push_back(r);
            edges[QStringLiteral("all")].results.push_back(r);
        }
        if (only != QLatin1String("edges")) {
            const cv::Mat reduced = reducedCopy(image);
            clock.start();
            const ObjectDetection found = detectObject(reduced);
            const double ms = clock.nsecsElapsed() / 1e6;
            const cv::Rect box = scaleBox(found.box, reduced.size(), image.size());
            const bool doubted = !objectDoubt(found).isEmpty();
            const Result r = judge(box, doubted, found.confidence, ms, truth, image.size());
            object[photo.kind].results.push_back(r);
            object[QStringLiteral("all")].results.push_back(r);
            if (list)
                std::printf("%s %s iou %.2f holds %d conf %.2f box %d,%d,%d,%d truth %d,%d,%d,%d\n",
                            qPrintable(photo.name), qPrintable(photo.kind), r.iou, r.holds,
                            found.confidence, box.x, box.y, box.width, box.height, truth.x, truth.y,
                            truth.width, truth.height);
        }
    }

    std::printf("\n%zu photos from %s%s\n\n", photos.size(), qPrintable(folder),
                factor > 1 ? qPrintable(QStringLiteral(", scaled up %1× with noise").arg(factor))
                           : "");
    std::printf("| detector | kind | photos | holds the object | median IoU | mean IoU | "
                "uncropped | uncropped, object under half | doubt recall | doubt precision | "
                "ms per photo |\n|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto &[kind, figures] : edges)
        figures.print("Edges", kind);
    for (const auto &[kind, figures] : object)
        figures.print("Object", kind);
    return 0;
}
