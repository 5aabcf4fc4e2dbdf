// Guards the decoding of imported files: RGB order, orientation, hostile files, header bombs.
#include "image/decode.h"
#include "image/photofiles.h"
#include "support/testimages.h"

#include <QtTest>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <zlib.h>

#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {
QByteArray bigEndian(quint32 value)
{
    const quint32 stored = qToBigEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&stored), 4);
}

// A valid PNG signature and header chunk for a picture of width by height, then nothing.
QByteArray pngHeader(quint32 width, quint32 height)
{
    const QByteArray chunk = "IHDR" + bigEndian(width) + bigEndian(height) +
                             QByteArray::fromHex("0802000000"); // 8-bit RGB
    return QByteArray::fromHex("89504e470d0a1a0a") + bigEndian(13) + chunk +
           bigEndian(quint32(
               crc32(0, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(chunk.size()))));
}

// A real JPEG whose frame header is changed to declare width by height.
QByteArray jpegDeclaring(quint16 width, quint16 height)
{
    QByteArray jpeg = encoded(".jpg", cv::Mat(16, 16, CV_8UC3, cv::Scalar(1, 2, 3)));
    const int frame = jpeg.indexOf(QByteArray::fromHex("ffc0"));
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xff);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xff);
    return jpeg;
}

// The process's peak memory in KiB; 0 where it cannot be told (sanitizers keep shadow memory).
long peakKiB()
{
#if defined(Q_OS_LINUX) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}
} // namespace

class TestDecode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }
    void decodedForms_data();
    void decodedForms();
    void upright_data();
    void upright();
    void heicGrid();
    void thumbnailDecode_data();
    void thumbnailDecode();
    void refused_data();
    void refused();
    void damagedFiles_data();
    void damagedFiles();

private:
    QTemporaryDir m_folder;
};

void TestDecode::decodedForms_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<cv::Vec3b>("firstPixel");

    cv::Mat bgr(4, 6, CV_8UC3, cv::Scalar(255, 0, 0)); // pure blue in file order
    bgr.at<cv::Vec3b>(0, 1) = cv::Vec3b(0, 0, 255);    // pure red
    QTest::newRow("colour: blue stored as RGB")
        << "colour.png" << encoded(".png", bgr) << cv::Vec3b(0, 0, 255);
    QTest::newRow("grey: three equal channels")
        << "grey.png" << encoded(".png", cv::Mat(4, 6, CV_8UC1, cv::Scalar(77)))
        << cv::Vec3b(77, 77, 77);
    QTest::newRow("alpha dropped")
        << "alpha.png" << encoded(".png", cv::Mat(4, 6, CV_8UC4, cv::Scalar(10, 20, 30, 0)))
        << cv::Vec3b(30, 20, 10);
    QTest::newRow("16-bit reduced to 8")
        << "deep.png"
        << encoded(".png", cv::Mat(4, 6, CV_16UC3, cv::Scalar(0x1000, 0x8000, 0xff00)))
        << cv::Vec3b(0xff, 0x80, 0x10);
    QTest::newRow("plain tiff, not taken for a camera's")
        << "plain.tiff" << encoded(".tiff", bgr) << cv::Vec3b(0, 0, 255);
    QTest::newRow("named unlike its format")
        << "really-a-png.jpg" << encoded(".png", bgr) << cv::Vec3b(0, 0, 255);
}

void TestDecode::decodedForms()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const cv::Mat stored = readImageFile(writeFile(m_folder.filePath(name), bytes));
    QCOMPARE(stored.type(), CV_8UC3);
    QCOMPARE(stored.size(), cv::Size(6, 4));
    QTEST(stored.at<cv::Vec3b>(0, 0), "firstPixel");
}

void TestDecode::upright_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("tolerance"); // the format's loss
    // Red in the top left quarter of a blue picture, turned a quarter clockwise by its file's
    // tag or rotation: shown upright, the red corner is at the top right.
    cv::Mat rgb(64, 96, CV_8UC3, cv::Scalar(40, 60, 200));
    rgb(cv::Rect(0, 0, 48, 32)).setTo(cv::Scalar(210, 40, 30));
    QTest::newRow("jpeg, orientation tag") << cameraFile(".jpg", rgb, {}, 6) << 60;
    QTest::newRow("heic, rotation") << heic(rgb, heif_orientation_rotate_90_cw) << 60;
    QTest::newRow("dng, orientation tag") << dngFile(rgb, 6) << 100;
}

