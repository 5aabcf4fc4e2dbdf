// Guards the conversion to sRGB against Little CMS's own floating-point transform, and which
// profile the pictures of one file end in.
#include "image/colour.h"
#include "support/testimages.h"

#include <QtTest>
#include <lcms2.h>

namespace {
// Every pixel through a transform of doubles, rounded once at the end.
cv::Mat naiveSrgb(const cv::Mat &rgb, const QByteArray &profile)
{
    cmsHPROFILE source =
        cmsOpenProfileFromMem(profile.constData(), cmsUInt32Number(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_RGB_DBL, srgb, TYPE_RGB_DBL,
                                                 INTENT_PERCEPTUAL, cmsFLAGS_NOOPTIMIZE);
    cv::Mat out(rgb.size(), CV_8UC3);
    for (int y = 0; y < rgb.rows; ++y)
        for (int x = 0; x < rgb.cols; ++x) {
            const cv::Vec3b in = rgb.at<cv::Vec3b>(y, x);
            double from[3] = {in[0] / 255.0, in[1] / 255.0, in[2] / 255.0}, to[3];
            cmsDoTransform(transform, from, to, 1);
            for (int c = 0; c < 3; ++c)
                out.at<cv::Vec3b>(y, x)[c] = cv::saturate_cast<uchar>(to[c] * 255.0);
        }
    cmsDeleteTransform(transform);
    cmsCloseProfile(srgb);
    cmsCloseProfile(source);
    return out;
}
} // namespace

class TestColour : public QObject
{
    Q_OBJECT

private slots:
    void againstLittleCms_data();
    void againstLittleCms();
    void leftAsItIs();
    void sharedProfile_data();
    void sharedProfile();
};

void TestColour::againstLittleCms_data()
{
    QTest::addColumn<int>("space");
    QTest::newRow("Adobe RGB") << int(RgbSpace::AdobeRgb);
    QTest::newRow("Display P3") << int(RgbSpace::DisplayP3);
}

// Within a level of the exact transform on average, two at most (its 8-bit tables interpolate).
void TestColour::againstLittleCms()
{
    QFETCH(int, space);
    const QByteArray profile = rgbProfile(RgbSpace(space));
    const cv::Mat image = noiseImage({97, 61});
    const cv::Mat ours = toSrgb(image, profile);
    const cv::Mat oracle = naiveSrgb(image, profile);
    QCOMPARE(ours.size(), image.size());
    QVERIFY(cv::norm(ours, oracle, cv::NORM_L1) / double(image.total() * 3) <= 1.0);
    QVERIFY(cv::norm(ours, oracle, cv::NORM_INF) <= 2);
    // Wide-gamut colours are really moved: a pure red of Adobe RGB lies outside sRGB.
    QVERIFY(cv::norm(ours, image, cv::NORM_L1) / double(image.total() * 3) > 3.0);
}

// No profile, one that cannot be read and one of another colour space leave the image as it is.
void TestColour::leftAsItIs()
{
    const cv::Mat image = noiseImage({8, 8});
    cmsToneCurve *gamma = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE grey = cmsCreateGrayProfile(cmsD50_xyY(), gamma);
    cmsFreeToneCurve(gamma);
    const QByteArray greyProfile = profileBytes(grey);
    for (const QByteArray &profile :
         {QByteArray(), QByteArray("not a profile at all, nowhere near 128 bytes"), greyProfile})
        QVERIFY(toSrgb(image, profile).data == image.data);
}

void TestColour::sharedProfile_data()
{
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QByteArray>("right");
    QTest::addColumn<bool>("srgb");
    QTest::addColumn<bool>("kept");
    const QByteArray adobe = rgbProfile(RgbSpace::AdobeRgb);
    const QByteArray p3 = rgbProfile(RgbSpace::DisplayP3);
    QTest::newRow("both without") << QByteArray() << QByteArray() << false << true;
    QTest::newRow("both Adobe RGB") << adobe << adobe << false << true;
    QTest::newRow("both Adobe RGB, sRGB asked") << adobe << adobe << true << false;
    QTest::newRow("Adobe RGB and Display P3") << adobe << p3 << false << false;
    QTest::newRow("Adobe RGB and none") << adobe << QByteArray() << false << false;
}

// A profile both halves share is kept with their pixels untouched; otherwise each half is in
// sRGB, as its own profile converts it.
void TestColour::sharedProfile()
{
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, right);
    QFETCH(bool, srgb);
    QFETCH(bool, kept);
    const std::vector<cv::Mat> originals{noiseImage({16, 8}), noiseImage({12, 8})};
    std::vector<cv::Mat> pictures = originals;
    const QByteArray shared = ::sharedProfile(pictures, {left, right}, srgb);
    QCOMPARE(shared, kept ? left : QByteArray());
    for (int i = 0; i < 2; ++i)
        QVERIFY(samePixels(pictures[i],
                           kept ? originals[i] : toSrgb(originals[i], i == 0 ? left : right)));
}

QTEST_APPLESS_MAIN(TestColour)
#include "tst_colour.moc"
