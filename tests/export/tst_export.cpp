// Guards exports: failed writes reported, nothing partial on a full disk, pair joins.
#include "image/export.h"
#include "image/pair.h"
#include "support/testimages.h"

#include <QtTest>
#include <climits>
#include <opencv2/imgproc.hpp>

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void failures_data();
    void failures();
    void fullFileSystem();
    void pairLayouts_data();
    void pairLayouts();
    void oversizedPairsRefused_data();
    void oversizedPairsRefused();

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
    const bool written = exportImage(noiseImage({60, 60}), m_target, "0");
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

void TestExport::pairLayouts_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("gap");
    QTest::newRow("stretch") << int(PairLayout::Stretch) << 0;
    QTest::newRow("proportional") << int(PairLayout::Proportional) << 0;
    QTest::newRow("canvas without a gap") << int(PairLayout::Canvas) << 0;
    QTest::newRow("canvas with a gap") << int(PairLayout::Canvas) << 7;
}

// Random sizes against a naive oracle: stretched, the right half takes the left one's height;
// otherwise each half keeps its proportions within a pixel, nothing is enlarged on a canvas, the
// halves sit where the geometry says, the gap shows the background.
void TestExport::pairLayouts()
{
    QFETCH(int, layout);
    QFETCH(int, gap);
    PairStyle style;
    style.layout = PairLayout(layout);
    style.gap = gap;
    style.background = {12, 34, 56};
    cv::RNG random(layout * 100 + gap);
    for (int i = 0; i < 40; ++i) {
        const cv::Size leftSize(random.uniform(1, 300), random.uniform(1, 300));
        const cv::Size rightSize(random.uniform(1, 300), random.uniform(1, 300));
        const cv::Mat left = noiseImage(leftSize), right = noiseImage(rightSize);
        const cv::Mat joined = joinPair(left, right, style);
        const PairGeometry geometry = pairGeometry(leftSize, rightSize, style);
        QCOMPARE(joined.size(), geometry.size);
        if (style.layout == PairLayout::Stretch) {
            cv::Mat expected;
            cv::resize(right, expected, cv::Size(rightSize.width, leftSize.height), 0, 0,
                       cv::INTER_LINEAR);
            cv::hconcat(left, expected, expected);
            QVERIFY(samePixels(joined, expected));
            continue;
        }
        const auto proportionKept = [](const cv::Size &from, const cv::Rect &to) {
            return std::abs(double(from.width) * to.height / from.height - to.width) <= 1.0;
        };
        QVERIFY(proportionKept(rightSize, geometry.right));
        if (style.layout == PairLayout::Proportional) {
            QCOMPARE(geometry.left, cv::Rect(cv::Point(0, 0), leftSize));
            QCOMPARE(geometry.right.height, leftSize.height);
            cv::Mat expected;
            cv::resize(right, expected, geometry.right.size(), 0, 0,
                       geometry.right.width <= rightSize.width &&
                               geometry.right.height <= rightSize.height
                           ? cv::INTER_AREA
                           : cv::INTER_LINEAR);
            cv::hconcat(left, expected, expected);
            QVERIFY(samePixels(joined, expected));
            continue;
        }
        QVERIFY(proportionKept(leftSize, geometry.left));
        QVERIFY(geometry.left.height <= leftSize.height &&
                geometry.right.height <= rightSize.height);
        QCOMPARE(geometry.size.height, std::min(leftSize.height, rightSize.height) + 2 * gap);
        QCOMPARE(geometry.right.x, geometry.left.br().x + gap);
        QCOMPARE(geometry.size.width, geometry.right.br().x + gap);
        if (gap > 0) {
            QCOMPARE(joined.at<cv::Vec3b>(0, 0), style.background);
            QCOMPARE(joined.at<cv::Vec3b>(joined.rows - 1, geometry.left.br().x), style.background);
        }
    }
}

void TestExport::oversizedPairsRefused_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("gap");
    QTest::addColumn<cv::Size>("right");
    QTest::newRow("canvas of an endless gap")
        << int(PairLayout::Canvas) << INT_MAX << cv::Size(3, 2);
    QTest::newRow("a thin right half made endless")
        << int(PairLayout::Proportional) << 0 << cv::Size(1 << 30, 1);
}

// Geometry past an int's sides is refused, not overflowed (a URL or a command line can ask).
void TestExport::oversizedPairsRefused()
{
    QFETCH(int, layout);
    QFETCH(int, gap);
    QFETCH(cv::Size, right);
    PairStyle style;
    style.layout = PairLayout(layout);
    style.gap = gap;
    QVERIFY(pairGeometry({4000, 3000}, right, style).size.empty());
    QVERIFY(joinPair(cv::Mat(30, 40, CV_8UC3), cv::Mat(2, 3, CV_8UC3), style).empty() ==
            (gap == INT_MAX));
}

QTEST_APPLESS_MAIN(TestExport)
#include "tst_export.moc"
