// Saving and opening a large session against a plain drop of the same files, in the same run:
// the GUI thread's share of a save (taking the session's state), the writer's share (the file's
// text and the write), and opening until every photo is listed again.
//
//   bench_sessionfile [--photos N] [--size WxH]      (defaults: 1000, 1200x800)
#include "image/processsetup.h"
#include "session/session.h"
#include "session/sessionfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QUrl>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
QString option(const QString &name, const QString &fallback)
{
    const QStringList arguments = QCoreApplication::arguments();
    const int at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : fallback;
}

// The median of five runs, in milliseconds.
double medianMs(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

// Milliseconds until signal fires after start.
template <typename Sender, typename Signal>
double until(Sender *sender, Signal signal, const std::function<void()> &start)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    start();
    loop.exec();
    return clock.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    setUpPhotoWorkers();
    const int count = option(QStringLiteral("--photos"), QStringLiteral("1000")).toInt();
    const QStringList size =
        option(QStringLiteral("--size"), QStringLiteral("1200x800")).split(QLatin1Char('x'));
    const cv::Size photoSize(size.value(0).toInt(), size.value(1).toInt());
    QTemporaryDir folder;
    std::printf("Writing %d photos of %dx%d...\n", count, photoSize.width, photoSize.height);
    std::fflush(stdout);
    QVariantList urls;
    for (int i = 0; i < count; ++i) {
        cv::Mat picture(photoSize, CV_8UC3, cv::Scalar(200, 180, 160));
        cv::rectangle(picture, {photoSize.width / 4 + i % 50, photoSize.height / 4,
                                photoSize.width / 2, photoSize.height / 2},
                      cv::Scalar(20, 40, 200 - i % 100), cv::FILLED);
        const QString path = folder.filePath(QStringLiteral("photo %1.jpg").arg(i));
        cv::imwrite(path.toStdString(), picture);
        urls << QUrl::fromLocalFile(path);
    }

    // A plain drop, once to warm the disk cache and once measured.
    Session dropped;
    until(dropped.importer(), &ImportJob::finished, [&] { dropped.importUrls(urls, true); });
    Session measured;
    const double drop =
        until(measured.importer(), &ImportJob::finished, [&] { measured.importUrls(urls); });

    // Every photo with choices of its own, a fifth of them paired.
    PhotoList *photos = measured.photos();
    for (int row = 0; row < count; ++row)
        photos->setOptions({row}, {{"crop", true},
                                   {"padding", row % 90},
                                   {"box", QStringLiteral("%1,10,300,200").arg(row % 40)},
                                   {"aspect", "4:5"}});
    QVariantList paired;
    for (int row = 0; row < count / 5; ++row)
        paired << photos->photoIndexAt(row);
    measured.pairs()->pairInOrder(paired);

    const QString file = folder.filePath(QStringLiteral("shoot.morvick2"));
    SessionState state;
    const double stateMs = medianMs([&] { state = measured.state(); });
    const double writeMs = medianMs([&] { writeSessionFile(file, state, nullptr); });
    // Save Session as the window does it: the GUI thread's part, and the whole until it is told.
    double saveGuiMs = 0;
    const double saveMs = until(&measured, &Session::saved, [&] {
        QElapsedTimer clock;
        clock.start();
        measured.saveFileInBackground(file);
        saveGuiMs = clock.nsecsElapsed() / 1e6;
    });
    Session opened;
    const double open = until(&opened, &Session::opened, [&] { opened.openFile(file, nullptr); });

    std::printf("\n%d photos of %dx%d, a session file of %lld KiB\n\n", count, photoSize.width,
                photoSize.height, QFileInfo(file).size() / 1024);
    std::printf("| What | time | against | ratio | goal |\n| --- | --- | --- | --- | --- |\n");
    std::printf("| save: the state taken on the GUI thread | %.1f ms | | | |\n", stateMs);
    std::printf("| save: the file's text and its write (autosave's writer thread) | %.1f ms | | | "
                "≤ 50 ms |\n",
                writeMs);
    std::printf("| Save Session: the GUI thread's part | %.1f ms | | | stall ≤ 50 ms |\n", saveGuiMs);
    std::printf("| Save Session: until the window is told | %.1f ms | | | |\n", saveMs);
    std::printf("| open → every photo listed | %.0f ms | plain drop %.0f ms | %.2f | ≤ 1.3 |\n",
                open, drop, open / drop);
    return opened.photos()->count() == count ? 0 : 1;
}
