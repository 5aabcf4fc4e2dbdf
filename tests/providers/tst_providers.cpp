// Guards previews: the export's region and aspect, null where no picture, async answers.
#include "core/imagestore.h"
#include "core/processimage.h"
#include "providers/cvimageprovider.h"
#include "providers/cvstitchprovider.h"
#include "support/testimages.h"

#include <QQuickImageResponse>
#include <QtTest>
#include <opencv2/imgproc.hpp>

class TestProviders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nullPixmaps_data();
    void nullPixmaps();
    void previewShowsTheExport_data();
    void previewShowsTheExport();
    void asynchronousAnswer();

private:
    QPixmap preview(const QString &id, const QSize &requested = QSize(200, 200))
    {
        QSize size(-1, -1);
        const QPixmap pixmap = m_cv.requestPixmap(id, &size, requested);
        [&] { QCOMPARE(size, QSize(-1, -1)); }();
        return pixmap;
    }
    QPixmap pairPreview(const QString &id)
    {
        return m_stitch.requestPixmap(id, nullptr, QSize(400, 200));
    }

    CvImageProvider m_cv;
    CvStitchProvider m_stitch;
    int m_first = -1;
};

void TestProviders::initTestCase()
{
    m_first = storeImage(plainImage(30, 10, {7, 7, 7}));
}

void TestProviders::nullPixmaps_data()
{
    QTest::addColumn<bool>("pair");
    QTest::addColumn<QString>("id");
    const QString plain = QString::number(storeImage(plainImage(50, 50, {9, 9, 9})));
    const QString noCrop = plain + "#crop=1&padding=0"; // no edges: nothing to crop to
    QTest::newRow("unknown index") << false << "123456";
    QTest::newRow("empty crop") << false << noCrop;
    QTest::newRow("width 0") << false << plain + "#crop=1&padding=10&maxWidth=0";
    QTest::newRow("pair without star") << true << plain;
    QTest::newRow("pair, left empty") << true << noCrop + '*' + plain;
}

void TestProviders::nullPixmaps()
{
    QFETCH(bool, pair);
    QFETCH(QString, id);
    QVERIFY((pair ? pairPreview(id) : preview(id)).isNull());
}

void TestProviders::previewShowsTheExport_data()
{
    QTest::addColumn<QString>("options");
    QTest::newRow("whole") << "#crop=0&padding=50&maxWidth=400";
    QTest::newRow("cropped") << "#crop=1&padding=50&maxWidth=400";
    QTest::newRow("cropped, wide margin") << "#crop=1&padding=700&maxWidth=300";
    QTest::newRow("cropped, no margin") << "#crop=1&padding=0&maxWidth=600";
}

// A preview cut from the reduced copy shows what the export holds, within scaling noise.
void TestProviders::previewShowsTheExport()
{
    QFETCH(QString, options);
    cv::Mat photo =
        objectImage({3000, 2000}, {1700, 300, 900, 1200}, {40, 90, 160}, {230, 210, 30});
    cv::rectangle(photo, cv::Rect(1800, 500, 300, 300), cv::Scalar(10, 200, 10), cv::FILLED);
    const QString id = QString::number(storeImage(photo)) + options;
    const cv::Mat exported = processImage(id, false);
    cv::Mat expected;
    const QSize size = preview(id).size();
    QCOMPARE(size, QSize(exported.cols, exported.rows).scaled(200, 200, Qt::KeepAspectRatio));
    cv::resize(exported, expected, cv::Size(size.width(), size.height()), 0, 0, cv::INTER_AREA);
    QImage shown = preview(id).toImage().convertToFormat(QImage::Format_RGB888);
    const cv::Mat shownPixels(shown.height(), shown.width(), CV_8UC3, shown.bits(),
                              size_t(shown.bytesPerLine()));
    QVERIFY2(cv::norm(shownPixels, expected, cv::NORM_L1) / expected.total() / 3 < 6,
             "the preview differs from the exported picture");
}

void TestProviders::asynchronousAnswer()
{
    const QString id = QString::number(storeImage(plainImage(300, 100, {1, 2, 3})));
    for (QQuickAsyncImageProvider *provider :
         std::initializer_list<QQuickAsyncImageProvider *>{&m_cv, &m_stitch}) {
        const QString request = provider == &m_cv ? id : id + '*' + id;
        QScopedPointer<QQuickImageResponse> response(
            provider->requestImageResponse(request, QSize()));
        QSignalSpy finished(response.data(), &QQuickImageResponse::finished);
        QVERIFY(finished.wait());
        QScopedPointer<QQuickTextureFactory> texture(response->textureFactory());
        QCOMPARE(texture->image().convertToFormat(QImage::Format_RGB32),
                 provider->requestPixmap(request, nullptr, QSize())
                     .toImage()
                     .convertToFormat(QImage::Format_RGB32));
    }
}

QTEST_MAIN(TestProviders)
#include "tst_providers.moc"
