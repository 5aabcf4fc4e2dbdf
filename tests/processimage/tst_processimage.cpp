// Guards the crop: box accuracy, grey weights, pixels against a naive crop, hand boxes, frames and
// turns.
#include "image/decode.h"
#include "image/detection.h"
#include "image/framing.h"
#include "image/objectdetection.h"
#include "image/pair.h"
#include "image/turn.h"
#include "session/photostore.h"
#include "support/testimages.h"

#include <QtTest>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>

namespace {
// The crop written naively: every pixel inside the grown box and inside the image belongs to
// the region; the region is scaled to maxWidth wide.
cv::Mat naiveCrop(const cv::Mat &source, const cv::Rect &box, long long padding, int maxWidth)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < source.rows; ++y) {
        for (int x = 0; x < source.cols; ++x) {
            const bool inside = x >= box.x - padding && x < box.x + box.width + padding &&
                                y >= box.y - padding && y < box.y + box.height + padding;
            if (inside) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0 || maxWidth <= 0)
        return {};
    const cv::Mat region = source(cv::Range(top, bottom + 1), cv::Range(left, right + 1)).clone();
    const int height = int(region.rows * (double(maxWidth) / region.cols));
    if (height <= 0)
        return {};
    cv::Mat scaled;
    cv::resize(region, scaled, cv::Size(maxWidth, height), 0, 0, cv::INTER_LINEAR);
    return scaled;
}

struct GeneratedPicture
{
    cv::Mat image;
    cv::Rect object;
};