void TestDecode::upright()
{
    QFETCH(QByteArray, file);
    QFETCH(int, tolerance);
    const cv::Mat turned = decodeImage(file);
    QCOMPARE(turned.size(), cv::Size(64, 96));
    QVERIFY(turned.at<cv::Vec3b>(5, 60)[0] > 255 - tolerance);
    QVERIFY(turned.at<cv::Vec3b>(60, 5)[0] < tolerance);
    QCOMPARE(decodePreview(file).size, cv::Size(64, 96));
    QCOMPARE(declaredPixels(file), qint64(64 * 96));
}

// A grid of tiles, as phones write HEIC, here of one tile larger than the picture.
void TestDecode::heicGrid()
{
    const QByteArray grid = readPhotoFile(QStringLiteral(MORVICK2_IMPORT_SEEDS "/small.heic"));
    QCOMPARE(decodeImage(grid).size(), cv::Size(16, 12));
}

void TestDecode::thumbnailDecode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("decodedInFull"); // the full image comes along
    cv::Mat picture(1203, 1802, CV_8UC3);
    cv::randu(picture, 0, 40);
    cv::circle(picture, {700, 500}, 400, cv::Scalar(20, 200, 90), cv::FILLED);
    cv::rectangle(picture, cv::Rect(1200, 200, 300, 800), cv::Scalar(230, 40, 40), cv::FILLED);
    cv::Mat large;
    cv::resize(picture, large, cv::Size(6001, 4003));
    QTest::newRow("jpeg at a half") << encoded(".jpg", picture) << false;
    QTest::newRow("jpeg at an eighth, odd sides") << encoded(".jpg", large) << false;
    QTest::newRow("jpeg turned by its tag") << cameraFile(".jpg", picture, {}, 6) << false;
    QTest::newRow("small jpeg: no gain") << encoded(".jpg", cv::Mat(300, 500, CV_8UC3, 9)) << true;
    QTest::newRow("png") << encoded(".png", picture) << true;
}

// The thumbnail decode agrees with the full decode reduced (an oracle of the plain calls) in
// size and, within JPEG's rounding, in pixels; its packed form too.
void TestDecode::thumbnailDecode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, decodedInFull);
    const cv::Mat full = decodeImage(bytes);
    const cv::Mat oracle = reducedCopy(full);
    const PhotoPreview decoded = decodePreview(bytes);
    QCOMPARE(decoded.size, full.size());
    QCOMPARE(decoded.preview.size(), oracle.size());
    QCOMPARE(!decoded.image.empty(), decodedInFull);
    const auto meanDifference = [&oracle](const cv::Mat &preview) {
        return cv::norm(preview, oracle, cv::NORM_L1) / double(oracle.total() * 3);
    };
    QVERIFY2(meanDifference(decoded.preview) < 3, "the thumbnail differs from the photo");
    QVERIFY2(meanDifference(unpackPreview(packPreview(decoded.preview))) < 4,
             "the packed thumbnail differs from the photo");
}

