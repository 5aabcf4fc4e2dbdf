// A whole photo session through the real window, offscreen: drop the photos, Select All, Crop, a
// padding step, Reset half the tiles, pair those at full size, export. Each step's time is
// printed beside the bare OpenCV work it is made of, measured in the same run on all cores, with
// the longest stall of the GUI thread's event loop and the peak resident memory beside its bound.
//
//   bench_session [--photos N] [--size WxH] [--folder DIR] [--budget MB] [--detect edges|object]
//                                     the session (defaults: 40, 6000x4000, the store's budget,
//                                     edges)
//   bench_session --make-photos N DIR [--size WxH]           only write the photos
#include "image/export.h"
#include "image/framing.h"
#include "image/imageoptions.h"
#include "image/processsetup.h"
#include "quick/registration.h"
#include "session/session.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent>
#include <QtQml>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <random>

namespace {
// A camera-like photo: a soft gradient with sensor noise and an object somewhere near the middle.
cv::Mat photo(const cv::Size &size, int seed)
{
    std::mt19937 random{unsigned(seed)};
    cv::Mat picture(size, CV_8UC3);
    for (int y = 0; y < size.height; ++y)
        picture.row(y).setTo(
            cv::Scalar(80 + 60 * y / size.height, 100 + seed % 40, 150 - 50 * y / size.height));
    cv::Mat noise(size, CV_8UC3);
    cv::randn(noise, 0, 5);
    picture += noise;
    const cv::Point centre(size.width / 3 + int(random() % unsigned(size.width / 3)),
                           size.height / 3 + int(random() % unsigned(size.height / 3)));
    const cv::Size axes(size.width / 6 + int(random() % unsigned(size.width / 10)),
                        size.height / 6 + int(random() % unsigned(size.height / 10)));
    cv::ellipse(picture, centre, axes, double(random() % 90), 0, 360,
                cv::Scalar(200, 40 + seed % 100, 30), cv::FILLED);
    cv::rectangle(picture, cv::Rect(centre - cv::Point(axes.width / 2, axes.height / 2), axes),
                  cv::Scalar(20, 20, 20), std::max(4, size.width / 500));
    return picture;
}

QStringList makePhotos(const QString &folder, int count, const cv::Size &size)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << QDir(folder).filePath(QStringLiteral("IMG_%1.jpg").arg(1000 + i));
    QtConcurrent::blockingMap(paths, [&](const QString &path) {
        const int seed = paths.indexOf(path);
        if (!QFile::exists(path))
            cv::imwrite(QFile::encodeName(path).toStdString(), photo(size, seed),
                        {cv::IMWRITE_JPEG_QUALITY, 92});
    });
    return paths;
}

qint64 fileBytes(const QStringList &paths)
{
    qint64 total = 0;
    for (const QString &path : paths)
        total += QFileInfo(path).size();
    return total;
}

// The process's peak resident memory since the last reset, in bytes.
qint64 peakResident()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

class UrlSink : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &) {}
};

// The longest time the GUI thread's event loop went without turning, while it is watched.
class StallWatch : public QObject
{
public:
    StallWatch()
    {
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_longest = m_longestBefore = 0;
        m_timer.start();
    }
    double longestMs() const { return std::max(m_longest, m_longestBefore) / 1e6; }
    // The longest since the last lap, in ms, and a new lap begun.
    double lap()
    {
        const double longest = m_longest / 1e6;
        m_longestBefore = std::max(m_longestBefore, m_longest);
        m_longest = 0;
        return longest;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_longestBefore = 0;
};

class WindowDriver
{
public:
    explicit WindowDriver(QQuickWindow *window) : m_window(window) {}

    QObject *byId(const char *id) const
    {
        return qmlContext(m_window)->contextProperty(QLatin1String(id)).value<QObject *>();
    }

    QList<QQuickItem *> tiles(const char *page) const
    {
        QList<QQuickItem *> found;
        QQuickItem *repeater = byId(page)->findChild<QQuickItem *>(QStringLiteral("repeater"));
        const int count = repeater ? repeater->property("count").toInt() : 0;
        for (int i = 0; i < count; ++i) {
            QQuickItem *tile = nullptr;
            QMetaObject::invokeMethod(repeater, "itemAt", Q_RETURN_ARG(QQuickItem *, tile),
                                      Q_ARG(int, i));
            found << tile;
        }
        return found;
    }

    // Every image item in the visual tree below root shows its current source.
    static bool allShown(QObject *root, int expected)
    {
        int ready = 0;
        std::function<bool(QQuickItem *)> visit = [&](QQuickItem *item) {
            if (item->inherits("QQuickImage")) {
                if (item->property("status").toInt() != 1) // Image.Ready
                    return false;
                ++ready;
            }
            const QList<QQuickItem *> children = item->childItems();
            return std::all_of(children.begin(), children.end(), visit);
        };
        return visit(qobject_cast<QQuickItem *>(root)) && ready >= expected;
    }