// A filled rectangle on a plain background, the two clearly apart in brightness.
GeneratedPicture randomPicture(std::mt19937 &random)
{
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const cv::Size size(between(40, 320), between(40, 320));
    // Never touching two opposite sides, which would split the outline in two.
    const int width = between(8, size.width - 1), height = between(8, size.height - 1);
    const cv::Rect object(between(0, size.width - width), between(0, size.height - height), width,
                          height);
    const auto dark = uchar(between(0, 80)), light = uchar(between(dark + 100, 255));
    cv::Vec3b background(dark, dark, dark), foreground(light, light, light);
    if (between(0, 1))
        std::swap(background, foreground);
    return {objectImage(size, object, background, foreground), object};
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

class TestProcessImage : public QObject
{
    Q_OBJECT

private slots:
    void detectedCrop();
    void objectDetectorCrop();
    void greyUsesRgbWeights();
    void handChosenBox_data();
    void handChosenBox();
    void sizes_data();
    void sizes();
    void frames_data();
    void frames();
    void framedPairs();
    void turns_data();
    void turns();

private:
    PhotoStore m_store;
};

// Generated pictures: the detected box encloses the object closely, and the crop's pixels are
// those of the naive crop of that box.
void TestProcessImage::detectedCrop()
{
    // Blurring, edge detection and blurring again spread a sharp outline by a few pixels.
    const int spread = 4;
    std::mt19937 random(20261207);
    for (int round = 0; round < 150; ++round) {
        const GeneratedPicture picture = randomPicture(random);
        const cv::Rect box = detectObjectBox(picture.image);
        const cv::Rect outer =
            (picture.object + cv::Size(2 * spread, 2 * spread) - cv::Point(spread, spread)) &
            cv::Rect(cv::Point(), picture.image.size());
        const int padding = std::uniform_int_distribution<int>(-30, 400)(random);
        const int maxWidth = std::uniform_int_distribution<int>(1, 600)(random);
        const QString descriptor = QStringLiteral("%1#crop=1&padding=%2&maxWidth=%3")
                                       .arg(m_store.addImage(picture.image))
                                       .arg(padding)
                                       .arg(maxWidth);
        QVERIFY2((box & picture.object) == picture.object && (box & outer) == box,
                 qPrintable(descriptor));
        const cv::Mat result = m_store.render(descriptor);
        QVERIFY2(samePixels(result, naiveCrop(picture.image, box, padding, maxWidth)),
                 qPrintable(descriptor));
        QVERIFY(result.empty() || result.isContinuous());
    }
}

// The object detector's crop: its box found in the photo's reduced copy, mapped onto the photo,
// turned with it; a box drawn on the turned photo stays as drawn; the photo's edge box stays what a
// descriptor without the key crops to.
void TestProcessImage::objectDetectorCrop()
{
    const cv::Mat photo =
        objectImage({1800, 1200}, {500, 300, 700, 500}, {200, 200, 190}, {40, 60, 160});
    const int index = m_store.addImage(photo);
    const ObjectDetection found = m_store.objectDetection(index);
    QCOMPARE(found.box, detectObjectInCopy(reducedCopy(photo), photo.size()).box);
    QVERIFY((found.box & cv::Rect(500, 300, 700, 500)) == cv::Rect(500, 300, 700, 500));
    QVERIFY(found.box.area() < 1.2 * 700 * 500);
    const QString edges = QStringLiteral("%1#crop=1&padding=10&maxWidth=300&rotate=1").arg(index);
    ImageOptions options = parseOptions(edges);
    const cv::Mat turned = turnImage(photo, turnOf(options));
    QVERIFY(
        samePixels(m_store.render(edges),
                   processPhoto(turned, options,
                                turnBox(m_store.objectBox(index), photo.size(), turnOf(options)))));
    QVERIFY(samePixels(
        m_store.render(edges + "&detect=object"),
        processPhoto(turned, options, turnBox(found.box, photo.size(), turnOf(options)))));
    // A box drawn on the straightened photo is taken as it is, in the turned pixels.
    const QString drawn = edges + "&straighten=3&box=10,15,250,300";
    options = parseOptions(drawn);
    QVERIFY(samePixels(m_store.render(drawn),
                       processPhoto(turnImage(photo, turnOf(options)), options, options.box)));
}

void TestProcessImage::greyUsesRgbWeights()
{
    // Red 97 on blue 255 has the same brightness in RGB order (29) but not in BGR order (11 on
    // 76): only a conversion with swapped channels would find an object here.
    const int index = m_store.addImage(
        objectImage({120, 90}, {30, 20, 50, 40}, cv::Vec3b(0, 0, 255), cv::Vec3b(97, 0, 0)));
    QVERIFY(m_store.render(QString::number(index) + "#crop=1&padding=0&maxWidth=100").empty());
    const int swapped = m_store.addImage(
        objectImage({120, 90}, {30, 20, 50, 40}, cv::Vec3b(255, 0, 0), cv::Vec3b(0, 0, 97)));
    QVERIFY(!m_store.render(QString::number(swapped) + "#crop=1&padding=0&maxWidth=100").empty());
}

void TestProcessImage::handChosenBox_data()
{
    QTest::addColumn<QString>("options");
    // The region the export shows; empty where the detected box must be used.
    QTest::addColumn<cv::Rect>("region");
    QTest::newRow("inside") << "crop=1&padding=10&box=50,40,100,60" << cv::Rect(40, 30, 120, 80);
    QTest::newRow("no padding") << "crop=1&padding=0&box=50,40,100,60" << cv::Rect(50, 40, 100, 60);
    QTest::newRow("partly outside: clipped")
        << "crop=1&padding=10&box=-20,250,100,100" << cv::Rect(0, 240, 90, 60);
    QTest::newRow("huge numbers: clipped")
        << "crop=1&padding=0&box=0,5,2147483647,2147483647" << cv::Rect(0, 5, 400, 295);
    QTest::newRow("no width") << "crop=1&padding=10&box=10,10,0,50" << cv::Rect();
    QTest::newRow("entirely outside") << "crop=1&padding=10&box=500,500,10,10" << cv::Rect();
    QTest::newRow("not a number") << "crop=1&padding=10&box=1,2,x,4" << cv::Rect();
    QTest::newRow("without crop: the whole photo")
        << "crop=0&padding=10&box=50,40,100,60" << cv::Rect(0, 0, 400, 300);
}

// A box chosen by hand stands for the detected one; the padding, the clip and the scaling are
// the same as for a detected box.
void TestProcessImage::handChosenBox()
{
    QFETCH(QString, options);
    QFETCH(cv::Rect, region);
    const cv::Mat photo =
        objectImage({400, 300}, {100, 80, 120, 90}, {20, 40, 60}, {240, 220, 200});
    const int index = m_store.addImage(photo);
    const QString base = QStringLiteral("%1#maxWidth=200&").arg(index);
    const cv::Mat result = m_store.render(base + options);
    if (region.empty()) {
        // Ignored: exactly the crop of the detected box.
        QVERIFY(samePixels(result, m_store.render(base + options.section("&box=", 0, 0))));
        return;
    }
    cv::Mat expected = photo(region).clone();
    if (options.startsWith(QLatin1String("crop=1")))
        cv::resize(expected, expected, cv::Size(200, ::scaledHeight(region.size(), 200)), 0, 0,
                   cv::INTER_LINEAR);
    QVERIFY(samePixels(result, expected));
}

void TestProcessImage::sizes_data()
{
    QTest::addColumn<bool>("percent");
    QTest::addColumn<bool>("original");
    QTest::addColumn<bool>("noEnlarge");
    QTest::newRow("pixels, scaled to the width") << false << false << false;
    QTest::newRow("never enlarged") << false << false << true;
    QTest::newRow("original size") << false << true << false;
    QTest::newRow("padding in percent") << true << false << false;
    QTest::newRow("percent, original size") << true << true << false;
}

// Random photos, boxes and options against a plain oracle of the framing: the margin in pixels
// or as a share of the object's longer side, the cut-out at its own size, never scaled up when
// asked; the old descriptors stay as they were and every option survives its descriptor.
void TestProcessImage::sizes()
{
    QFETCH(bool, percent);
    QFETCH(bool, original);
    QFETCH(bool, noEnlarge);
    std::mt19937 random(unsigned(percent) * 4 + unsigned(original) * 2 + unsigned(noEnlarge));
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 200; ++i) {
        const cv::Size photo(uniform(50, 3000), uniform(50, 3000));
        const cv::Rect box(uniform(0, photo.width - 10), uniform(0, photo.height - 10),
                           uniform(1, 200), uniform(1, 200));
        ImageOptions options;
        options.crop = true;
        options.padding = uniform(0, percent ? 50 : 300);
        options.maxWidth = uniform(1, 2000);
        options.paddingPercent = percent;
        options.originalSize = original;
        options.noEnlarge = noEnlarge;
        const Framing framing = frameImage(options, photo, box);

        const int margin =
            percent ? int(std::lround(std::max(box.width, box.height) * options.padding / 100.0))
                    : options.padding;
        const cv::Rect region =
            (box + cv::Point(-margin, -margin) + cv::Size(2 * margin, 2 * margin)) &
            cv::Rect(cv::Point(0, 0), photo);
        const int width = original    ? region.width
                          : noEnlarge ? std::min(options.maxWidth, region.width)
                                      : options.maxWidth;
        const int height =
            original ? region.height : int(region.height * (double(width) / region.width));
        // Less than a pixel high: no picture at all.
        QCOMPARE(framing.region, height >= 1 ? region : cv::Rect());
        QCOMPARE(framing.size, height >= 1 ? cv::Size(width, height) : cv::Size());
        if (noEnlarge || original)
            QVERIFY(framing.size.width <= region.width);

        // Every option survives its descriptor; one left unset adds no key to it.
        ImageOptions framed = options;
        framed.aspect = cv::Size(uniform(1, 20), uniform(1, 20));
        framed.fill = uniform(0, 100);
        framed.exactSize = cv::Size(uniform(1, 4000), uniform(1, 4000));
        framed.frameColour = cv::Vec3b(uchar(uniform(0, 255)), 0, uchar(uniform(0, 255)));
        framed.detector = Detector::Object;
        for (const ImageOptions &written : {options, framed})
            QCOMPARE(descriptorText(parseOptions(descriptorText(written))),
                     descriptorText(written));
        QCOMPARE(descriptorText(options).count('&'), 2 + percent + original + noEnlarge);
    }
}

