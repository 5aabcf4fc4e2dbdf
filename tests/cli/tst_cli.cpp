// Guards the command-line tool: pixels as the library's, exit codes, names, no overwrite.
#include "image/decode.h"
#include "image/detection.h"
#include "image/export.h"
#include "image/framing.h"
#include "image/objectdetection.h"
#include "image/pair.h"
#include "session/session.h"
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
    void runs_data();
    void runs();
    void sessionExportIsTheWindows();

private:
    // Runs the tool; its exit code, with standard error in errors.
    int run(const QStringList &arguments, QString *errors = nullptr);

    QTemporaryDir m_folder;
    // The photos the tables name by A, B and C; TWIN and DASHED, from another folder, are named
    // like A and like a numbered collision of A; SHOOT, a folder of p9 and p10; CUT, a JPEG cut
    // short.
    QMap<QString, QString> m_inputs;
};

void TestCli::initTestCase()
{
    // Odd names on purpose: a space, '#', '%' and a non-ASCII letter.
    const QStringList names = {"first photo.png", "#2 100%.png", "été.jpg"};
    for (int i = 0; i < names.size(); ++i)
        m_inputs[QString(QChar('A' + i))] =
            writeImageFile(m_folder.path(), names.at(i),
                           objectImage({300 + 50 * i, 200 + 10 * i}, {40 + 20 * i, 30, 120, 90},
                                       {20, 40, 60}, {230, 200, 30}));
    const QString other = m_folder.filePath("other");
    QVERIFY(QDir().mkpath(other));
    m_inputs["TWIN"] = writeImageFile(other, "first photo.png", plainImage(9, 9, {1, 2, 3}));
    m_inputs["DASHED"] = writeImageFile(other, "first photo-2.png", plainImage(9, 9, {1, 2, 3}));
    const QString shoot = m_folder.filePath("shoot");
    QVERIFY(QDir().mkpath(shoot));
    for (const char *name : {"p10.png", "p9.png"})
        writeImageFile(shoot, name, plainImage(12, 8, {4, 5, 6}));
    m_inputs["SHOOT"] = shoot;
    m_inputs["C:A"] = m_inputs["C"] + ':' + m_inputs["A"];
    const QByteArray jpeg = encoded(".jpg", noiseImage({160, 120}));
    m_inputs["CUT"] = writeFile(m_folder.filePath("cut.jpg"), jpeg.left(jpeg.size() / 2));
    const cv::Mat scene = objectImage({160, 120}, {40, 30, 60, 50}, {20, 40, 60}, {230, 200, 30});
    m_inputs["RAW"] = writeFile(m_folder.filePath("IMG_0001.DNG"), dngFile(scene));
    // A HEIC whose spatial-extent box says 100000 × 100000.
    QByteArray bomb = heic(plainImage(64, 48, {1, 2, 3}));
    bomb.replace(bomb.indexOf("ispe") + 8, 8, QByteArray::fromHex("000186a0000186a0"));
    m_inputs["BOMB"] = writeFile(m_folder.filePath("bomb.heic"), bomb);
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
    QTest::addColumn<QString>("detector");
    QTest::newRow("edges") << "edges";
    QTest::newRow("object") << "object";
}

// A single and a pair, cropped on several threads by either detector: the library's pixels, and
// no warning for objects that stand out clearly.
void TestCli::outputsMatchTheLibrary()
{
    QFETCH(QString, detector);
    QTemporaryDir out;
    const QString folder = out.filePath("made/by it");
    QString errors;
    QCOMPARE(run({"-q", "-c", "--detect", detector, "-p", "7", "-w", "250", "--pair", "2:0", "-j",
                  "3", "-o", folder, m_inputs["A"], m_inputs["B"], m_inputs["C"]},
                 &errors),
             0);
    QCOMPARE(errors, QString());
    ImageOptions options;
    options.crop = true;
    options.padding = 7;
    options.maxWidth = 250;
    std::vector<cv::Mat> expected;
    for (const char *input : {"A", "B", "C"}) {
        const cv::Mat photo = readImageFile(m_inputs[input]);
        const cv::Rect box = detector == "edges"
                                 ? detectObjectBox(photo)
                                 : detectObjectInCopy(reducedCopy(photo), photo.size()).box;
        expected.push_back(processPhoto(photo, options, box));
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), QStringList({"1.png", "2_0.png"}));
    QVERIFY(samePixels(readPng(folder + "/1.png"), expected.at(1)));
    QVERIFY(samePixels(readPng(folder + "/2_0.png"), joinPair(expected.at(2), expected.at(0))));
}

