#include "core/export.h"
#include "support/testimages.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void namesFollowTheStem_data();
    void namesFollowTheStem();
    void coloursSurvive();
    void replacesWhole();
    void trailingSlash();
    void failures_data();
    void failures();
    void readOnlyFolder();
    void fullFileSystem();

private:
    QScopedPointer<QTemporaryDir> m_folder;
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
    exportFolder = m_folder->path();
}

void TestExport::namesFollowTheStem_data()
{
    QTest::addColumn<QString>("stem");
    QTest::newRow("single") << "3";
    QTest::newRow("negative") << "-2";
    QTest::newRow("pair") << "3_5";
}

void TestExport::namesFollowTheStem()
{
    QFETCH(QString, stem);
    QVERIFY(exportImage(plainImage(4, 3, {9, 8, 7}), stem));
    QCOMPARE(entries(), QStringList(stem + ".png"));
}

void TestExport::coloursSurvive()
{
    cv::Mat picture = plainImage(3, 2, {0, 255, 0});
    picture.at<cv::Vec3b>(0, 0) = cv::Vec3b(255, 0, 0);
    picture.at<cv::Vec3b>(1, 2) = cv::Vec3b(0, 0, 255);
    QVERIFY(exportImage(picture, "0"));
    const cv::Mat written = readPng(m_folder->filePath("0.png"));
    QCOMPARE(written.type(), CV_8UC3);
    QVERIFY(samePixels(written, picture));
}

void TestExport::replacesWhole()
{
    QVERIFY(exportImage(plainImage(40, 30, {1, 1, 1}), "7"));
    const cv::Mat second = plainImage(5, 6, {200, 0, 100});
    QVERIFY(exportImage(second, "7"));
    QVERIFY(samePixels(readPng(m_folder->filePath("7.png")), second));
    QCOMPARE(entries(), QStringList("7.png")); // no temporary file left beside it
}

void TestExport::trailingSlash()
{
    exportFolder = m_folder->path() + '/';
    QVERIFY(exportImage(plainImage(2, 2, {1, 2, 3}), "4"));
    QCOMPARE(entries(), QStringList("4.png"));
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
    QFile file(dir.filePath("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QStringList before = entries();

    exportFolder = folder.isEmpty() ? folder : QDir::cleanPath(dir.filePath(folder));
    QVERIFY(!exportImage(image, stem));
    QCOMPARE(entries(), before);
    QVERIFY(!QFileInfo::exists("/" + stem + ".png"));

    // The next export still works.
    exportFolder = m_folder->path();
    QVERIFY(exportImage(plainImage(2, 2, {5, 5, 5}), "next"));
}

void TestExport::readOnlyFolder()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QSKIP("running as root, which writes through permission bits");
#endif
    QVERIFY(QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(!exportImage(plainImage(2, 2, {1, 2, 3}), "0"));
    QVERIFY(QFile::setPermissions(m_folder->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(entries().isEmpty());
}

void TestExport::fullFileSystem()
{
#ifdef Q_OS_LINUX
    // A 32 KiB file system, which a noisy picture's PNG does not fit into.
    const QString small = m_folder->filePath("small");
    QVERIFY(QDir().mkpath(small));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=32k", "tmpfs", small}) != 0)
        QSKIP("cannot mount a small file system here (needs root)");
    exportFolder = small;
    cv::Mat noise(300, 300, CV_8UC3);
    cv::randu(noise, 0, 256);
    const bool written = exportImage(noise, "0");
    const QStringList left = QDir(small).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const bool nextWritten = exportImage(plainImage(2, 2, {1, 2, 3}), "1");
    QProcess::execute("umount", {small});
    QVERIFY(!written);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(", "))); // nothing half-written, no temporary
    QVERIFY(nextWritten);                                  // the next export still works
#else
    QSKIP("needs a Linux tmpfs");
#endif
}

QTEST_APPLESS_MAIN(TestExport)
#include "tst_export.moc"
