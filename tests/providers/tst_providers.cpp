// Guards previews: the export's region and aspect, nothing where the export is empty, async
// answers.
#include "image/decode.h"
#include "image/imageoptions.h"
#include "image/pair.h"
#include "quick/cvimageprovider.h"
#include "quick/cvstitchprovider.h"
#include "session/session.h"
#include "support/testimages.h"

#include <QQuickImageResponse>
#include <QtTest>
#include <opencv2/imgproc.hpp>

namespace {
// A preview (RGB888) shows the exported picture reduced to its size, within scaling noise.
bool showsWithinNoise(const QImage &shown, const cv::Mat &exported)
{
    cv::Mat expected;
    cv::resize(exported, expected, cv::Size(shown.width(), shown.height()), 0, 0, cv::INTER_AREA);
    const cv::Mat shownPixels(shown.height(), shown.width(), CV_8UC3,
                              const_cast<uchar *>(shown.constBits()), size_t(shown.bytesPerLine()));
    return cv::norm(shownPixels, expected, cv::NORM_L1) / double(expected.total()) / 3 < 6;
}
} // namespace

class TestProviders : public QObject
{
    Q_OBJECT

private slots:
    void previewShowsTheExport_data();
    void previewShowsTheExport();
    void pairPreviewShowsTheExport_data();
    void pairPreviewShowsTheExport();
    void smallAndFlatPhotosShowTheirPixels_data();
    void smallAndFlatPhotosShowTheirPixels();
    void stripsAreShown_data();
    void stripsAreShown();

private:
    Session m_session;
    CvImageProvider m_cv{&m_session};
    CvStitchProvider m_stitch{&m_session};
};

void TestProviders::previewShowsTheExport_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("object"); // false: a plain photo, without edges to crop to
    QTest::newRow("whole") << "#crop=0&padding=50&maxWidth=400" << true;
    QTest::newRow("cropped") << "#crop=1&padding=50&maxWidth=400" << true;
    QTest::newRow("cropped, wide margin") << "#crop=1&padding=700&maxWidth=300" << true;
    QTest::newRow("cropped, no margin") << "#crop=1&padding=0&maxWidth=600" << true;
    QTest::newRow("cropped by the object detector")
        << "#crop=1&padding=20&maxWidth=400&detect=object" << true;
    QTest::newRow("nothing to crop to") << "#crop=1&padding=0" << false;
    QTest::newRow("nothing to crop to, object detector")
        << "#crop=1&padding=0&detect=object" << false;
    QTest::newRow("width 0") << "#crop=1&padding=10&maxWidth=0" << true;
}

// A preview cut from the reduced copy shows what the export holds, within scaling noise, and
// answers the same whether asked synchronously or not; asked for a box twice as large, as a
// high-density screen asks, the asynchronous answer fills it.
void TestProviders::previewShowsTheExport()
{
    QFETCH(QString, options);
    QFETCH(bool, object);
    cv::Mat photo = plainImage(3000, 2000, {40, 90, 160});
    if (object) {
        photo = objectImage({3000, 2000}, {1700, 300, 900, 1200}, {40, 90, 160}, {230, 210, 30});
        cv::rectangle(photo, cv::Rect(1800, 500, 300, 300), cv::Scalar(10, 200, 10), cv::FILLED);
    }
    const QString id = QString::number(m_session.store().addImage(photo)) + options;
    const cv::Mat exported = m_session.store().render(id);
    const QImage shown = m_cv.requestPixmap(id, nullptr, QSize(200, 200))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB888);
    QCOMPARE(shown.isNull(), exported.empty());
    QCOMPARE(m_stitch.requestPixmap(id + '*' + id, nullptr, QSize()).isNull(), exported.empty());

    QScopedPointer<QQuickImageResponse> response(m_cv.requestImageResponse(id, QSize()));
    QSignalSpy finished(response.data(), &QQuickImageResponse::finished);
    QVERIFY(finished.wait());
    QScopedPointer<QQuickTextureFactory> texture(response->textureFactory());
    QCOMPARE(texture ? texture->image().convertToFormat(QImage::Format_RGB888) : QImage(), shown);
    if (exported.empty())
        return;
    QCOMPARE(shown.size(),
             QSize(exported.cols, exported.rows).scaled(200, 200, Qt::KeepAspectRatio));

    QVERIFY2(showsWithinNoise(shown, exported), "the preview differs from the exported picture");

    // A screen of twice the density asks for twice the box, and is served it, still the export.
    QScopedPointer<QQuickImageResponse> sharp(m_cv.requestImageResponse(id, QSize(400, 400)));
    QSignalSpy sharpFinished(sharp.data(), &QQuickImageResponse::finished);
    QVERIFY(sharpFinished.wait());
    QScopedPointer<QQuickTextureFactory> sharpTexture(sharp->textureFactory());
    const QImage twice = sharpTexture->image().convertToFormat(QImage::Format_RGB888);
    QCOMPARE(twice.size(),
             QSize(exported.cols, exported.rows).scaled(400, 400, Qt::KeepAspectRatio));
    QVERIFY2(showsWithinNoise(twice, exported), "the sharp preview differs from the export");
}