void TestProcessImage::frames_data()
{
    QTest::addColumn<bool>("fill");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("noEnlarge");
    QTest::newRow("aspect, padding") << false << false << false;
    QTest::newRow("aspect, object fills") << true << false << false;
    QTest::newRow("exact size") << false << true << false;
    QTest::newRow("exact size, object fills, never enlarged") << true << true << true;
    QTest::newRow("width never enlarged, object fills") << true << false << true;
}

// Frames of random photos, boxes, aspects and sizes against what a frame promises: the object's
// box inside, the aspect exact to the pixel, the object centred within a pixel where the photo
// has room, the photo's own pixels taken where it has them, the object's share within 1%, the
// frame no larger than it needs; and the picture against a naive one, cut from the photo laid
// on a canvas of the frame's colour.
void TestProcessImage::frames()
{
    QFETCH(bool, fill);
    QFETCH(bool, exact);
    QFETCH(bool, noEnlarge);
    std::mt19937 random(unsigned(fill) * 4 + unsigned(exact) * 2 + unsigned(noEnlarge));
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const cv::Size aspects[] = {{1, 1}, {4, 5}, {3, 4}, {2, 3}, {16, 9}, {7, 3}};
    for (int i = 0; i < 300; ++i) {
        const cv::Size photo(uniform(20, 400), uniform(20, 400));
        const cv::Rect box(uniform(0, photo.width - 1), uniform(0, photo.height - 1), 0, 0);
        const cv::Rect object(
            box.tl(), cv::Size(uniform(1, photo.width - box.x), uniform(1, photo.height - box.y)));
        ImageOptions options;
        options.crop = true;
        options.padding = uniform(0, 60);
        options.maxWidth = uniform(1, 900);
        options.noEnlarge = noEnlarge;
        options.fill = fill ? uniform(30, 100) : 0;
        options.exactSize = exact ? cv::Size(uniform(1, 900), uniform(1, 900)) : cv::Size();
        options.aspect = exact ? cv::Size() : aspects[i % std::size(aspects)];
        options.frameColour = cv::Vec3b(uchar(uniform(0, 255)), 7, 200);
        const cv::Size ratio = exact ? options.exactSize : options.aspect;
        const double aspect = double(ratio.width) / ratio.height;
        const Framing framing = frameImage(options, photo, object);
        const cv::Rect &frame = framing.region;
        const QByteArray what = qPrintable(
            descriptorText(options) +
            QStringLiteral(" %1x%2 %3").arg(photo.width).arg(photo.height).arg(boxText(object)));
        QVERIFY2((frame & object) == object, what);
        QVERIFY2(std::abs(frame.width - frame.height * aspect) <= std::max(1.0, aspect), what);
        // As small as the padding or the share asks: one side tight.
        const double margin = options.padding;
        const double needWidth =
            fill ? object.width * 100.0 / options.fill : object.width + 2 * margin;
        const double needHeight =
            fill ? object.height * 100.0 / options.fill : object.height + 2 * margin;
        QVERIFY2(std::min(frame.width - needWidth, frame.height - needHeight) <= 1.0, what);
        QVERIFY2(frame.width >= needWidth - 1 && frame.height >= needHeight - 1, what);
        // Within 1% where a pixel is less than 1% of the object.
        if (fill && std::min(object.width, object.height) >= 100) {
            const double share =
                std::max(double(object.width) / frame.width, double(object.height) / frame.height);
            QVERIFY2(std::abs(share - options.fill / 100.0) <= 0.01 * options.fill / 100.0, what);
        }
        for (const auto &[start, extent, centre, limit] :
             {std::tuple(frame.x, frame.width, object.x + object.width / 2.0, photo.width),
              std::tuple(frame.y, frame.height, object.y + object.height / 2.0, photo.height)}) {
            if (extent <= limit)
                QVERIFY2(start >= 0 && start + extent <= limit, what);
            else
                QVERIFY2(start <= 0 && start + extent >= limit, what);
            const bool room = centre - extent / 2.0 >= 0 && centre + extent / 2.0 <= limit;
            if (room)
                QVERIFY2(std::abs(start + extent / 2.0 - centre) <= 1.0, what);
        }
        if (exact) {
            QCOMPARE(framing.size, options.exactSize);
        } else {
            QVERIFY2(std::abs(framing.size.height - framing.size.width / aspect) <= 0.5, what);
            QCOMPARE(framing.size.width,
                     noEnlarge ? std::min(options.maxWidth, frame.width) : options.maxWidth);
        }
        // Bilinear sampling is compared where it samples densely enough to be the same picture.
        if (i % 5 || framing.size.width * 4 < frame.width)
            continue;
        // The picture: a naive canvas of the frame, the photo laid on it, scaled.
        cv::Mat pixels = noiseImage(photo);
        cv::GaussianBlur(pixels, pixels, cv::Size(), 3);
        const cv::Mat made = processPhoto(pixels, options, object);
        const cv::Scalar colour(options.frameColour[0], 7, 200);
        cv::Mat canvas(frame.size(), CV_8UC3, colour);
        const cv::Rect inside = frame & cv::Rect(cv::Point(0, 0), photo);
        pixels(inside).copyTo(canvas(inside - frame.tl()));
        const cv::Rect placed =
            framing.placed.empty() ? cv::Rect(cv::Point(0, 0), framing.size) : framing.placed;
        cv::Mat naive(framing.size, CV_8UC3, colour);
        cv::Mat target = naive(placed);
        cv::resize(canvas, target, placed.size(), 0, 0, cv::INTER_LINEAR);
        QCOMPARE(made.size(), naive.size());
        cv::Mat difference;
        cv::absdiff(made, naive, difference);
        QVERIFY2(cv::mean(difference)[0] < 3, what);
    }
}

