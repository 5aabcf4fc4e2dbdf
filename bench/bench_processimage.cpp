// The crop pipeline and a preview on a 12-megapixel picture, each beside the bare OpenCV and Qt
// calls it is made of: the ratio shows what our own code adds.
#include "image/framing.h"
#include "image/pngwriter.h"
#include "image/processsetup.h"
#include "quick/cvimageprovider.h"
#include "session/session.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {
// A photo-like picture: a soft gradient with sensor noise and a textured object off centre.
cv::Mat photo()
{
    cv::Mat picture(3000, 4000, CV_8UC3);
    for (int y = 0; y < picture.rows; ++y)
        picture.row(y).setTo(cv::Scalar(90 + y / 40, 110 + y / 50, 130 - y / 60));
    cv::Mat noise(picture.size(), CV_8UC3);
    cv::randn(noise, 0, 6);
    picture += noise;
    cv::ellipse(picture, {2300, 1400}, {900, 650}, 20, 0, 360, {220, 60, 40}, cv::FILLED);
    cv::rectangle(picture, {1900, 1100}, {2500, 1600}, {30, 30, 30}, 12);
    return picture;
}

Session &session()
{
    static Session shared;
    return shared;
}

int photoIndex()
{
    static const int index = session().store().addImage(photo());
    return index;
}

void ProcessImageCrop(benchmark::State &state)
{
    const QString descriptor = QString::number(photoIndex()) + "#crop=1&padding=50&maxWidth=400";
    for (auto _ : state)
        benchmark::DoNotOptimize(session().store().render(descriptor));
}

void BareOpenCvCrop(benchmark::State &state)
{
    const cv::Mat source = session().store().image(photoIndex());
    for (auto _ : state) {
        cv::Mat work = source.clone();
        cv::cvtColor(work, work, cv::COLOR_RGB2GRAY);
        cv::blur(work, work, {5, 5});
        cv::Canny(work, work, 60, 300, 5);
        cv::blur(work, work, {5, 5});
        std::vector<std::vector<cv::Point>> contours;
        std::vector<cv::Vec4i> hierarchy;
        cv::findContours(work, contours, hierarchy, cv::RETR_TREE, cv::CHAIN_APPROX_SIMPLE);
        cv::Rect box;
        double best = 0;
        for (const auto &contour : contours) {
            const double area = cv::contourArea(contour);
            if (area > best) {
                best = area;
                box = cv::boundingRect(contour);
            }
        }
        box = (box - cv::Point(50, 50) + cv::Size(100, 100)) & cv::Rect({}, source.size());
        cv::Mat cutOut = source(box).clone();
        cv::resize(cutOut, cutOut, {400, int(cutOut.rows * (400.0 / cutOut.cols))});
        benchmark::DoNotOptimize(cutOut.clone());
    }
}

// A 2000 × 2000 picture of a square object's crop: unframed (a square padded box scaled to 2000
// wide), then framed square to that exact size with the object filling 85%, the frame within the
// photo (argument 0) and reaching beyond its edge (1).
void UnframedCrop(benchmark::State &state)
{
    const cv::Mat source = session().store().image(photoIndex());
    ImageOptions options;
    options.crop = true;
    options.padding = 124;
    options.maxWidth = 2000;
    for (auto _ : state)
        benchmark::DoNotOptimize(processPhoto(source, options, {1500, 800, 1400, 1400}));
}

void FramedCrop(benchmark::State &state)
{
    const cv::Mat source = session().store().image(photoIndex());
    ImageOptions options;
    options.crop = true;
    options.aspect = {1, 1};
    options.fill = 85;
    options.exactSize = {2000, 2000};
    const cv::Rect box =
        state.range(0) ? cv::Rect(2600, 1600, 1400, 1400) : cv::Rect(1500, 800, 1400, 1400);
    for (auto _ : state)
        benchmark::DoNotOptimize(processPhoto(source, options, box));
}

void Preview(benchmark::State &state)
{
    CvImageProvider provider(&session());
    const QString id = QString::number(photoIndex());
    for (auto _ : state)
        benchmark::DoNotOptimize(provider.requestPixmap(id, nullptr, {200, 200}));
}

void BarePreview(benchmark::State &state)
{
    const cv::Mat source = session().store().image(photoIndex());
    for (auto _ : state) {
        const cv::Mat copy = source.clone();
        const QImage wrapper(copy.data, copy.cols, copy.rows, int(copy.step),
                             QImage::Format_RGB888);
        benchmark::DoNotOptimize(QPixmap::fromImage(
            wrapper.scaled(200, 200, Qt::KeepAspectRatio, Qt::FastTransformation)));
    }
}
// The 12 MP photo as a PNG file's bytes: our writer, and OpenCV's from the same RGB pixels (its
// colour swap included, which ours does not need). Argument 0 writes the photo as made, its
// sensor noise untouched (the hardest case for deflate); 1 writes it as decoded from a JPEG of
// quality 92, which is what a camera's photo is when it is exported. The counter "bytes" is the
// file's size.
cv::Mat pngSource(int64_t asDecodedJpeg)
{
    const cv::Mat source = session().store().image(photoIndex());
    if (!asDecodedJpeg)
        return source;
    std::vector<uchar> jpeg;
    cv::imencode(".jpg", source, jpeg, {cv::IMWRITE_JPEG_QUALITY, 92});
    return cv::imdecode(jpeg, cv::IMREAD_COLOR);
}

void PngWriter(benchmark::State &state)
{
    const cv::Mat source = pngSource(state.range(0));
    std::vector<uchar> png;
    for (auto _ : state)
        png = encodePng(source);
    state.counters["bytes"] = double(png.size());
}

void BarePngWriter(benchmark::State &state)
{
    const cv::Mat source = pngSource(state.range(0));
    std::vector<uchar> png;
    for (auto _ : state) {
        cv::Mat bgr;
        cv::cvtColor(source, bgr, cv::COLOR_RGB2BGR);
        cv::imencode(".png", bgr, png);
    }
    state.counters["bytes"] = double(png.size());
}

// Wall time in milliseconds, the aggregates of 9 runs.
void measured(benchmark::internal::Benchmark *run)
{
    run->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
}
} // namespace

BENCHMARK(ProcessImageCrop)->Apply(measured);
BENCHMARK(BareOpenCvCrop)->Apply(measured);
BENCHMARK(UnframedCrop)->Apply(measured);
BENCHMARK(FramedCrop)->Arg(0)->Arg(1)->Apply(measured);
BENCHMARK(Preview)->Apply(measured);
BENCHMARK(BarePreview)->Apply(measured);
BENCHMARK(PngWriter)->Arg(0)->Arg(1)->Apply(measured);
BENCHMARK(BarePngWriter)->Arg(0)->Arg(1)->Apply(measured);

int main(int argc, char **argv)
{
    // Pixmaps need a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // As in the application: one core a picture.
    setUpPhotoWorkers();
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