void TestProviders::smallAndFlatPhotosShowTheirPixels_data()
{
    QTest::addColumn<cv::Mat>("photo");
    QTest::addColumn<bool>("lossless");
    cv::Mat palette(10, 10, CV_8UC3);
    const cv::Vec3b inks[] = {{250, 250, 250}, {10, 10, 10}, {200, 30, 30}, {30, 30, 200}};
    for (int i = 0; i < 100; ++i)
        palette.at<cv::Vec3b>(i / 10, i % 10) = inks[(i * 7 + i / 10) % 4];
    cv::Mat drawing = plainImage(1600, 1200, {245, 245, 240});
    cv::rectangle(drawing, cv::Rect(200, 200, 900, 500), cv::Scalar(20, 60, 200), 9);
    cv::Mat camera(1200, 1600, CV_8UC3);
    cv::randn(camera, 128, 40);
    cv::GaussianBlur(camera, camera, cv::Size(), 3);
    QTest::newRow("a 10 × 10 palette photo") << palette << true;
    QTest::newRow("a large drawing of few colours") << drawing << true;
    QTest::newRow("a camera photo, packed small") << camera << false;
}

// The reduced copy previews are cut from is lossless where JPEG would change it visibly, so that a
// preview shows the export's own pixels, scaled; a camera photo's stays a JPEG a fraction of its
// pixels' size, within JPEG's noise of them.
void TestProviders::smallAndFlatPhotosShowTheirPixels()
{
    QFETCH(cv::Mat, photo);
    QFETCH(bool, lossless);
    const int index = m_session.store().addImage(photo);
    const cv::Mat kept = m_session.store().preview(index);
    const cv::Mat reduced = reducedCopy(photo);
    if (lossless) {
        QVERIFY(samePixels(kept, reduced));
        return;
    }
    QCOMPARE(kept.size(), reduced.size());
    QVERIFY(cv::norm(kept, reduced, cv::NORM_L1) / double(reduced.total() * 3) < 2);
    QVERIFY(packPreview(reduced).size() < int(reduced.total()));
}

void TestProviders::pairPreviewShowsTheExport_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("gap");
    QTest::newRow("stretch") << "stretch" << 0;
    QTest::newRow("proportional") << "proportional" << 0;
    QTest::newRow("canvas") << "canvas" << 150;
}

// A pair's preview, asked for by the URL the stitch page builds, has the exported pair's aspect
// and, within scaling noise, its pixels: halves, gap and background where the export puts them.
void TestProviders::pairPreviewShowsTheExport()
{
    QFETCH(QString, layout);
    QFETCH(int, gap);
    const QVariantMap styleOptions{{"pairLayout", layout}, {"gap", gap}, {"background", "#204060"}};
    const PairStyle style = pairStyleOf(styleOptions);
    const QString left =
        QString::number(m_session.store().addImage(plainImage(1200, 900, {200, 30, 30}))) +
        "#crop=0&padding=0&maxWidth=400";
    const QString right =
        QString::number(m_session.store().addImage(plainImage(600, 1500, {30, 200, 30}))) +
        "#crop=0&padding=0&maxWidth=400";
    const cv::Mat exported = m_session.store().renderPair(left, right, style);
    QCOMPARE(exported.size(), pairGeometry({1200, 900}, {600, 1500}, style).size);
    const QString url = pairUrl(left, right, style);
    const QImage shown =
        m_stitch.requestPixmap(url.mid(int(qstrlen("image://stitch/"))), nullptr, QSize())
            .toImage()
            .convertToFormat(QImage::Format_RGB888);
    QCOMPARE(shown.size(),
             QSize(exported.cols, exported.rows).scaled(400, 200, Qt::KeepAspectRatio));
    QVERIFY2(showsWithinNoise(shown, exported),
             "the pair's preview differs from the exported pair");
}

void TestProviders::stripsAreShown_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<bool>("paired");
    QTest::newRow("wide single") << QSize(6000, 1) << false;
    QTest::newRow("wide pair") << QSize(6000, 1) << true;
    QTest::newRow("tall single") << QSize(1, 6000) << false;
    QTest::newRow("tall pair") << QSize(1, 6000) << true;
}

// A picture far thinner than a preview's pixel still exports, so its preview is a one-pixel
// strip at the picture's colour, not nothing.
void TestProviders::stripsAreShown()
{
    QFETCH(QSize, photo);
    QFETCH(bool, paired);
    const QString id = QString::number(
        m_session.store().addImage(plainImage(photo.width(), photo.height(), {40, 90, 160})));
    const QImage shown = (paired ? m_stitch.requestPixmap(id + '*' + id, nullptr, QSize())
                                 : m_cv.requestPixmap(id, nullptr, QSize()))
                             .toImage();
    QVERIFY(!shown.isNull());
    QCOMPARE(std::min(shown.width(), shown.height()), paired && photo.width() == 1 ? 2 : 1);
    const QColor colour = shown.pixelColor(0, 0);
    // Within the rounding of the packed reduced copy.
    QVERIFY(std::abs(colour.red() - 40) + std::abs(colour.green() - 90) +
                std::abs(colour.blue() - 160) <=
            3);
}

QTEST_MAIN(TestProviders)
#include "tst_providers.moc"