    // Every tile of the edit page shows what it asks for, found boxes included.
    bool tilesShown() const
    {
        const QList<QQuickItem *> all = tiles("editPage");
        return std::all_of(all.begin(), all.end(), [](QQuickItem *tile) {
            const QQuickItem *image = tile->findChild<QQuickItem *>(QStringLiteral("image"));
            return image && !tile->property("finding").toBool() &&
                   image->property("status").toInt() == 1 && // Image.Ready
                   image->property("source").toUrl().toString() ==
                       tile->property("source").toString();
        });
    }

    // Runs the event loop until done() holds; the seconds it took.
    static double until(const std::function<bool()> &done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return timer.nsecsElapsed() / 1e9;
    }

    void click(const char *id) { QMetaObject::invokeMethod(byId(id), "clicked"); }
    void press(const char *objectName)
    {
        QObject *button = byId("editPage")->findChild<QObject *>(QLatin1String(objectName));
        QMetaObject::invokeMethod(button, "clicked");
    }

    void drop(const QStringList &paths)
    {
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        QMimeData data;
        data.setUrls(urls);
        const QPoint where(m_window->width() / 2, m_window->height() / 2);
        QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window, &enter);
        QDropEvent dropped(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window, &dropped);
    }

private:
    QQuickWindow *m_window;
};

