// Guards that a session's work survives: every choice through a session file, damaged files
// refused without harm, photos missing or changed on open, and the recovery file after a kill.
#include "session/autosave.h"
#include "session/session.h"
#include "session/sessionfile.h"
#include "support/testimages.h"

#include <QtTest>

namespace {
// Waits for a session file's photos to be listed and paired; what opened() told.
QList<QVariant> openAndWait(Session *session, const QString &file)
{
    QSignalSpy opened(session, &Session::opened);
    QString why;
    if (!session->openFile(file, &why)) {
        qWarning("%s", qPrintable(why));
        return {};
    }
    return opened.wait(20000) ? opened.takeFirst() : QList<QVariant>();
}

// Three photos with every choice a person can make, two of them paired.
void prepare(Session *session, const QString &folder)
{
    for (int i = 0; i < 3; ++i)
        QVERIFY(session->addImage(QUrl::fromLocalFile(writeImageFile(
            folder, QStringLiteral("p%1.png").arg(i),
            objectImage({120, 80}, {30 + i, 20, 40, 30}, {240, 240, 240}, {20, 40, 200})))));
    PhotoList *photos = session->photos();
    photos->setOptions({0, 1}, {{"crop", true},
                                {"padding", 12},
                                {"maxWidth", 300},
                                {"paddingPercent", true},
                                {"noEnlarge", true},
                                {"detect", "object"}});
    photos->rotate({1}, 1);
    photos->setOptions({1}, {{"straighten", 2.5}, {"box", "5,6,50,40"}});
    photos->setOptions({2}, {{"originalSize", true},
                             {"aspect", "4:5"},
                             {"fill", 80},
                             {"size", "400x500"},
                             {"frameColour", "#102030"}});
    session->pairs()->add(photos->photoIndexAt(2), photos->photoIndexAt(0));
    session->setExportSettings({{"format", "jpg"}, {"quality", 77}, {"names", "original"}});
}
} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void everyChoiceRoundTrips();
    void damagedFilesAreRefused();
    void missingAndChangedPhotos();
    void killAndRestore();
};

void TestSession::everyChoiceRoundTrips()
{
    QTemporaryDir dir;
    Session saved;
    prepare(&saved, dir.path());
    const QString file = dir.filePath("work.morvick2");
    QString why;
    QVERIFY2(saved.saveFile(file, &why), qPrintable(why));
    QVERIFY(!saved.modified());

    // Every choice reached the photos' descriptors, and comes back with them.
    const QStringList sources = saved.photos()->sources();
    QVERIFY(sources[0].endsWith("#crop=1&padding=12&maxWidth=300&paddingPercent=1&noEnlarge=1&"
                                "detect=object"));
    QVERIFY(sources[1].contains("&box=") && sources[1].contains("&rotate=1&straighten=2.5&"));
    QVERIFY(sources[2].endsWith("&originalSize=1&aspect=4:5&fill=80&size=400x500&"
                                "frameColour=102030"));
    Session opened;
    QCOMPARE(openAndWait(&opened, file), (QList<QVariant>{QStringList(), QStringList()}));
    QVERIFY(opened.state() == saved.state());
    QCOMPARE(opened.photos()->sources().size(), 3);
    QCOMPARE(opened.exportSingles().size(), 1);
    QCOMPARE(opened.pairs()->count(), 1);
    QVERIFY(!opened.modified());
    QVERIFY(!opened.history()->canUndo());
    opened.photos()->rotate({0}, 1);
    QVERIFY(opened.modified());

    // Moved with its photos, it finds them beside it.
    QTemporaryDir moved;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
        QVERIFY(QFile::rename(dir.filePath(name), moved.filePath(name)));
    Session elsewhere;
    QCOMPARE(openAndWait(&elsewhere, moved.filePath("work.morvick2")).value(0).toStringList(),
             QStringList());
    QCOMPARE(elsewhere.photos()->count(), 3);
}

