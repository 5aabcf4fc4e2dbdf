// Guards against races of imports, detections, previews and exports, cancelled at random, with
// photos evicted from a small cache and decoded again while they are in use: every file as the
// library makes it, under its own name.
#include "image/exportnames.h"
#include "quick/cvimageprovider.h"
#include "quick/cvstitchprovider.h"
#include "session/session.h"
#include "support/testimages.h"

#include <QQuickImageResponse>
#include <QtTest>

#include <memory>
#include <random>

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    // OpenCV's own worker threads hand work over in code the race detector cannot see; ours are
    // what is under test, so OpenCV runs each call on the thread that makes it.
    void initTestCase() { cv::setNumThreads(0); }
    void workersTogether();
};

void TestStress::workersTogether()
{
    QTemporaryDir folder;
    QVariantList files;
    constexpr int photoCount = 24;
    for (int i = 0; i < photoCount; ++i) {
        const cv::Mat photo = objectImage({500 + 10 * i, 400}, {100 + 5 * i, 80, 200, 150},
                                          {uchar(40 + 4 * i), 250, 10}, {10, uchar(5 * i), 200});
        files << QUrl::fromLocalFile(
            writeImageFile(folder.path(), QStringLiteral("%1.png").arg(i), photo));
    }
    Session session;
    // Room for about two of the photos: most lookups miss and decode again.
    session.store().setBudget(1 << 20);
    CvImageProvider previews(&session);
    CvStitchProvider pairs(&session);
    std::mt19937 random(7);
    QSignalSpy imported(session.importer(), &ImportJob::finished);
    session.importUrls(files);

    // Previews of photos arriving, being detected and exported, some cancelled at once.
    std::vector<std::unique_ptr<QQuickImageResponse>> responses;
    size_t answered = 0;
    auto requestPreviews = [&] {
        for (int k = 0; k < 4; ++k) {
            const int i = int(random() % photoCount);
            // Either detector, a frame now and then.
            const QString id = QStringLiteral("%1#crop=1&padding=%2%3%4")
                                   .arg(i)
                                   .arg(random() % 60)
                                   .arg(random() % 2 ? "&detect=object" : "")
                                   .arg(random() % 3 ? "" : "&aspect=1:1&fill=80");
            responses.emplace_back(random() % 2 ? previews.requestImageResponse(id, {})
                                                : pairs.requestImageResponse(id + '*' + id, {}));
            connect(responses.back().get(), &QQuickImageResponse::finished, this,
                    [&answered] { ++answered; });
            if (random() % 3 == 0)
                responses.back()->cancel();
        }
    };
    auto requestPreviewsUntil = [&](const QSignalSpy &done) {
        while (done.isEmpty()) {
            requestPreviews();
            QTest::qWait(10);
        }
    };
    requestPreviewsUntil(imported);

    QStringList singles;
    for (int i = 0; i < photoCount; ++i)
        singles << QStringLiteral("%1#crop=%2&padding=%3&maxWidth=%4")
                       .arg(i)
                       .arg(i % 2)
                       .arg(i)
                       .arg(100 + i);
    const QVariantList pairList = {QStringList{singles.at(0), singles.at(3)},
                                   QStringList{singles.at(5), singles.at(2)}};
    for (int round = 0; round < 4; ++round) {
        QTemporaryDir out;
        ExportJob *exporter = session.exporter();
        QSignalSpy finished(exporter, &ExportJob::finished);
        // Round 0 runs to the end; the others cancel after a random number of files.
        const int cancelAfter = round == 0 ? -1 : int(random() % 8);
        QMetaObject::Connection canceller =
            connect(exporter, &ExportJob::progressChanged, exporter, [&] {
                if (cancelAfter >= 0 && exporter->done() >= cancelAfter)
                    exporter->cancel();
            });
        exporter->start(out.path(), singles, pairList);
        requestPreviewsUntil(finished);
        disconnect(canceller);
        const int written = finished.constFirst().at(0).toInt();
        QCOMPARE(finished.constFirst().at(1).toInt(), photoCount + 2);
        if (round == 0)
            QCOMPARE(written, photoCount + 2);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), written);
        // Every file written holds what the library makes of its photo or pair, under its name;
        // a whole export writes them all.
        for (const QString &single : singles) {
            const QString path = out.filePath(singleStem(single) + ".png");
            QVERIFY(QFile::exists(path) ? samePixels(readPng(path), session.store().render(single))
                                        : round > 0);
        }
        for (const QVariant &pair : pairList) {
            const QStringList halves = pair.toStringList();
            const QString path = out.filePath(pairStem(halves.at(0), halves.at(1)) + ".png");
            QVERIFY(QFile::exists(path) ? samePixels(readPng(path), session.store().renderPair(
                                                                        halves.at(0), halves.at(1)))
                                        : round > 0);
        }
    }

    // Cancelled or not, every request is answered, or the engine would never free it.
    QTRY_COMPARE_WITH_TIMEOUT(answered, responses.size(), 120000);
    // Decoded again and again, never more of them cached than the budget allows.
    QVERIFY(session.store().cachedBytes() <= 1 << 20);
}

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