void TestCli::runs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("written");
    // Mistakes on the command line: status 2, nothing written.
    QTest::newRow("no -o") << QStringList{"A"} << 2 << QStringList();
    for (const char *mistake :
         {"--shrink", "-w 0", "--pair 0:2", "--pair 0:1 --pair 1:0",
          "--pair-layout mosaic --pair 0:1", "--pair-layout canvas --background #12",
          "-c --detect faces", "--aspect 0:3", "--fill 120%", "--size 500", "--preset poster",
          "--frame-colour #12", "-c -p x%", "--budget 0", "--colour cmyk", "--metadata some",
          "--session S"})
        QTest::newRow(mistake) << QString(mistake).split(' ') + QStringList{"-o", "OUT", "A", "B"}
                               << 2 << QStringList();
    // An unreadable input keeps its position; the rest is still written.
    QTest::newRow("unreadable input")
        << QStringList{"-o", "OUT", "A", "BAD", "C"} << 1 << QStringList{"0.png", "2.png"};
    QTest::newRow("unreadable half of a pair")
        << QStringList{"--pair", "1:0", "-o", "OUT", "A", "BAD"} << 1 << QStringList();
    QTest::newRow("canvas pair")
        << QStringList{"-q",      "--pair-layout", "canvas", "--gap", "5",   "--background",
                       "#102030", "--pair",        "1:0",    "-o",    "OUT", "A",
                       "B"}
        << 0 << QStringList{"1_0.png"};
    QTest::newRow("sizes: percent, original, never enlarged")
        << QStringList{"-q", "-c", "-p", "5%", "-w", "original", "--no-enlarge", "-o", "OUT", "A"}
        << 0 << QStringList{"0.png"};
    // Every photo needs more than a MiB: each runs alone, and all are written.
    QTest::newRow("photos larger than the budget")
        << QStringList{"-q", "--budget", "1", "-j", "4", "--pair", "0:2",
                       "-o", "OUT",      "A", "B",  "C", "TWIN"}
        << 0 << QStringList{"0_2.png", "1.png", "3.png"};
    // A folder is its photos in a file manager's order; a pair names files by name or path.
    QTest::newRow("folder, pair by file names")
        << QStringList{"-q", "--pair", "p10.png:p9.png", "-o", "OUT", "SHOOT", "A"} << 0
        << QStringList{"1_0.png", "2.png"};
    QTest::newRow("pair by paths") << QStringList{"-q", "--pair", "C:A", "-o", "OUT", "A", "B", "C"}
                                   << 0 << QStringList{"1.png", "2_0.png"};
    // A file cut short is written, with a warning.
    QTest::newRow("damaged input")
        << QStringList{"-q", "-o", "OUT", "A", "CUT"} << 0 << QStringList{"0.png", "1.png"};
    // Refused from its header; its size does not upset the memory budget.
    QTest::newRow("header bomb") << QStringList{"-q", "-o", "OUT", "BOMB", "A"} << 1
                                 << QStringList{"1.png"};
    QTest::newRow("camera raw") << QStringList{"-q", "-c", "-o", "OUT", "RAW"} << 0
                                << QStringList{"0.png"};
    QTest::newRow("framed: a preset, a share and a colour")
        << QString("-q -c --preset square-2000 --fill 40% --frame-colour #102030 --pair 1:0 -o OUT "
                   "A B")
               .split(' ')
        << 0 << QStringList{"1_0.png"};
    QTest::newRow("jpg") << QStringList{"-q", "--format", "jpg", "-o", "OUT", "A"} << 0
                         << QStringList{"0.jpg"};
    // TAKEN already holds a 0.png: nothing at all is written unless forced.
    QTest::newRow("name taken") << QStringList{"-o", "TAKEN", "A", "B"} << 1
                                << QStringList{"0.png"};
    QTest::newRow("name taken, forced")
        << QStringList{"-q", "-f", "-o", "TAKEN", "A", "B"} << 0 << QStringList{"0.png", "1.png"};
    // Collisions numbered without case, a pair named after both originals.
    QTest::newRow("original names")
        << QStringList{"-q",  "--names", "original", "--pair", "2:1",  "-o",
                       "OUT", "A",       "B",        "C",      "TWIN", "DASHED"}
        << 0
        << QStringList{"first photo-2-2.png", "first photo-2.png", "first photo.png",
                       "été+#2 100%.png"};
}

