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
    void previewSize_data();
    void previewSize();
    void pairPreviewSize_data();
    void pairPreviewSize();
    void previewColours();
    void pairIdParts_data();
    void pairIdParts();
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

void TestProviders::previewSize_data()
{
    QTest::addColumn<cv::Size>("image");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("pixmap");
    QTest::newRow("400x300") << cv::Size(400, 300) << QSize(200, 200) << QSize(200, 150);
    QTest::newRow("300x400") << cv::Size(300, 400) << QSize(200, 200) << QSize(150, 200);
    QTest::newRow("100x50 enlarged") << cv::Size(100, 50) << QSize(200, 200) << QSize(200, 100);
    QTest::newRow("200x200") << cv::Size(200, 200) << QSize(200, 200) << QSize(200, 200);
    QTest::newRow("requested size ignored")
        << cv::Size(400, 300) << QSize(800, 800) << QSize(200, 150);
    QTest::newRow("no requested size") << cv::Size(400, 300) << QSize() << QSize(200, 150);
}

void TestProviders::previewSize()
{
    QFETCH(cv::Size, image);
    QFETCH(QSize, requested);
    const int index = storeImage(plainImage(image.width, image.height, {1, 2, 3}));
    QTEST(preview(QString::number(index), requested).size(), "pixmap");
}

void TestProviders::pairPreviewSize_data()
{
    QTest::addColumn<cv::Size>("left");
    QTest::addColumn<cv::Size>("right");
    QTest::addColumn<QSize>("pixmap");
    QTest::newRow("right squeezed") << cv::Size(400, 300) << cv::Size(400, 600) << QSize(400, 150);
    QTest::newRow("right stretched") << cv::Size(400, 600) << cv::Size(400, 300) << QSize(266, 200);
    QTest::newRow("small pair enlarged")
        << cv::Size(150, 100) << cv::Size(150, 100) << QSize(400, 133);
}

void TestProviders::pairPreviewSize()
{
    QFETCH(cv::Size, left);
    QFETCH(cv::Size, right);
    const int l = storeImage(plainImage(left.width, left.height, {1, 2, 3}));
    const int r = storeImage(plainImage(right.width, right.height, {1, 2, 3}));
    QTEST(pairPreview(descriptor(l, false, 50, 400) + '*' + descriptor(r, false, 50, 400)).size(),
          "pixmap");
}

void TestProviders::previewColours()
{
    // No red-blue swap on the way to the screen.
    cv::Mat picture = plainImage(2, 1, {255, 0, 0});
    picture.at<cv::Vec3b>(0, 1) = cv::Vec3b(0, 0, 255);
    const int index = storeImage(picture);
    const QImage shown = preview(QString::number(index)).toImage();
    QCOMPARE(shown.size(), QSize(200, 100));
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(Qt::red));
    QCOMPARE(QColor(shown.pixel(199, 99)), QColor(Qt::blue));
    const QImage pair =
        pairPreview(QString::number(index) + '*' + QString::number(index)).toImage();
    QCOMPARE(QColor(pair.pixel(0, 0)), QColor(Qt::red));
    QCOMPARE(QColor(pair.pixel(399, 0)), QColor(Qt::blue));
}

void TestProviders::pairIdParts_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QSize>("pixmap");
    const QString a = QString::number(storeImage(plainImage(100, 100, {1, 1, 1})));
    const QString b = QString::number(storeImage(plainImage(300, 50, {2, 2, 2})));
    QTest::newRow("two parts") << a + '*' + b << QSize(400, 100);
    QTest::newRow("swapped") << b + '*' + a << QSize(400, 50);
    QTest::newRow("third part ignored") << a + '*' + b + '*' + a << QSize(400, 100);
    // An empty part names image 0 (30x10) with the parser's defaults.
    QTest::newRow("leading star") << '*' + a << QSize(400, 30);
}

void TestProviders::pairIdParts()
{
    QCOMPARE(m_first, 0);
    QFETCH(QString, id);
    QTEST(pairPreview(id).size(), "pixmap");
}

void TestProviders::nullPixmaps_data()
{
    QTest::addColumn<bool>("pair");
    QTest::addColumn<QString>("id");
    const QString plain = QString::number(storeImage(plainImage(50, 50, {9, 9, 9})));
    const QString noCrop = plain + "#crop=1&padding=0"; // no edges: nothing to crop to
    QTest::newRow("unknown index") << false << "123456";
    QTest::newRow("negative index") << false << "-1";
    QTest::newRow("empty crop") << false << noCrop;
    QTest::newRow("width 0") << false << plain + "#crop=1&padding=10&maxWidth=0";
    QTest::newRow("pair without star") << true << plain;
    QTest::newRow("pair, left empty") << true << noCrop + '*' + plain;
    QTest::newRow("pair, right empty") << true << plain + '*' + noCrop;
    QTest::newRow("pair, both unknown") << true << "99999*99998";
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
