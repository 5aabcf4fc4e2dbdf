// Guards the object detector's contract on generated photos whose object is known: the box holds
// the object and little else, at any pixel size, and the detector is unsure where nothing stands
// out.
#include "image/objectdetection.h"
#include "support/testimages.h"

#include <QtTest>
#include <opencv2/imgproc.hpp>

namespace {
// A studio-sized photo: the shapes below are laid out on it and scaled with it.
const cv::Size photoSize(600, 400);

// A sweep: light at the top, a little darker towards the floor, and a lens's vignette.
cv::Mat sweep(const cv::Size &size)
{
    cv::Mat image(size, CV_8UC3);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            const double dx = (x - size.width / 2.0) / size.width;
            const double dy = (y - size.height / 2.0) / size.height;
            const double light = (235 - 30.0 * y / size.height) * (1 - 0.35 * (dx * dx + dy * dy));
            image.at<cv::Vec3b>(y, x) =
                cv::Vec3b(uchar(light), uchar(light - 4), uchar(light - 10));
        }
    return image;
}

// A ground of grass: green of every shade in blades a few pixels long.
cv::Mat grass(const cv::Size &size)
{
    cv::Mat noise(size, CV_8UC3);
    cv::RNG rng(7);
    rng.fill(noise, cv::RNG::UNIFORM, cv::Scalar(40, 90, 20), cv::Scalar(110, 170, 60));
    cv::Mat blades;
    cv::blur(noise, blades, cv::Size(1, 5));
    return blades;
}

void addNoise(cv::Mat &image, double sigma)
{
    cv::Mat noise(image.size(), CV_16SC3);
    cv::RNG rng(11);
    rng.fill(noise, cv::RNG::NORMAL, 0, sigma);
    cv::add(image, noise, image, cv::noArray(), CV_8UC3);
}

const cv::Scalar red(200, 40, 30);
const cv::Scalar blue(30, 60, 170);

struct Scene
{
    cv::Mat image;
    cv::Rect object;
};

Scene sweepWithShadow()
{
    Scene scene{sweep(photoSize), cv::Rect(220, 110, 160, 200)};
    // The shadow: the ground darkened, its colour kept, soft-edged, falling to the right.
    cv::Mat shade(photoSize, CV_32F, cv::Scalar(0));
    cv::ellipse(shade, cv::Point(360, 300), cv::Size(120, 22), 0, 0, 360, cv::Scalar(0.35),
                cv::FILLED);
    cv::GaussianBlur(shade, shade, cv::Size(), 12);
    for (int y = 0; y < photoSize.height; ++y)
        for (int x = 0; x < photoSize.width; ++x)
            scene.image.at<cv::Vec3b>(y, x) *= 1 - shade.at<float>(y, x);
    cv::ellipse(scene.image, cv::Point(300, 210), cv::Size(80, 100), 0, 0, 360, red, cv::FILLED,
                cv::LINE_AA);
    return scene;
}

Scene twoParts()
{
    // A pair of shoes: two parts a gap apart, one object.
    Scene scene{sweep(photoSize), cv::Rect(150, 150, 310, 120)};
    cv::rectangle(scene.image, cv::Rect(150, 150, 130, 120), blue, cv::FILLED);
    cv::rectangle(scene.image, cv::Rect(330, 160, 130, 110), blue, cv::FILLED);
    return scene;
}

Scene touchingEdge()
{
    // Cut by the photo's lower edge, as a standing person often is.
    Scene scene{sweep(photoSize), cv::Rect(240, 120, 140, 280)};
    cv::rectangle(scene.image, scene.object, blue, cv::FILLED);
    return scene;
}

Scene onGrass()
{
    Scene scene{grass(photoSize), cv::Rect(200, 130, 200, 140)};
    cv::ellipse(scene.image, cv::Point(300, 200), cv::Size(100, 70), 0, 0, 360,
                cv::Scalar(235, 235, 225), cv::FILLED, cv::LINE_AA);
    return scene;
}

// What a camera of factor² more pixels shows of the scene: resampled up, with a sensor's noise.
Scene atCameraSize(const Scene &scene, int factor)
{
    Scene large;
    cv::resize(scene.image, large.image, scene.image.size() * factor, 0, 0, cv::INTER_LINEAR);
    addNoise(large.image, 4);
    large.object = cv::Rect(scene.object.tl() * factor, scene.object.size() * factor);
    return large;
}

double overlap(const cv::Rect &a, const cv::Rect &b)
{
    return double((a & b).area()) / (a | b).area();
}
} // namespace

class TestObjectDetection : public QObject
{
    Q_OBJECT

private slots:
    void knownObjects_data();
    void knownObjects();
    void nothingStandsOut();
    void boxScalesOutwards();
};

void TestObjectDetection::knownObjects_data()
{
    QTest::addColumn<cv::Mat>("image");
    QTest::addColumn<cv::Rect>("object");
    const std::pair<const char *, Scene> scenes[] = {
        {"sweep with a soft shadow", sweepWithShadow()},
        {"two parts of one object", twoParts()},
        {"touching the edge", touchingEdge()},
        {"on a textured ground", onGrass()}};
    for (const auto &[name, scene] : scenes) {
        QTest::newRow(name) << scene.image << scene.object;
        const Scene large = atCameraSize(scene, 6);
        QTest::addRow("%s, at camera size", name) << large.image << large.object;
    }
}

// The box holds the whole object, and the ground (shadow, sweep, grass) adds little to it; the
// detector is sure of it.
void TestObjectDetection::knownObjects()
{
    QFETCH(cv::Mat, image);
    QFETCH(cv::Rect, object);
    const ObjectDetection found = detectObject(image);
    const QByteArray box = QByteArray::number(found.box.x) + ',' + QByteArray::number(found.box.y) +
                           ',' + QByteArray::number(found.box.width) + ',' +
                           QByteArray::number(found.box.height);
    QVERIFY2((found.box & object).area() >= 0.98 * object.area(), box);
    QVERIFY2(overlap(found.box, object) >= 0.85, box);
    QVERIFY2(objectDoubt(found).isEmpty(), QByteArray::number(found.confidence));
}

void TestObjectDetection::nothingStandsOut()
{
    cv::Mat plain = sweep(photoSize);
    addNoise(plain, 3);
    const ObjectDetection found = detectObject(plain);
    QVERIFY(!objectDoubt(found).isEmpty());
    QCOMPARE(detectObject(cv::Mat()).box, cv::Rect());
    // Too small to have an inside: the whole photo, unsure.
    const ObjectDetection tiny = detectObject(plainImage(2, 2, cv::Vec3b(9, 9, 9)));
    QCOMPARE(tiny.box, cv::Rect(0, 0, 2, 2));
    QVERIFY(!objectDoubt(tiny).isEmpty());
}

// A box of the reduced copy covers at least the pixels it stood for in the full photo.
void TestObjectDetection::boxScalesOutwards()
{
    QCOMPARE(scaleBox({1, 1, 2, 2}, {3, 3}, {10, 10}), cv::Rect(3, 3, 7, 7));
    QCOMPARE(scaleBox({0, 0, 750, 500}, {750, 500}, {6000, 4000}), cv::Rect(0, 0, 6000, 4000));
    QCOMPARE(scaleBox({10, 10, 5, 5}, {}, {10, 10}), cv::Rect());
}

QTEST_GUILESS_MAIN(TestObjectDetection)
#include "tst_objectdetection.moc"