void TestCli::runs()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QTemporaryDir out;
    const QString folder = out.filePath("out");
    const bool taken = arguments.contains("TAKEN");
    if (taken)
        QVERIFY(QDir().mkpath(folder) &&
                !writeImageFile(folder, "0.png", plainImage(3, 3, {})).isEmpty());
    QMap<QString, QString> stand = m_inputs;
    stand.insert({{"OUT", folder},
                  {"TAKEN", folder},
                  {"BAD", writeFile(out.filePath("bad.txt"), "no photo")}});
    for (QString &argument : arguments)
        argument = stand.value(argument, argument);
    const bool damaged = arguments.contains(m_inputs["CUT"]);
    QString errors;
    QCOMPARE(run(arguments, &errors), exitCode);
    QCOMPARE(errors.isEmpty(), exitCode == 0 && !damaged);
    if (damaged)
        QVERIFY2(errors.contains("warning: " + m_inputs["CUT"] + ": The file ends early"),
                 qPrintable(errors));
    QTEST(QDir(folder).entryList(QDir::Files, QDir::Name), "written");
    if (taken)
        QCOMPARE(readPng(folder + "/0.png").cols == 3, exitCode != 0);
}

// A session prepared by hand, exported by the tool: the window's files, byte for byte.
void TestCli::sessionExportIsTheWindows()
{
    QTemporaryDir out;
    const QString file = out.filePath("shoot.morvick2");
    const QString window = out.filePath("window");
    const QString tool = out.filePath("tool");
    {
        Session session;
        for (const char *input : {"A", "B", "C", "RAW"})
            QVERIFY(session.addImage(QUrl::fromLocalFile(m_inputs[input])));
        PhotoList *photos = session.photos();
        photos->setOptions({0, 1}, {{"crop", true}, {"padding", 9}, {"detect", "object"}});
        photos->setOptions({2}, {{"crop", true}, {"aspect", "1:1"}, {"box", "10,10,100,80"}});
        photos->rotate({3}, 1);
        session.pairs()->add(photos->photoIndexAt(2), photos->photoIndexAt(0));
        session.setExportSettings(
            {{"names", "original"}, {"pairLayout", "canvas"}, {"gap", 5}, {"metadata", "strip"}});
        QVERIFY(session.saveFile(file, nullptr));
        QSignalSpy finished(&session, &Session::exportFinished);
        QVERIFY(QDir().mkpath(window)); // as the folder dialog gives it
        session.startExport(window);
        QVERIFY(finished.wait(30000));
    }
    QCOMPARE(run({"-q", "--session", file, "-o", tool}), 0);
    const QStringList names = QDir(window).entryList(QDir::Files, QDir::Name);
    QCOMPARE(names.size(), 3);
    QCOMPARE(QDir(tool).entryList(QDir::Files, QDir::Name), names);
    for (const QString &name : names) {
        QFile a(window + '/' + name);
        QFile b(tool + '/' + name);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
    }
    // Nothing replaced without --force; a missing photo is named, the rest written.
    QCOMPARE(run({"--session", file, "-o", tool}), 1);
    QVERIFY(QFile::rename(m_inputs["B"], m_inputs["B"] + ".away"));
    QString errors;
    const int status = run({"-q", "-f", "--session", file, "-o", tool}, &errors);
    QVERIFY(QFile::rename(m_inputs["B"] + ".away", m_inputs["B"]));
    QCOMPARE(status, 1);
    QVERIFY2(errors.contains(m_inputs["B"]), qPrintable(errors));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
