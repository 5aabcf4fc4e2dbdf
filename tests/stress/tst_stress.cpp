// Races between the store, the previews and the background jobs: previews requested from other
// threads while photos are imported, and imports, detections, asynchronous previews and exports
// running together with cancels at random points. Every answer is null or the right picture;
// every file on disk is whole and right.
#include "core/cvimage.h"
#include "core/exportnames.h"
#include "core/imagestore.h"
#include "core/processimage.h"
#include "core/stitch.h"
#include "providers/cvimageprovider.h"
#include "providers/cvstitchprovider.h"
#include "support/testimages.h"

#include <QQuickImageResponse>
#include <QtTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {
constexpr int imageCount = 48;
constexpr int threadCount = 4;
// Requests each thread still makes once every image is in the store.
constexpr int requestsAfterImport = 200;

cv::Vec3b colourOf(int i)
{
    return cv::Vec3b(uchar(40 + 4 * i), uchar(255 - 5 * i), uchar(i % 2 ? 200 : 10));
}

cv::Size sizeOf(int i)
{
    return cv::Size(160 + 13 * i, 120 + 7 * (i % 9));
}

QRgb rgbOf(int i)
{
    const cv::Vec3b c = colourOf(i);
    return qRgb(c[0], c[1], c[2]);
}

// Every pixel of the preview is one of the allowed colours.
bool onlyColours(const QImage &image, QRgb left, QRgb right, QRgb *first, QRgb *last)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    *first = rgb.pixel(0, 0) & 0xffffff;
    *last = rgb.pixel(rgb.width() - 1, rgb.height() - 1) & 0xffffff;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = line[x] & 0xffffff;
            if (pixel != (left & 0xffffff) && pixel != (right & 0xffffff))
                return false;
        }
    }
    return true;
}
} // namespace

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    // OpenCV's own worker threads hand work over in code the race detector cannot see; ours are
    // what is under test, so OpenCV runs each call on the thread that makes it.
    void initTestCase() { cv::setNumThreads(0); }
    void previewsWhileImporting();
    void workersTogether();
};

void TestStress::previewsWhileImporting()
{
    QTemporaryDir folder;
    QList<QUrl> files;
    for (int i = 0; i < imageCount; ++i) {
        const cv::Size size = sizeOf(i);
        files << QUrl::fromLocalFile(
            writeImageFile(folder.path(), QStringLiteral("%1.png").arg(i),
                           plainImage(size.width, size.height, colourOf(i))));
    }
    const int base = storedImageCount();

    std::atomic<bool> imported{false};
    std::atomic<int> pictures{0}, nulls{0};
    std::mutex failureMutex;
    QStringList failures;
    auto fail = [&](const QString &what) {
        const std::lock_guard<std::mutex> lock(failureMutex);
        failures << what;
    };

    auto requester = [&](unsigned seed) {
        CvImageProvider previews;
        CvStitchProvider pairs;
        std::mt19937 random(seed);
        for (int after = 0; after < requestsAfterImport; after += imported ? 1 : 0) {
            const int i = int(random() % imageCount), j = int(random() % imageCount);
            const QPixmap preview = previews.requestPixmap(QString::number(base + i), nullptr, {});
            if (preview.isNull()) {
                ++nulls;
            } else {
                ++pictures;
                QRgb first, last;
                const QSize expected =
                    QSize(sizeOf(i).width, sizeOf(i).height).scaled(200, 200, Qt::KeepAspectRatio);
                if (preview.size() != expected ||
                    !onlyColours(preview.toImage(), rgbOf(i), rgbOf(i), &first, &last))
                    fail(QStringLiteral("preview of image %1").arg(i));
            }
            const QPixmap pair = pairs.requestPixmap(
                QStringLiteral("%1#crop=0*%2#crop=0").arg(base + i).arg(base + j), nullptr, {});
            if (pair.isNull()) {
                ++nulls;
            } else {
                ++pictures;
                QRgb first, last;
                const QSize joined(sizeOf(i).width + sizeOf(j).width, sizeOf(i).height);
                if (pair.size() != joined.scaled(400, 200, Qt::KeepAspectRatio) ||
                    !onlyColours(pair.toImage(), rgbOf(i), rgbOf(j), &first, &last) ||
                    first != (rgbOf(i) & 0xffffff) || last != (rgbOf(j) & 0xffffff))
                    fail(QStringLiteral("pair of images %1 and %2").arg(i).arg(j));
            }
        }
    };

    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back(requester, unsigned(t + 1));
    CvImage images;
    for (const QUrl &file : files)
        images.addImage(file);
    imported = true;
    for (std::thread &thread : threads)
        thread.join();

    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    QCOMPARE(images.imageArray().size(), imageCount);
    QVERIFY(pictures > 0);
    qInfo("%d pictures and %d null pixmaps from %d threads while %d images were imported",
          pictures.load(), nulls.load(), threadCount, imageCount);
}

