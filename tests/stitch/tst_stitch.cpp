#include "core/export.h"
#include "core/imagestore.h"
#include "core/stitch.h"
#include "support/testimages.h"

#include <QtTest>

class TestStitch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void joinSizes_data();
    void joinSizes();
    void joinRefuses_data();
    void joinRefuses();
    void savedPairs_data();
    void savedPairs();
    void nothingSaved_data();
    void nothingSaved();

private:
    QScopedPointer<QTemporaryDir> m_folder;
};

void TestStitch::init()
{
    m_folder.reset(new QTemporaryDir);
    QVERIFY(m_folder->isValid());
    exportFolder = m_folder->path();
}

void TestStitch::joinSizes_data()
{
    QTest::addColumn<cv::Size>("left");
    QTest::addColumn<cv::Size>("right");
    QTest::addColumn<cv::Size>("joined");
    QTest::newRow("right squeezed")
        << cv::Size(400, 300) << cv::Size(400, 600) << cv::Size(800, 300);
    QTest::newRow("right stretched")
        << cv::Size(400, 600) << cv::Size(400, 300) << cv::Size(800, 600);
    QTest::newRow("equal heights")
        << cv::Size(400, 300) << cv::Size(250, 300) << cv::Size(650, 300);
    QTest::newRow("one pixel each") << cv::Size(1, 1) << cv::Size(1, 7) << cv::Size(2, 1);
}

void TestStitch::joinSizes()
{
    QFETCH(cv::Size, left);
    QFETCH(cv::Size, right);
    cv::Mat leftImage(left, CV_8UC3), rightImage(right, CV_8UC3);
    cv::randu(leftImage, 0, 256);
    rightImage.setTo(cv::Scalar(10, 20, 30));
    const cv::Mat joined = joinPair(leftImage, rightImage);
    QTEST(joined.size(), "joined");
    QVERIFY(samePixels(joined.colRange(0, left.width), leftImage));
    // A plain right half stays plain whatever its height became.
    const cv::Mat expectedRight(left.height, right.width, CV_8UC3, cv::Scalar(10, 20, 30));
    QVERIFY(samePixels(joined.colRange(left.width, joined.cols), expectedRight));
}

void TestStitch::joinRefuses_data()
{
    QTest::addColumn<cv::Mat>("left");
    QTest::addColumn<cv::Mat>("right");
    const cv::Mat picture = plainImage(4, 3, {1, 2, 3});
    QTest::newRow("empty left") << cv::Mat() << picture;
    QTest::newRow("empty right") << picture << cv::Mat();
    QTest::newRow("both empty") << cv::Mat() << cv::Mat();
    QTest::newRow("types differ") << picture << cv::Mat(3, 4, CV_8UC1, cv::Scalar(0));
}

void TestStitch::joinRefuses()
{
    QFETCH(cv::Mat, left);
    QFETCH(cv::Mat, right);
    QVERIFY(joinPair(left, right).empty());
}

void TestStitch::savedPairs_data()
{
    QTest::addColumn<bool>("swapped");
    QTest::addColumn<bool>("extra");
    QTest::newRow("first on the left") << false << false;
    QTest::newRow("swapped") << true << false;
    QTest::newRow("further texts ignored") << false << true;
}

void TestStitch::savedPairs()
{
    QFETCH(bool, swapped);
    QFETCH(bool, extra);
    const cv::Mat red = plainImage(30, 20, {255, 0, 0}), blue = plainImage(10, 40, {0, 0, 255});
    const int redIndex = storeImage(red), blueIndex = storeImage(blue);
    QStringList uris = {descriptor(redIndex, false, 50, 400),
                        descriptor(blueIndex, false, 50, 400)};
    if (swapped)
        std::swap(uris[0], uris[1]);
    if (extra)
        uris << descriptor(redIndex, false, 0, 1);
    QVERIFY(saveStitched(uris));

    const int left = swapped ? blueIndex : redIndex, right = swapped ? redIndex : blueIndex;
    const QString name = QStringLiteral("%1_%2.png").arg(left).arg(right);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList(name));
    const cv::Mat written = readPng(m_folder->filePath(name));
    QVERIFY(samePixels(written, joinPair(storedImage(left), storedImage(right))));
}

void TestStitch::nothingSaved_data()
{
    QTest::addColumn<QVariant>("uris");
    const int index = storeImage(plainImage(8, 8, {4, 4, 4}));
    const QString good = descriptor(index, false, 0, 400);
    const QString empty = descriptor(index, true, 0, 400); // plain picture: nothing to crop to
    QTest::newRow("no texts") << QVariant(QStringList());
    QTest::newRow("one text") << QVariant(QStringList{good});
    QTest::newRow("not a list") << QVariant(42);
    QTest::newRow("left half empty") << QVariant(QStringList{empty, good});
    QTest::newRow("right half empty") << QVariant(QStringList{good, empty});
    QTest::newRow("unknown index") << QVariant(QStringList{good, "99999"});
}

void TestStitch::nothingSaved()
{
    QFETCH(QVariant, uris);
    QVERIFY(!saveStitched(uris));
    QVERIFY(QDir(m_folder->path()).isEmpty());
}

QTEST_APPLESS_MAIN(TestStitch)
#include "tst_stitch.moc"