// A framed pair: the joined picture in the middle of the frame, the frame at the style's aspect
// or exact size, on the background; a style's text carries the frame.
void TestProcessImage::framedPairs()
{
    PairStyle style;
    style.aspect = cv::Size(1, 1);
    style.background = cv::Vec3b(10, 20, 30);
    const cv::Mat left = plainImage(300, 200, {200, 0, 0});
    const cv::Mat right = plainImage(100, 200, {0, 200, 0});
    const cv::Mat square = joinPair(left, right, style);
    QCOMPARE(square.size(), cv::Size(400, 400));
    QCOMPARE(square.at<cv::Vec3b>(0, 0), style.background);
    QCOMPARE(square.at<cv::Vec3b>(100, 0), cv::Vec3b(200, 0, 0));
    QCOMPARE(square.at<cv::Vec3b>(299, 399), cv::Vec3b(0, 200, 0));
    QCOMPARE(square.at<cv::Vec3b>(300, 399), style.background);
    style.exactSize = cv::Size(1080, 1350);
    QCOMPARE(pairGeometry(left.size(), right.size(), style).size, cv::Size(1080, 1350));
    const PairStyle back = parsePairStyle(pairStyleText(style));
    QCOMPARE(back.exactSize, style.exactSize);
    QCOMPARE(back.aspect, style.aspect);
    QCOMPARE(back.background, style.background);
    QCOMPARE(pairStyleText(PairStyle()), QString());
}

