// Guards turning: quarter turns move every pixel where a naive loop puts it, boxes turn with
// their photo (exactly by quarters, tightly around the turned object by small angles), and a
// turned photo renders as its turned pixels framed around its turned box.
#include "image/framing.h"
#include "image/turn.h"
#include "session/photostore.h"
#include "support/testimages.h"

#include <QRandomGenerator>
#include <QtTest>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

class TestTurn : public QObject
{
    Q_OBJECT

private slots:
    void quarterTurns_data();
    void quarterTurns();
    void boxesTurnWithThePhoto_data();
    void boxesTurnWithThePhoto();
    void turnedRender();
};

namespace {
cv::Mat noise(int width, int height)
{
    cv::Mat image(height, width, CV_8UC3);
    cv::randu(image, 0, 256);
    return image;
}

// Where a pixel lands, one quarter turn clockwise at a time.
cv::Mat naiveQuarters(const cv::Mat &photo, int quarters)
{
    cv::Mat turned = photo.clone();
    for (int q = 0; q < quarters; ++q) {
        cv::Mat next(turned.cols, turned.rows, CV_8UC3);
        for (int y = 0; y < turned.rows; ++y)
            for (int x = 0; x < turned.cols; ++x)
                next.at<cv::Vec3b>(x, turned.rows - 1 - y) = turned.at<cv::Vec3b>(y, x);
        turned = next;
    }
    return turned;
}
} // namespace

void TestTurn::quarterTurns_data()
{
    QTest::addColumn<int>("quarters");
    for (int quarters : {0, 1, 2, 3})
        QTest::newRow(qPrintable(QString::number(quarters))) << quarters;
}

void TestTurn::quarterTurns()
{
    QFETCH(int, quarters);
    const cv::Mat photo = noise(7, 5);
    const cv::Mat before = photo.clone();
    const cv::Mat turned = turnImage(photo, {quarters, 0});
    QVERIFY(samePixels(turned, naiveQuarters(photo, quarters)));
    QCOMPARE(turned.size(), turnedSize(photo.size(), {quarters, 0}));
    // The photo given, maybe the cache's, is never written to.
    QVERIFY(samePixels(photo, before));
}

void TestTurn::boxesTurnWithThePhoto_data()
{
    QTest::addColumn<int>("quarters");
    QTest::addColumn<double>("degrees");
    for (int quarters : {0, 1, 2, 3})
        for (double degrees : {0.0, 4.0, -7.5})
            QTest::newRow(qPrintable(QStringLiteral("%1 quarters, %2°").arg(quarters).arg(degrees)))
                << quarters << degrees;
}

// The box of a white object on black, turned, against the bounds of the turned object's pixels
// (half white at least: a turn's interpolation blurs its edges).
void TestTurn::boxesTurnWithThePhoto()
{
    QFETCH(int, quarters);
    QFETCH(double, degrees);
    QRandomGenerator random(quint32(quarters * 100 + int(degrees * 10) + 1000));
    const cv::Size size(120, 80);
    for (int trial = 0; trial < 20; ++trial) {
        const int x = random.bounded(20, 70), y = random.bounded(20, 40);
        const cv::Rect box(x, y, random.bounded(5, 30), random.bounded(5, 20));
        const cv::Mat photo = objectImage(size, box, {0, 0, 0}, {255, 255, 255});
        const Turn turn{quarters, degrees};
        cv::Mat gray;
        cv::extractChannel(turnImage(photo, turn), gray, 0);
        const cv::Rect object = cv::boundingRect(gray > 127);
        const cv::Rect turned = turnBox(box, size, turn);
        if (degrees == 0) {
            QCOMPARE(turned, object);
        } else {
            // Around every pixel the object touches, within a pixel of it on each side.
            QCOMPARE(turned & object, object);
            QVERIFY(turned.width - object.width <= 2 && turned.height - object.height <= 2);
        }
        // A box drawn on a photo turned by quarters turns back exactly.
        const Turn other{(quarters + 1) % 4, 0};
        if (degrees == 0)
            QCOMPARE(returnBox(returnBox(turned, size, turn, other), size, other, turn), turned);
    }
}

// Turned and cropped to a box drawn on the turned photo: the turned pixels, framed as an unturned
// photo of that size would be.
void TestTurn::turnedRender()
{
    PhotoStore store;
    const cv::Mat photo = objectImage({90, 60}, {20, 10, 30, 20}, {10, 10, 10}, {200, 0, 0});
    const int index = store.addImage(photo);
    ImageOptions options;
    options.index = index;
    options.crop = true;
    options.padding = 5;
    options.maxWidth = 50;
    options.quarterTurns = 1;
    options.straighten = 3;
    options.box = cv::Rect(10, 15, 25, 30);
    const cv::Mat expected = processPhoto(turnImage(photo, turnOf(options)), options, options.box);
    QVERIFY(samePixels(store.render(descriptorText(options)), expected));
    // Unturned, the descriptor and its pixels are as they always were.
    options.quarterTurns = 0;
    options.straighten = 0;
    QVERIFY(!descriptorText(options).contains("rotate") &&
            !descriptorText(options).contains("straighten"));
    QVERIFY(samePixels(store.render(descriptorText(options)),
                       processPhoto(photo, options, options.box)));
}

QTEST_GUILESS_MAIN(TestTurn)
#include "tst_turn.moc"
