// Guards the PNG writer: pixels read back exactly, files no larger than OpenCV's.
#include "image/pngwriter.h"
#include "support/testimages.h"

#include <QtTest>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

class TestPngWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
};

void TestPngWriter::roundTrip_data()
{
    QTest::addColumn<cv::Mat>("rgb");
    const cv::Mat noise = noiseImage({777, 301});
    cv::Mat gradient(1200, 1001, CV_8UC3);
    for (int y = 0; y < gradient.rows; ++y)
        for (int x = 0; x < gradient.cols; ++x)
            gradient.at<cv::Vec3b>(y, x) = cv::Vec3b(uchar(x), uchar(y), uchar(x + y));
    QTest::newRow("1x1") << plainImage(1, 1, {12, 200, 7});
    QTest::newRow("noise, odd width") << noise;
    QTest::newRow("gradient, many pieces") << gradient;
    // A row longer than a piece, and a region whose rows have gaps between them.
    cv::Mat wide(3, 400000, CV_8UC3);
    cv::randu(wide, 0, 4);
    QTest::newRow("row longer than a piece") << wide;
    QTest::newRow("strided region") << cv::Mat(noise(cv::Rect(3, 5, 101, 77)));
}

void TestPngWriter::roundTrip()
{
    QFETCH(cv::Mat, rgb);
    const std::vector<uchar> png = encodePng(rgb);
    cv::Mat back = cv::imdecode(png, cv::IMREAD_UNCHANGED);
    QCOMPARE(back.type(), CV_8UC3);
    cv::cvtColor(back, back, cv::COLOR_BGR2RGB);
    QVERIFY(samePixels(back, rgb.clone()));
    cv::Mat bgr;
    cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
    std::vector<uchar> reference;
    QVERIFY(cv::imencode(".png", bgr, reference));
    QVERIFY2(
        png.size() <= reference.size() * 115 / 100 + 64,
        qPrintable(QStringLiteral("%1 bytes against %2").arg(png.size()).arg(reference.size())));
}

QTEST_MAIN(TestPngWriter)
#include "tst_pngwriter.moc"
