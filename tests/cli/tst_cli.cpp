// Guards the command-line tool: pixels and names as the library's, exit codes, no overwrite.
#include "core/imagestore.h"
#include "core/processimage.h"
#include "core/stitch.h"
#include "support/testimages.h"

#include <QProcess>
#include <QtTest>

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outputsMatchTheLibrary_data();
    void outputsMatchTheLibrary();
    void exitCodes_data();
    void exitCodes();
    void originalNames();

private:
    // Runs the tool; its exit code, with standard error in errors.
    int run(const QStringList &arguments, QString *errors = nullptr);

    QTemporaryDir m_folder;
    QStringList m_photos;
};

void TestCli::initTestCase()
{
    // Odd names on purpose: a space, '#', '%' and a non-ASCII letter.
    const QStringList names = {"first photo.png", "#2 100%.png", "été.jpg"};
    for (int i = 0; i < names.size(); ++i)
        m_photos << writeImageFile(m_folder.path(), names.at(i),
                                   objectImage({300 + 50 * i, 200 + 10 * i},
                                               {40 + 20 * i, 30, 120, 90}, {20, 40, 60},
                                               {230, 200, 30}));
}

int TestCli::run(const QStringList &arguments, QString *errors)
{
    QProcess process;
    process.start(QStringLiteral(MORVICK2_CLI), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void TestCli::outputsMatchTheLibrary_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("crop");
    QTest::addColumn<int>("padding");
    QTest::addColumn<int>("width");
    // Pairs are always photos 2 (left) and 0 (right).
    QTest::newRow("cropped, one thread")
        << QStringList{"--crop", "-p", "7", "-w", "250", "-j", "1"} << true << 7 << 250;
    QTest::newRow("cropped pair, three threads")
        << QStringList{"-c", "--padding", "0", "--width", "90", "--pair", "2:0", "--jobs", "3"}
        << true << 0 << 90;
    QTest::newRow("whole pair") << QStringList{"--pair", "2:0"} << false << 50 << 400;
}

void TestCli::outputsMatchTheLibrary()
{
    QFETCH(QStringList, options);
    QFETCH(bool, crop);
    QFETCH(int, padding);
    QFETCH(int, width);
    const bool paired = options.contains("--pair");
    QTemporaryDir out;
    const QString folder = out.filePath(QStringLiteral("made/by it"));
    QCOMPARE(run(options + QStringList{"-q", "-o", folder} + m_photos), 0);

    ImageOptions image;
    image.crop = crop;
    image.padding = padding;
    image.maxWidth = width;
    std::vector<cv::Mat> expected;
    for (const QString &path : m_photos) {
        const cv::Mat photo = readImageFile(path);
        expected.push_back(processPhoto(photo, image, crop ? detectObjectBox(photo) : cv::Rect()));
    }
    QStringList names =
        paired ? QStringList{"1.png", "2_0.png"} : QStringList{"0.png", "1.png", "2.png"};
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), names);
    QVERIFY(samePixels(readPng(folder + "/1.png"), expected.at(1)));
    if (paired) {
        QVERIFY(samePixels(readPng(folder + "/2_0.png"), joinPair(expected.at(2), expected.at(0))));
    } else {
        QVERIFY(samePixels(readPng(folder + "/0.png"), expected.at(0)));
        QVERIFY(samePixels(readPng(folder + "/2.png"), expected.at(2)));
    }
}

void TestCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("unknown option")
        << QStringList{"--shrink", "-o", "OUT", "A"} << 2 << QStringList();
    QTest::newRow("no -o") << QStringList{"A"} << 2 << QStringList();
    QTest::newRow("width 0") << QStringList{"-w", "0", "-o", "OUT", "A"} << 2 << QStringList();
    QTest::newRow("pair out of range")
        << QStringList{"--pair", "0:2", "-o", "OUT", "A", "B"} << 2 << QStringList();
    QTest::newRow("photo in two pairs")
        << QStringList{"--pair", "0:1", "--pair", "1:2", "-o", "OUT", "A", "B", "C"} << 2
        << QStringList();
    // An unreadable input keeps its position; the rest is still written.
    QTest::newRow("unreadable input")
        << QStringList{"-o", "OUT", "A", "BAD", "C"} << 1 << QStringList{"0.png", "2.png"};
    QTest::newRow("unreadable half of a pair")
        << QStringList{"--pair", "1:0", "-o", "OUT", "A", "BAD"} << 1 << QStringList();
    QTest::newRow("jpg") << QStringList{"-q", "--format", "jpg", "--quality",
                                        "80", "-o",       "OUT", "A"}
                         << 0 << QStringList{"0.jpg"};
    // TAKEN already holds a 0.png: nothing at all is written unless forced.
    QTest::newRow("name taken") << QStringList{"-o", "TAKEN", "A", "B"} << 1
                                << QStringList{"0.png"};
    QTest::newRow("name taken, forced")
        << QStringList{"-q", "-f", "-o", "TAKEN", "A", "B"} << 0 << QStringList{"0.png", "1.png"};
}

void TestCli::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QTemporaryDir out;
    const QString folder = out.filePath(QStringLiteral("out"));
    const bool taken = arguments.contains("TAKEN");
    if (taken)
        QVERIFY(QDir().mkpath(folder) &&
                !writeImageFile(folder, "0.png", plainImage(3, 3, {})).isEmpty());
    const QMap<QString, QString> stand = {
        {"OUT", folder},       {"TAKEN", folder},
        {"A", m_photos.at(0)}, {"B", m_photos.at(1)},
        {"C", m_photos.at(2)}, {"BAD", writeFile(out.filePath("bad.txt"), "no photo")}};
    for (QString &argument : arguments)
        argument = stand.value(argument, argument);
    QString errors;
    QCOMPARE(run(arguments, &errors), exitCode);
    QCOMPARE(errors.isEmpty(), exitCode == 0);
    QTEST(QDir(folder).entryList(QDir::Files, QDir::Name), "written");
    if (taken)
        QCOMPARE(readPng(folder + "/0.png").cols == 3, exitCode != 0);
}

void TestCli::originalNames()
{
    QTemporaryDir out;
    QTemporaryDir other;
    // Same name in another folder, and one that looks like a numbered collision already.
    const QString twin =
        writeImageFile(other.path(), "first photo.png", plainImage(9, 9, {1, 2, 3}));
    const QString dashed =
        writeImageFile(other.path(), "first photo-2.png", plainImage(9, 9, {1, 2, 3}));
    QCOMPARE(run({"-q", "--names", "original", "--pair", "2:1", "-o", out.path(), m_photos.at(0),
                  m_photos.at(1), m_photos.at(2), twin, dashed}),
             0);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name),
             QStringList({"first photo-2-2.png", "first photo-2.png", "first photo.png",
                          "été+#2 100%.png"}));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
