// Previews requested from other threads while the GUI thread imports, as the engine's image
// loader does: every answer is a null pixmap or the right picture, never a torn or wrong one.
#include "core/cvimage.h"
#include "core/imagestore.h"
#include "providers/cvimageprovider.h"
#include "providers/cvstitchprovider.h"
#include "support/testimages.h"

#include <QtTest>

#include <atomic>
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
    void previewsWhileImporting();
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

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