void TestStress::workersTogether()
{
    QTemporaryDir folder;
    QVariantList files;
    constexpr int photoCount = 24;
    for (int i = 0; i < photoCount; ++i) {
        const cv::Mat photo = objectImage({500 + 10 * i, 400}, {100 + 5 * i, 80, 200, 150},
                                          colourOf(i), colourOf(i + 1));
        files << QUrl::fromLocalFile(
            writeImageFile(folder.path(), QStringLiteral("%1.png").arg(i), photo));
    }
    CvImage images;
    CvImageProvider previews;
    CvStitchProvider pairs;
    std::mt19937 random(7);
    const int base = storedImageCount();
    QSignalSpy imported(images.importer(), &ImportJob::finished);
    images.importUrls(files);

    // Previews of photos arriving, being detected and exported, some cancelled at once.
    std::vector<std::unique_ptr<QQuickImageResponse>> responses;
    size_t answered = 0;
    auto requestPreviews = [&] {
        for (int k = 0; k < 4; ++k) {
            const int i = base + int(random() % photoCount);
            const QString id = QStringLiteral("%1#crop=1&padding=%2").arg(i).arg(random() % 60);
            responses.emplace_back(random() % 2 ? previews.requestImageResponse(id, {})
                                                : pairs.requestImageResponse(id + '*' + id, {}));
            connect(responses.back().get(), &QQuickImageResponse::finished, this,
                    [&answered] { ++answered; });
            if (random() % 3 == 0)
                responses.back()->cancel();
        }
    };
    while (imported.isEmpty()) {
        requestPreviews();
        QTest::qWait(10);
    }

    QStringList singles;
    for (int i = 0; i < photoCount; ++i)
        singles << QStringLiteral("%1#crop=%2&padding=%3&maxWidth=%4")
                       .arg(base + i)
                       .arg(i % 2)
                       .arg(i)
                       .arg(100 + i);
    const QVariantList pairList = {QStringList{singles.at(0), singles.at(3)},
                                   QStringList{singles.at(5), singles.at(2)}};
    for (int round = 0; round < 4; ++round) {
        QTemporaryDir out;
        ExportJob *exporter = images.exporter();
        QSignalSpy finished(exporter, &ExportJob::finished);
        // Round 0 runs to the end; the others cancel after a random number of files.
        const int cancelAfter = round == 0 ? -1 : int(random() % 8);
        QMetaObject::Connection canceller =
            connect(exporter, &ExportJob::progressChanged, exporter, [&] {
                if (cancelAfter >= 0 && exporter->done() >= cancelAfter)
                    exporter->cancel();
            });
        exporter->start(out.path(), singles, pairList);
        while (finished.isEmpty()) {
            requestPreviews();
            QTest::qWait(10);
        }
        disconnect(canceller);
        const int written = finished.constFirst().at(0).toInt();
        QCOMPARE(finished.constFirst().at(1).toInt(), photoCount + 2);
        if (round == 0)
            QCOMPARE(written, photoCount + 2);
        const QStringList onDisk = QDir(out.path()).entryList(QDir::Files);
        QCOMPARE(onDisk.size(), written);
        for (const QString &single : singles) {
            const QString path = out.filePath(singleStem(single) + QStringLiteral(".png"));
            if (QFile::exists(path))
                QVERIFY2(samePixels(readPng(path), processImage(single, false)), qPrintable(path));
        }
        for (const QVariant &pair : pairList) {
            const QStringList halves = pair.toStringList();
            const QString path =
                out.filePath(pairStem(halves.at(0), halves.at(1)) + QStringLiteral(".png"));
            if (QFile::exists(path))
                QVERIFY(samePixels(readPng(path), processPair(halves.at(0), halves.at(1))));
        }
    }

    // Cancelled or not, every request is answered, or the engine would never free it.
    QTRY_COMPARE_WITH_TIMEOUT(answered, responses.size(), 120000);
}

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