// Each damaged copy is refused with its reason; the open session and the file stay as they were.
void TestSession::damagedFilesAreRefused()
{
    QTemporaryDir dir;
    Session source;
    prepare(&source, dir.path());
    const QString path = dir.filePath("damaged.morvick2");
    QVERIFY(source.saveFile(path, nullptr));
    QFile goodFile(path);
    QVERIFY(goodFile.open(QIODevice::ReadOnly));
    const QByteArray text = goodFile.readAll();
    QVector<std::pair<QByteArray, QString>> copies{
        {QByteArray(text).replace("\"version\": 1", "\"version\": 2"), "later version"},
        {encoded(".png", plainImage(4, 4, {1, 2, 3})), "not a session file"}};
    for (int percent = 0; percent < 100; ++percent)
        copies.append({text.left(text.size() * percent / 100), "It is damaged"});
    for (int at = 0; at < text.size(); at += 7) {
        QByteArray flipped = text;
        flipped[at] = char(flipped[at] ^ 0x21);
        copies.append({flipped, "It is"});
    }
    Session session;
    QVERIFY(session.addImage(QUrl::fromLocalFile(dir.filePath("p0.png"))));
    const SessionState before = session.state();
    const auto refused = [&](const QString &why) {
        QString reason;
        return !session.openFile(path, &reason) && reason.contains(why) &&
               session.state() == before;
    };
    for (const auto &[copy, why] : copies) {
        writeFile(path, copy);
        QVERIFY2(refused(why), copy.constData());
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly) && again.readAll() == copy);
    }
    // A gigabyte is refused before it is read.
    QVERIFY(QFile::resize(path, qint64(1) << 30));
    QVERIFY(refused("far too large"));
}

void TestSession::missingAndChangedPhotos()
{
    QTemporaryDir dir;
    Session saved;
    prepare(&saved, dir.path());
    const QString file = dir.filePath("work.morvick2");
    QVERIFY(saved.saveFile(file, nullptr));
    // p0 is gone (with its pair); p1 is repainted at its size, its box still fits; p2 shrank.
    QVERIFY(QFile::remove(dir.filePath("p0.png")));
    writeImageFile(dir.path(), "p1.png", plainImage(120, 80, {9, 9, 9}));
    writeImageFile(dir.path(), "p2.png", plainImage(20, 20, {9, 9, 9}));
    saved.photos()->setOptions({2}, {{"box", "1,1,10,10"}});
    const SessionState wanted = saved.state();

    Session opened;
    const QList<QVariant> told = openAndWait(&opened, file);
    QCOMPARE(told.value(0).toStringList(), QStringList{dir.filePath("p0.png")});
    QCOMPARE(told.value(1).toStringList(), (QStringList{"p1.png", "p2.png"}));
    const SessionState state = opened.state();
    QCOMPARE(state.photos.size(), 2);
    QCOMPARE(opened.pairs()->count(), 0);
    QCOMPARE(state.photos[0].box, wanted.photos[1].box);
    QCOMPARE(state.photos[0].options.straighten, 2.5);
    QVERIFY(state.photos[1].box.isNull());
    QCOMPARE(state.photos[1].options.fill, 80);
}

// Kills a scripted session at random moments: what the next start finds is the state of at most
// a second before the kill. MORVICK2_KILLS sets the number of kills (the benchmark runs 100).
void TestSession::killAndRestore()
{
    QTemporaryDir dir;
    const QString photos = dir.filePath("photos");
    QVERIFY(QDir().mkpath(photos));
    for (int i = 0; i < 12; ++i)
        writeImageFile(photos, QStringLiteral("%1.png").arg(i, 2, 10, QLatin1Char('0')),
                       objectImage({90, 60}, {10 + i, 10, 30, 20}, {250, 250, 250}, {0, 0, 0}));
    const int kills = qEnvironmentVariableIntValue("MORVICK2_KILLS")
                          ? qEnvironmentVariableIntValue("MORVICK2_KILLS")
                          : 10;
    QRandomGenerator random(7);
    int restored = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const QString recovery = dir.filePath(QStringLiteral("recovery%1").arg(kill));
        const QString logPath = dir.filePath(QStringLiteral("log%1").arg(kill));
        QProcess driver;
        driver.start(QStringLiteral(MORVICK2_KILL_DRIVER), {photos, recovery, logPath});
        QVERIFY(driver.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(logPath).size() > 0, 20000);
        QThread::msleep(1000 + random.bounded(1500));
        const qint64 killedAt = QDateTime::currentMSecsSinceEpoch();
        driver.kill();
        QVERIFY(driver.waitForFinished());

        const QStringList left = Autosave::abandoned(recovery);
        QCOMPARE(left.size(), 1);
        SessionState found;
        QVERIFY(readSessionFile(left.first(), &found, nullptr));
        QFile log(logPath);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        // The state each line left lasted until the next line's time.
        bool recent = false;
        for (int i = 0; i < lines.size() && !recent; ++i) {
            const QList<QByteArray> fields = lines[i].split(' ');
            SessionState logged;
            if (fields.size() != 2 ||
                !parseSessionFile(QByteArray::fromBase64(fields[1]), {}, &logged, nullptr))
                continue;
            const QList<QByteArray> next = lines.value(i + 1).split(' ');
            const qint64 until = next.size() == 2 ? next[0].toLongLong() : killedAt;
            recent = logged == found && until >= killedAt - 1000;
        }
        restored += recent ? 1 : 0;
    }
    qInfo("restored the state of <= 1 s before the kill in %d of %d", restored, kills);
    QCOMPARE(restored, kills);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