void TestProcessImage::turns_data()
{
    QTest::addColumn<int>("quarters");
    QTest::addColumn<double>("degrees");
    for (int quarters : {0, 1, 2, 3})
        for (double degrees : {0.0, 4.0, -7.5})
            QTest::addRow("%d quarters, %g°", quarters, degrees) << quarters << degrees;
}

// Quarter turns move every pixel where a naive loop puts it and leave the photo given (maybe the
// cache's) as it was. A white object's box turns with it: exactly by quarters; by small angles,
// around every pixel the object touches (half white at least: interpolation blurs its edges),
// within a pixel of it on each side.
void TestProcessImage::turns()
{
    QFETCH(int, quarters);
    QFETCH(double, degrees);
    const Turn turn{quarters, degrees};
    if (degrees == 0) {
        const cv::Mat photo = noiseImage({7, 5});
        const cv::Mat before = photo.clone();
        const cv::Mat turned = turnImage(photo, turn);
        QVERIFY(samePixels(turned, naiveQuarters(photo, quarters)));
        QCOMPARE(turned.size(), turnedSize(photo.size(), turn));
        QVERIFY(samePixels(photo, before));
    }
    std::mt19937 random(unsigned(quarters * 100 + int(degrees * 10) + 1000));
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const cv::Size size(120, 80);
    for (int trial = 0; trial < 20; ++trial) {
        const cv::Rect box(uniform(20, 69), uniform(20, 39), uniform(5, 29), uniform(5, 19));
        cv::Mat grey;
        cv::extractChannel(turnImage(objectImage(size, box, {0, 0, 0}, {255, 255, 255}), turn),
                           grey, 0);
        const cv::Rect object = cv::boundingRect(grey > 127);
        const cv::Rect turned = turnBox(box, size, turn);
        if (degrees != 0) {
            QCOMPARE(turned & object, object);
            QVERIFY(turned.width - object.width <= 2 && turned.height - object.height <= 2);
            continue;
        }
        QCOMPARE(turned, object);
        // A box drawn on a photo turned by quarters turns back exactly.
        const Turn other{(quarters + 1) % 4, 0};
        QCOMPARE(returnBox(returnBox(turned, size, turn, other), size, other, turn), turned);
    }
}

QTEST_APPLESS_MAIN(TestProcessImage)
#include "tst_processimage.moc"
