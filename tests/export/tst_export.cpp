// Guards exports: failed writes reported, nothing partial on a full disk, pair joins.
#include "image/export.h"
#include "image/pair.h"
#include "support/testimages.h"

#include <QtTest>
#include <opencv2/imgproc.hpp>

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void failures_data();
    void failures();
    void fullFileSystem();
    void joinSizes_data();
    void joinSizes();

private:
    QScopedPointer<QTemporaryDir> m_folder;
    // Where exportImage() writes.
    QString m_target;
    QStringList entries() const
    {
        return QDir(m_folder->path())
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    }
};

void TestExport::init()
{
    m_folder.reset(new QTemporaryDir);
    QVERIFY(m_folder->isValid());
    m_target = m_folder->path();
}

void TestExport::failures_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<cv::Mat>("image");
    QTest::addColumn<QString>("stem");
    const cv::Mat picture = plainImage(4, 4, {1, 2, 3});

    QTest::newRow("empty image") << "." << cv::Mat() << "1";
    QTest::newRow("missing folder") << "./missing" << picture << "1";
    QTest::newRow("folder below a regular file") << "./file.txt" << picture << "1";
    QTest::newRow("name taken by a folder") << "." << picture << "taken";
    // Never the file-system root, whatever the stem.
    QTest::newRow("empty folder")
        << "" << picture << QStringLiteral("morvick2-%1").arg(QCoreApplication::applicationPid());
}

void TestExport::failures()
{
    QFETCH(QString, folder);
    QFETCH(cv::Mat, image);
    QFETCH(QString, stem);
    const QDir dir(m_folder->path());
    QVERIFY(dir.mkdir("taken.png"));
    QVERIFY(!writeFile(dir.filePath("file.txt"), "").isEmpty());
    const QStringList before = entries();

    m_target = folder.isEmpty() ? folder : QDir::cleanPath(dir.filePath(folder));
    QVERIFY(!exportImage(image, m_target, stem));
    QCOMPARE(entries(), before);
    QVERIFY(!QFileInfo::exists("/" + stem + ".png"));

    // The next export still works.
    m_target = m_folder->path();
    QVERIFY(exportImage(plainImage(2, 2, {5, 5, 5}), m_target, "next"));
}

void TestExport::fullFileSystem()
{
#ifdef Q_OS_LINUX
    // A one-page file system, which a small noisy picture's PNG does not fit into; the file is
    // small enough to be held back until the commit, where the failure shows.
    const QString small = m_folder->filePath("small");
    QVERIFY(QDir().mkpath(small));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=4k", "tmpfs", small}) != 0)
        QSKIP("cannot mount a small file system here (needs root)");
    m_target = small;
    cv::Mat noise(60, 60, CV_8UC3);
    cv::randu(noise, 0, 256);
    const bool written = exportImage(noise, m_target, "0");
    const QStringList left = QDir(small).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const bool nextWritten = exportImage(plainImage(2, 2, {1, 2, 3}), m_target, "1");
    QProcess::execute("umount", {small});
    QVERIFY(!written);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(", "))); // nothing half-written, no temporary
    QVERIFY(nextWritten);                                  // the next export still works
#else
    QSKIP("needs a Linux tmpfs");
#endif
}

void TestExport::joinSizes_data()
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

void TestExport::joinSizes()
{
    QFETCH(cv::Size, left);
    QFETCH(cv::Size, right);
    cv::Mat leftImage(left, CV_8UC3), rightImage(right, CV_8UC3);
    cv::randu(leftImage, 0, 256);
    cv::randu(rightImage, 0, 256);
    const cv::Mat joined = joinPair(leftImage, rightImage);
    QTEST(joined.size(), "joined");
    // The oracle: the right half scaled on its own, then the two concatenated.
    cv::Mat expected;
    cv::resize(rightImage, expected, cv::Size(right.width, left.height), 0, 0, cv::INTER_LINEAR);
    cv::hconcat(leftImage, expected, expected);
    QVERIFY(samePixels(joined, expected));
}

QTEST_APPLESS_MAIN(TestExport)
#include "tst_export.moc"