// Each file is made here, under its own name, before the rows run.
void TestDecode::refused_data()
{
    QTest::addColumn<QVariant>("url");
    auto at = [this](const QString &name) {
        return QVariant(QUrl::fromLocalFile(m_folder.filePath(name)));
    };
    auto file = [&](const QString &name, const QByteArray &bytes) {
        writeFile(m_folder.filePath(name), bytes);
        return at(name);
    };
    QTest::newRow("empty file") << file("empty.png", {});
    // Headers that declare huge pictures over a few bytes. The last two are within OpenCV's own
    // limit: only our 250 megapixels stop them.
    QTest::newRow("png header beyond the pixel limit")
        << file("huge.png", pngHeader(100000, 100000));
    QTest::newRow("jpeg header beyond the pixel limit")
        << file("huge.jpg", jpegDeclaring(65000, 65000));
    QTest::newRow("png header of 252 megapixels") << file("252.png", pngHeader(20000, 12600));
    QTest::newRow("jpeg header of 256 megapixels") << file("256.jpg", jpegDeclaring(16000, 16000));
    QTest::newRow("dng header beyond the pixel limit")
        << file("huge.dng", dngFile(plainImage(8, 8, {1, 2, 3}), 1, {100000, 100000}));
    const QByteArray heif = heic(plainImage(96, 64, {1, 2, 3}));
    QTest::newRow("heic cut short") << file("cut.heic", heif.left(heif.size() / 3));
    // Its spatial-extent box (after version and flags: width, height) says 100000 × 100000.
    QByteArray bomb = heif;
    bomb.replace(bomb.indexOf("ispe") + 8, 8, QByteArray::fromHex("000186a0000186a0"));
    QTest::newRow("heic header beyond the pixel limit") << file("huge.heic", bomb);
    // Found by fuzzing: the grid below describing a larger picture than its header's 16 × 12, far
    // (8192 × 8192, refused before it is allocated) or a little (512 × 512).
    const auto lyingGrid = [&](const char *name, const char *size) {
        QByteArray grid = readPhotoFile(QStringLiteral(MORVICK2_IMPORT_SEEDS "/small.heic"));
        return file(name, grid.replace(grid.indexOf("idat") + 8, 4, QByteArray::fromHex(size)));
    };
    QTest::newRow("heic grid far beyond its header") << lyingGrid("far.heic", "20002000");
    QTest::newRow("heic grid a little beyond its header") << lyingGrid("little.heic", "02000200");
    QTest::newRow("dng cut short")
        << file("cut.dng", dngFile(plainImage(64, 64, {1, 2, 3})).left(3000));
    // Found by fuzzing: GDCM asserted on it and took the application down.
    QTest::newRow("malformed DICOM")
        << file("dicom.png", "not" + QByteArray(120, '\0') + " a\xf2 iDICM\n");
    // Found by fuzzing: the declared size overflowed when multiplied.
    QTest::newRow("png header of 2^32 - 1 square")
        << file("overflow.png", pngHeader(0xffffffffu, 0xffffffffu));
    // Must be refused without opening it: a read would wait for a writer forever.
    QCOMPARE(mkfifo(QFile::encodeName(m_folder.filePath("pipe.png")).constData(), 0600), 0);
    QTest::newRow("named pipe") << at("pipe.png");
    QVERIFY(QFile::link(m_folder.filePath("nowhere.png"), m_folder.filePath("dangling.png")));
    QTest::newRow("dangling link") << at("dangling.png");
    QTest::newRow("directory") << QVariant(QUrl::fromLocalFile(m_folder.path()));
    QTest::newRow("not a local file URL") << QVariant("http://example.invalid/a.png");
    QTest::newRow("empty") << QVariant();
}

void TestDecode::refused()
{
    QFETCH(QVariant, url);
    const long peakBefore = peakKiB();
    QVERIFY(readImageFile(localPathFromUrl(url)).empty());
    // Refused before any pixel is decoded: what a header claims is never paid for in memory.
    QVERIFY(peakKiB() - peakBefore < 64 * 1024);
}

void TestDecode::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("damaged");
    const cv::Mat noise = noiseImage({320, 240});
    const QByteArray jpeg = encoded(".jpg", noise);
    const QByteArray png = encoded(".png", noise);
    std::vector<uchar> progressive;
    cv::imencode(".jpg", noise, progressive, {cv::IMWRITE_JPEG_PROGRESSIVE, 1});
    const QByteArray steps(reinterpret_cast<const char *>(progressive.data()),
                           int(progressive.size()));
    QTest::newRow("whole jpeg") << jpeg << false;
    QTest::newRow("jpeg, trailing bytes after its end") << jpeg + "trailer" << false;
    QTest::newRow("jpeg with an orientation tag") << cameraFile(".jpg", noise, {}, 6) << false;
    QTest::newRow("jpeg cut short") << jpeg.left(jpeg.size() * 3 / 5) << true;
    QTest::newRow("progressive jpeg") << steps << false;
    QTest::newRow("progressive jpeg cut short") << steps.left(steps.size() * 3 / 5) << true;
    QTest::newRow("whole png") << png << false;
    QTest::newRow("png cut short") << png.left(png.size() * 3 / 5) << true;
}

// A file cut short is named damaged, a whole one is not.
void TestDecode::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    QCOMPARE(!fileDamage(bytes).isEmpty(), damaged);
    // A baseline JPEG cut short decodes (a progressive one may not: it is refused then).
    if (bytes.startsWith("\xFF\xD8") &&
        !QByteArray(QTest::currentDataTag()).startsWith("progressive"))
        QVERIFY(!decodeImage(bytes).empty());
}

QTEST_APPLESS_MAIN(TestDecode)
#include "tst_decode.moc"