void row(const char *what, double ours, double bare, const char *goal)
{
    std::printf("| %s | %.2f s | %.2f s | %.2f | %s |\n", what, ours, bare,
                bare > 0 ? ours / bare : 0.0, goal);
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Morvick2"));
    QStringList arguments = app.arguments();
    auto option = [&arguments](const QString &name, const QString &fallback) {
        const int at = arguments.indexOf(name);
        return at > 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : fallback;
    };
    const QStringList sizeText =
        option(QStringLiteral("--size"), QStringLiteral("6000x4000")).split(QLatin1Char('x'));
    const cv::Size size(sizeText.value(0).toInt(), sizeText.value(1).toInt());
    if (arguments.contains(QStringLiteral("--make-photos"))) {
        const int at = arguments.indexOf(QStringLiteral("--make-photos"));
        makePhotos(arguments.value(at + 2), arguments.value(at + 1).toInt(), size);
        return 0;
    }
    const int count = option(QStringLiteral("--photos"), QStringLiteral("40")).toInt();
    const qint64 budget =
        option(QStringLiteral("--budget"), QString::number(PhotoStore::defaultBudget >> 20))
            .toLongLong()
        << 20;
    // As the application runs.
    setUpPhotoWorkers();
    QTemporaryDir scratch;
    const QString folder = option(QStringLiteral("--folder"), scratch.filePath("photos"));
    std::printf("Writing %d photos of %dx%d into %s...\n", count, size.width, size.height,
                qPrintable(folder));
    std::fflush(stdout);
    const QStringList paths = makePhotos(folder, count, size);
    const qint64 filesTotal = fileBytes(paths);

    // The session, through the window the application shows.
    resetPeakResident();
    QQmlApplicationEngine engine;
    Session *photoSession = registerWithEngine(&engine);
    photoSession->store().setBudget(budget);
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    // As Set as Default leaves it: the photos dropped start with the detector.
    const Detector detector = parseDetector(option(QStringLiteral("--detect"), "edges"));
    photoSession->photos()->setDefaults({{QStringLiteral("detect"), detectorName(detector)}});
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    window->setVisibility(QWindow::Windowed);
    window->resize(1600, 1000);
    // The export ends by showing the folder: not here.
    UrlSink opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    WindowDriver driver(window);
    WindowDriver::until([&] { return window->isExposed() && window->width() == 1600; });
    StallWatch stalls;
    stalls.start();

    driver.drop(paths);
    QObject *importPage = driver.byId("importPage");
    const double thumbnails =
        WindowDriver::until([&] { return WindowDriver::allShown(importPage, count); });
    // Each step's own longest stall of the GUI thread and its own peak of resident memory.
    QStringList stallSteps;
    QStringList peakSteps;
    qint64 peak = 0;
    const auto endStep = [&](const char *name) {
        stallSteps << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(stalls.lap(), 0, 'f', 0);
        const qint64 stepPeak = peakResident();
        peakSteps
            << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(stepPeak / 1e6, 0, 'f', 0);
        peak = std::max(peak, stepPeak);
        resetPeakResident();
    };
    endStep("drop");
    driver.click("toEdit");
    WindowDriver::until([&] { return driver.tiles("editPage").size() == count; });

    QObject *editPage = driver.byId("editPage");
    driver.press("selectAll");
    // Two clicks: the event loop turns between them.
    QCoreApplication::processEvents();
    driver.press("crop");
    const double crop = WindowDriver::until([&] { return driver.tilesShown(); });
    endStep("crop");

    // One step from where the remembered slider stands.
    QObject *slider = editPage->findChild<QObject *>(QStringLiteral("padding"));
    const int before = slider->property("value").toInt();
    slider->setProperty("value", before < 100 ? before + 10 : before - 10);
    const double padding = WindowDriver::until([&] { return driver.tilesShown(); });
    endStep("padding");

    // Half the photos are reset and paired with each other at full size (twenty of forty), the
    // export's largest pictures (12000 × 4000 from 24 MP photos).
    const int pairCount = count / 4;
    driver.press("deselectAll");
    const QList<QQuickItem *> editTiles = driver.tiles("editPage");
    for (int i = 0; i < 2 * pairCount; ++i)
        editTiles.at(i)->setProperty("selected", true);
    driver.press("reset");
    const double reset = WindowDriver::until([&] { return driver.tilesShown(); });
    endStep("reset");

    driver.click("toStitch");
    QObject *stitch = driver.byId("stitch");
    WindowDriver::until([&] { return driver.tiles("stitch").size() == count; });
    // A pair is chosen by store indices.
    const QVariantList sources = stitch->property("sources").toList();
    const auto photoOf = [&sources](int tile) {
        return QVariant(parseOptions(descriptorOfUrl(sources.at(tile).toString())).index);
    };
    // A click at a time, the event loop turning between them as between a user's clicks.
    for (int i = 0; i < pairCount; ++i) {
        QMetaObject::invokeMethod(stitch, "choose", Q_ARG(QVariant, photoOf(i)));
        QCoreApplication::processEvents();
        QMetaObject::invokeMethod(stitch, "choose", Q_ARG(QVariant, photoOf(pairCount + i)));
        QCoreApplication::processEvents();
    }
    endStep("pairing");
    QTemporaryDir out;
    QMetaObject::invokeMethod(stitch, "exportFiles",
                              Q_ARG(QVariant, QUrl::fromLocalFile(out.path())));
    const double written =
        WindowDriver::until([&] { return !photoSession->exporter()->running(); });
    endStep("export");
    const double exported = written + WindowDriver::until([&] { return !window->isVisible(); });
    endStep("close");
    const double longestStall = stalls.longestMs();

    // The same work done bare, on all cores, each task with its own photos only.
    QVector<int> indices(paths.size());
    std::iota(indices.begin(), indices.end(), 0);
    const auto decode = [&paths](int i) {
        return cv::imread(QFile::encodeName(paths.at(i)).toStdString());
    };
    const double bareDecode =
        seconds([&] { QtConcurrent::blockingMap(indices, [&](int i) { decode(i); }); });
    const double bareDetect = seconds([&] {
        QtConcurrent::blockingMap(indices, [&](int i) {
            if (detector == Detector::Object) {
                // The reduced decode the import makes, and the reduction and colour conversion
                // the object detector starts with.
                const cv::Mat reduced = cv::imread(QFile::encodeName(paths.at(i)).toStdString(),
                                                   cv::IMREAD_REDUCED_COLOR_8);
                cv::Mat small;
                cv::resize(reduced, small, cv::Size(128, 85), 0, 0, cv::INTER_AREA);
                small.convertTo(small, CV_32FC3, 1.0 / 255.0);
                cv::cvtColor(small, small, cv::COLOR_BGR2Lab);
                return;
            }
            cv::Mat work;
            cv::cvtColor(decode(i), work, cv::COLOR_BGR2GRAY);
            cv::blur(work, work, {5, 5});
            cv::Canny(work, work, 60, 300, 5);
            cv::blur(work, work, {5, 5});
            std::vector<std::vector<cv::Point>> contours;
            cv::findContours(work, contours, cv::RETR_TREE, cv::CHAIN_APPROX_SIMPLE);
        });
    });
    // An output's halves: the descriptor of each photo, whose box the session found.
    QVector<QStringList> outputs;
    for (int i = 2 * pairCount; i < count; ++i)
        outputs.append({descriptorOfUrl(sources.at(i).toString())});
    for (int i = 0; i < pairCount; ++i)
        outputs.append({descriptorOfUrl(sources.at(i).toString()),
                        descriptorOfUrl(sources.at(pairCount + i).toString())});
    const auto bareHalf = [&](const QString &descriptor) {
        const ImageOptions options = parseOptions(descriptor);
        cv::Mat photo = decode(options.index);
        if (!options.crop)
            return photo;
        const Framing framing =
            frameImage(options, photo.size(),
                       photoSession->store().detectedBox(options.index, options.detector));
        cv::Mat scaled;
        cv::resize(photo(framing.region), scaled, framing.size);
        return scaled;
    };
    const double bareEncode = seconds([&] {
        QtConcurrent::blockingMap(outputs, [&](const QStringList &halves) {
            cv::Mat image = bareHalf(halves.at(0));
            if (halves.size() == 2) {
                cv::Mat right = bareHalf(halves.at(1));
                cv::resize(right, right, cv::Size(right.cols, image.rows));
                cv::hconcat(image, right, image);
            }
            std::vector<uchar> png;
            cv::imencode(".png", image, png);
        });
    });

    // One 12 MP photo written as PNG: the export and the bare calls it replaces (the encoder alone
    // is measured by bench_processimage).
    cv::Mat photo12 = cv::imread(QFile::encodeName(paths.first()).toStdString());
    cv::resize(photo12, photo12, cv::Size(4000, 3000), 0, 0, cv::INTER_AREA);
    cv::cvtColor(photo12, photo12, cv::COLOR_BGR2RGB);
    auto median = [](const std::function<void()> &work) {
        std::vector<double> times;
        for (int i = 0; i < 5; ++i)
            times.push_back(seconds(work));
        std::sort(times.begin(), times.end());
        return times[2];
    };
    const QString stem = QStringLiteral("photo12");
    const double bareWrite = median([&] {
        cv::Mat bgr;
        cv::cvtColor(photo12, bgr, cv::COLOR_RGB2BGR);
        cv::imwrite(QFile::encodeName(out.filePath("bare.png")).toStdString(), bgr);
    });
    const double ourWrite = median([&] { exportImage(photo12, out.path(), stem); });
    cv::Mat readBack = cv::imread(QFile::encodeName(out.filePath(stem + ".png")).toStdString());
    cv::cvtColor(readBack, readBack, cv::COLOR_BGR2RGB);
    const bool identical = cv::norm(readBack, photo12, cv::NORM_INF) == 0;

    std::printf("\n%d photos of %dx%d, %d threads\n\n", count, size.width, size.height,
                QThread::idealThreadCount());
    std::printf("| Step | Morvick2 | bare OpenCV, all cores | ratio | goal |\n");
    std::printf("| --- | --- | --- | --- | --- |\n");
    row("drop → all thumbnails", thumbnails, bareDecode, "≤ 1.3 × decode");
    if (detector == Detector::Object)
        row("Select All, Crop (Object) → all previews", crop, bareDetect,
            "≤ 3 s for 200 photos (bare: reduced decode + reduction)");
    else
        row("Select All, Crop → all previews", crop, bareDetect, "≤ 1.3 × (decode + detect)");
    std::printf("| a padding step → all previews | %.0f ms | | | ≤ 200 ms |\n", padding * 1000);
    std::printf("| Reset %d tiles → all previews | %.0f ms | | | |\n", 2 * pairCount, reset * 1000);
    const QByteArray exportStep = QStringLiteral("export %1 cropped + %2 full-size pairs")
                                      .arg(count - 2 * pairCount)
                                      .arg(pairCount)
                                      .toUtf8();
    row(exportStep.constData(), exported, bareEncode, "≤ 1.3 × (decode + crop + encode)");
    std::printf("| longest event-loop stall | %.0f ms | by step, ms: %s | | ≤ 50 ms |\n",
                longestStall, qPrintable(stallSteps.join(QStringLiteral(", "))));
    std::printf("| peak resident memory | %.0f MB (by step, MB: %s) | files + 512 MB = %.0f MB | "
                "%.2f | ≤ 1 |\n",
                peak / 1e6, qPrintable(peakSteps.join(QStringLiteral(", "))),
                (filesTotal + (qint64(512) << 20)) / 1e6,
                double(peak) / double(filesTotal + (qint64(512) << 20)));
    std::printf("| image cache budget | %.0f MB | | | |\n", budget / 1e6);
    std::printf("\nOne 12 MP photo as PNG, medians of 5\n\n");
    std::printf(
        "| What | Morvick2 | bare OpenCV | ratio | goal |\n| --- | --- | --- | --- | --- |\n");
    row("full-size export (file written)", ourWrite, bareWrite, "≤ 1.05 × cvtColor + imwrite");
    std::printf("| pixels read back | %s | | | identical |\n",
                identical ? "identical" : "DIFFERENT");
    return 0;
}

#include "bench_session.moc"
