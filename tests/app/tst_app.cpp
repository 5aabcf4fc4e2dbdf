// Guards the whole workflow in the window: drops, crops, hand boxes, pairs, names, overwrites.
#include "image/colour.h"
#include "image/decode.h"
#include "image/imageoptions.h"
#include "image/metadata.h"
#include "image/pair.h"
#include "image/translations.h"
#include "quick/registration.h"
#include "session/session.h"
#include "session/sessionfile.h"
#include "support/testimages.h"

#include <QDesktopServices>
#include <QMimeData>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <utility>

class TestApp : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { m_opened << url; }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void wholeWorkflow();
    void folderDropAndRemoval();
    void colourAndMetadataChoices();
    void undoRedoEveryChange();
    void sessionFileAndTheCloseQuestion();

private:
    // An object of the main document by its id, or the item of that object with a name.
    QObject *byId(const char *id) const
    {
        return qmlContext(m_window)->contextProperty(id).value<QObject *>();
    }
    QQuickItem *item(const char *id, const char *name = nullptr) const
    {
        return name ? byId(id)->findChild<QQuickItem *>(name)
                    : qobject_cast<QQuickItem *>(byId(id));
    }
    QQuickItem *tile(const char *page, int index, const char *repeater = "repeater") const;
    void click(QQuickItem *item);
    // Drops files on the window and waits until count photos are listed.
    void drop(const QList<QUrl> &urls, int count);
    void chooseFolder(const QString &path);

    QTemporaryDir m_files;
    QList<QUrl> m_images;
    QScopedPointer<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
    // The engine's session.
    Session *m_session = nullptr;
    QList<QUrl> m_opened;
    QStringList m_qmlWarnings;
};

void TestApp::initTestCase()
{
    // English whatever the machine's language: the tests compare texts.
    installTranslations(QCoreApplication::instance(), QLocale(QLocale::English));
    QCoreApplication::setOrganizationName("Morvick2");
    QDesktopServices::setUrlHandler("file", this, "openUrl");
    // Folders are sorted by the C locale's stand-in, whatever the machine's language.
    QLocale::setDefault(QLocale::c());
    const QStringList names = {"holiday 1.png", "#2 ü.png", "100% sure.jpg", "four.png"};
    for (int i = 0; i < names.size(); ++i) {
        const cv::Mat picture = objectImage({300 + 40 * i, 200}, {60 + 10 * i, 50, 120, 80},
                                            {30, 60, 90}, {230, 40, 20});
        m_images << QUrl::fromLocalFile(writeImageFile(m_files.path(), names.at(i), picture));
    }
}

void TestApp::init()
{
    // Every test starts as on a first run: nothing remembered.
    QSettings().clear();
    m_engine.reset(new QQmlApplicationEngine);
    m_session = registerWithEngine(m_engine.data());
    connect(m_engine.data(), &QQmlEngine::warnings, this, [this](const QList<QQmlError> &errors) {
        for (const QQmlError &error : errors)
            m_qmlWarnings << error.toString();
    });
    m_engine->load(QUrl("qrc:/main.qml"));
    QCOMPARE(m_engine->rootObjects().size(), 1);
    m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().constFirst());
    QVERIFY(m_window && QTest::qWaitForWindowExposed(m_window));
    // The offscreen screen is small; a window the size of a laptop's screen shows every tile.
    m_window->setVisibility(QWindow::Windowed);
    m_window->resize(1400, 900);
    m_opened.clear();
}

// A failed binding leaves its property unset (a screen reader's text, for one): no page may warn.
void TestApp::cleanup()
{
    m_engine.reset();
    const QStringList warnings = std::exchange(m_qmlWarnings, {});
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

QQuickItem *TestApp::tile(const char *page, int index, const char *repeater) const
{
    QQuickItem *tile = nullptr;
    QMetaObject::invokeMethod(item(page, repeater), "itemAt", Q_RETURN_ARG(QQuickItem *, tile),
                              Q_ARG(int, index));
    return tile;
}

void TestApp::click(QQuickItem *item)
{
    QVERIFY(item && item->isVisible());
    // Let positioners place what changed before aiming at it.
    QCoreApplication::processEvents();
    QTest::qWait(20);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

void TestApp::drop(const QList<QUrl> &urls, int count)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint where(m_window->width() / 2, m_window->height() / 2);
    // A drop is delivered only after the drag has entered.
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window, &enter);
    QDropEvent dropped(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window, &dropped);
    QObject *photos = byId("cvimage")->property("photos").value<QObject *>();
    QTRY_COMPARE_WITH_TIMEOUT(photos->property("count").toInt(), count, 10000);
}

// Does what the folder dialog does when the user chooses a folder.
void TestApp::chooseFolder(const QString &path)
{
    QObject *dialog = byId("fileDialog");
    QTRY_VERIFY(dialog->property("visible").toBool());
    QVERIFY(QMetaObject::invokeMethod(dialog, "clearSelection"));
    bool added = false;
    QVERIFY(QMetaObject::invokeMethod(dialog, "addSelection", Q_RETURN_ARG(bool, added),
                                      Q_ARG(QUrl, QUrl::fromLocalFile(path))));
    QVERIFY(added && QMetaObject::invokeMethod(dialog, "accept"));
}

void TestApp::wholeWorkflow()
{
    QVERIFY(!item("toEdit")->isEnabled());
    // An unreadable file among the photos is named once the import is over.
    const QString notes = writeFile(m_files.filePath("notes.txt"), "not a photo");
    drop(m_images.mid(0, 2) + QList<QUrl>{QUrl::fromLocalFile(notes)} + m_images.mid(2),
         m_images.size());
    const QVariantList images = byId("cvimage")->property("imageArray").toList();
    const int first =
        descriptorOfUrl(images.constFirst().toString()).toInt(); // its index in the store
    QQuickItem *unreadable = item("importPage", "unreadable");
    QTRY_VERIFY(unreadable->isVisible());
    QCOMPARE(unreadable->property("text").toString(), "1 file could not be read: notes.txt");
    click(item("toEdit"));

    // Crop images 0 and 2 with the slider's padding.
    click(tile("editPage", 0));
    click(tile("editPage", 2));
    click(item("editPage", "crop"));

    // Fix image 0's crop by hand: its box's right edge dragged 40 pixels to the left.
    QTest::mouseDClick(m_window, Qt::LeftButton, Qt::NoModifier,
                       tile("editPage", 0)->mapToScene({100, 100}).toPoint());
    QQuickItem *box = item("editPage", "cropBox");
    QTRY_VERIFY(box && box->isVisible() && box->width() > 40);
    const QPoint edge = box->mapToScene({box->width(), box->height() / 2}).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, edge);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(m_window, edge - QPoint(10 * step, 0));
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, edge - QPoint(40, 0));
    click(item("editPage", "done"));
    // The double click that opened the crop view left the selection as it was.
    QVERIFY(tile("editPage", 0)->property("selected").toBool());
    QTest::keyClick(m_window, Qt::Key_Return, Qt::ControlModifier); // the next step

    // Pair 0 with 2, then 3 (left) with 1 (right), and undo the first pair by clicking it:
    // 0 and 2 come back, the second pair stays.
    for (int i : {0, 2, 3, 1})
        click(tile("stitch", i));
    QQuickItem *pairs = item("stitch", "pairRepeater");
    QTRY_COMPARE(pairs->property("count").toInt(), 2);
    // The page's pairs as callers read them: descriptor URLs, the first chosen first; the tiles,
    // the second chosen first.
    const auto pairsRead = [this] {
        QStringList read;
        for (const QVariant &pair : byId("stitch")->property("stitched").toList())
            read << pair.toStringList().join('|');
        for (const QVariant &tile : byId("stitch")->property("hidden").toList())
            read << tile.toString();
        return read;
    };
    const QStringList shown = byId("stitch")->property("sources").toStringList();
    QTRY_COMPARE(pairsRead(), (QStringList{shown.at(0) + '|' + shown.at(2),
                                           shown.at(3) + '|' + shown.at(1), "2", "0", "1", "3"}));
    click(tile("stitch", 0, "pairRepeater"));
    QTRY_COMPARE(pairs->property("count").toInt(), 1);
    QTRY_COMPARE(pairsRead(), (QStringList{shown.at(3) + '|' + shown.at(1), "1", "3"}));
    for (int i : {0, 2})
        QTRY_VERIFY(!tile("stitch", i)->findChild<QQuickItem *>("pairMark")->isVisible());
    QStringList descriptors;
    for (const QVariant &source : byId("stitch")->property("sources").toList())
        descriptors << descriptorOfUrl(source.toString());
    const QString detected = QStringLiteral("%1#crop=1&padding=50&maxWidth=400").arg(first);
    QVERIFY2(descriptors.at(0).startsWith(detected + "&box="), qPrintable(descriptors.at(0)));
    QCOMPARE(descriptors.at(1), QStringLiteral("%1#crop=0&padding=50&maxWidth=400").arg(first + 1));

    // A first export into a folder where one name is taken by a folder: that write fails, even
    // for root; the others are written and the window stays.
    QTemporaryDir out;
    const QString blocked = out.filePath("blocked");
    QVERIFY(QDir().mkpath(blocked + QStringLiteral("/%1.png").arg(first + 2)));
    QTest::keyClick(m_window, Qt::Key_E, Qt::ControlModifier); // Export
    chooseFolder(blocked);
    auto *failure = byId("stitch")->findChild<QObject *>("exportFailure"); // a popup
    QTRY_VERIFY(failure->property("visible").toBool());
    QCOMPARE(failure->property("text").toString(),
             QStringLiteral("1 of 3 files could not be written into %1. Press Export to choose "
                            "another folder.")
                 .arg(blocked));
    QVERIFY(m_window->isVisible() && m_opened.isEmpty());
    QCOMPARE(QDir(blocked).entryList(QDir::Files).size(), 2);
    const cv::Mat left = m_session->store().render(descriptors.at(3));
    const cv::Mat right = m_session->store().render(descriptors.at(1));
    const QString pairName = QStringLiteral("/%1_%2.png").arg(first + 3).arg(first + 1);
    QVERIFY(samePixels(readPng(blocked + pairName), joinPair(left, right)));

    // Then, on a canvas with a gap, into a folder an earlier export left a file in: written once
    // the user agrees.
    item("stitch", "pairLayout")->setProperty("currentIndex", 2);
    item("stitch", "gap")->setProperty("value", 7);
    const QString folder = out.filePath("out dir #1 ü");
    QVERIFY(QDir().mkpath(folder));
    writeImageFile(folder, QStringLiteral("%1.png").arg(first + 2), plainImage(3, 3, {1, 2, 3}));
    QTest::keyClick(m_window, Qt::Key_Escape); // dismiss the message
    auto *question = byId("stitch")->findChild<QObject *>("overwriteQuestion");
    click(item("toExport"));
    chooseFolder(folder);
    QTRY_VERIFY(question->property("visible").toBool());
    QCOMPARE(question->property("text").toString(),
             QStringLiteral("1 file already exists in %1.").arg(folder));
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1); // nothing written yet
    click(item("stitch", "chooseAnother"));
    chooseFolder(folder); // the dialog is open again
    QTRY_VERIFY(question->property("visible").toBool());
    click(item("stitch", "replace"));
    QTRY_VERIFY(!m_window->isVisible());

    auto written = [&folder](int index) {
        return readPng(folder + QStringLiteral("/%1.png").arg(index));
    };
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);
    // The hand-fixed box reached the file: it is not the crop of the detected box.
    QVERIFY(samePixels(written(first), m_session->store().render(descriptors.at(0))));
    QVERIFY(!samePixels(written(first), m_session->store().render(detected)));
    // The earlier file was replaced.
    QVERIFY(samePixels(written(first + 2), m_session->store().render(descriptors.at(2))));
    PairStyle canvas;
    canvas.layout = PairLayout::Canvas;
    canvas.gap = 7;
    QVERIFY(samePixels(readPng(folder + pairName), joinPair(left, right, canvas)));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
}

// A dropped folder brings the photos directly inside it in a file manager's order; a photo
// removed on the edit page is not exported; the others are named after their originals and
// written in the format asked for.
void TestApp::folderDropAndRemoval()
{
    QTemporaryDir dropped;
    QVERIFY(QDir(dropped.path()).mkdir("sub"));
    for (const char *name : {"p10.png", "P11.png", "sub/p1.png"})
        writeImageFile(dropped.path(), name, plainImage(60, 40, {10, 20, 30}));
    // The first photo decodes last: the order must not follow the decoders.
    writeImageFile(dropped.path(), "p9.png", noiseImage({2000, 1500}));
    writeFile(dropped.filePath("readme.txt"), "not a photo");
    drop({QUrl::fromLocalFile(dropped.path())}, 3);

    // The second of p9, p10, P11 goes; the others are written under their own names.
    click(item("toEdit"));
    click(tile("editPage", 1));
    QTest::keyClick(m_window, Qt::Key_Delete);
    QTRY_COMPARE(byId("cvimage")->property("imageArray").toList().size(), 2);
    click(item("toStitch"));
    item("stitch", "names")->setProperty("currentIndex", 1);
    item("stitch", "format")->setProperty("currentIndex", 1);
    QTemporaryDir out;
    click(item("toExport"));
    chooseFolder(out.path());
    QTRY_VERIFY(!m_window->isVisible());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name),
             QStringList({"P11.jpg", "p9.jpg"}));
}

// The export page's colour and metadata choices reach the files: converted to sRGB and stripped,
// a photo's profile and EXIF do not go with it. Kept open, the window says where the files went
// and opens the folder on demand.
void TestApp::colourAndMetadataChoices()
{
    const QByteArray adobe = rgbProfile(RgbSpace::AdobeRgb);
    const cv::Mat photo = noiseImage({80, 60});
    drop({QUrl::fromLocalFile(
             writeFile(m_files.filePath("camera.png"), cameraFile(".png", photo, adobe)))},
         1);
    click(item("toEdit"));
    click(item("toStitch"));
    item("stitch", "keepOpen")->setProperty("checked", true);
    item("stitch", "colour")->setProperty("currentIndex", 1);
    item("stitch", "metadata")->setProperty("currentIndex", 2);
    QTemporaryDir converted;
    click(item("toExport"));
    chooseFolder(converted.path());
    QTRY_VERIFY(byId("stitch")->findChild<QObject *>("exportDone")->property("visible").toBool());
    QVERIFY(m_window->isVisible() && m_opened.isEmpty());
    click(item("stitch", "openFolder"));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(converted.path())});
    QFile convertedFile(converted.filePath("0.png"));
    QVERIFY(convertedFile.open(QIODevice::ReadOnly));
    const QByteArray convertedBytes = convertedFile.readAll();
    const PhotoMetadata stripped = readMetadata(convertedBytes);
    QVERIFY(stripped.profile.isEmpty() && stripped.exif.isEmpty());
    QVERIFY(samePixels(decodeImage(convertedBytes), toSrgb(photo, adobe)));
}

// Each change of the session is taken back by Ctrl+Z and made again by Ctrl+Shift+Z, on the
// page where it was made; a file dropped again is skipped with a notice, and added on demand.
void TestApp::undoRedoEveryChange()
{
    drop(m_images, 4);
    QObject *photos = byId("cvimage")->property("photos").value<QObject *>();
    const auto sources = [photos] {
        QStringList all;
        QMetaObject::invokeMethod(photos, "sources", Q_RETURN_ARG(QStringList, all));
        return all;
    };
    auto *duplicates = byId("duplicates");
    drop(m_images.mid(1, 2), 4);
    QTRY_VERIFY(duplicates->property("visible").toBool());
    QCOMPARE(duplicates->property("text").toString(),
             "2 photos are in the session already and were not added again.");
    click(item("duplicates", "noticeAction"));
    QTRY_COMPARE(photos->property("count").toInt(), 6);
    click(item("toEdit"));
    click(tile("editPage", 5));
    click(tile("editPage", 4));
    QTest::keyClick(m_window, Qt::Key_Delete);
    QTRY_COMPARE(photos->property("count").toInt(), 4);

    // On the edit page: crop, a quarter turn, a removal, each undone and redone.
    const QStringList start = sources();
    click(tile("editPage", 1));
    click(item("editPage", "crop"));
    QTest::keyClick(m_window, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(sources().at(1).contains("crop=1") && sources().at(1).contains("rotate=1"));
    const QStringList turned = sources();
    QTest::keyClick(m_window, Qt::Key_Delete);
    QTRY_COMPARE(photos->property("count").toInt(), 3);
    QCOMPARE(item("undo")->property("enabled").toBool(), true);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(sources(), turned);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!sources().at(1).contains("rotate"));
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(sources(), start);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(sources(), turned);

    // On the pairing step: Pair in Order, an unpairing by a click, both undone.
    click(item("toStitch"));
    QQuickItem *pairs = item("stitch", "pairRepeater");
    click(item("stitch", "pairInOrder"));
    QTRY_COMPARE(pairs->property("count").toInt(), 2);
    // The paired tiles keep their places, marked.
    for (int i = 0; i < 4; ++i)
        QVERIFY(tile("stitch", i)->findChild<QQuickItem *>("pairMark")->isVisible());
    QVERIFY(!item("stitch", "pairInOrder")->isEnabled());
    const auto hidden = [this] { return byId("stitch")->property("hidden").toList().size(); };
    QTRY_COMPARE(hidden(), 4);
    click(tile("stitch", 0, "pairRepeater"));
    QTRY_COMPARE(pairs->property("count").toInt(), 1);
    QTRY_COMPARE(hidden(), 2);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pairs->property("count").toInt(), 2);
    QTRY_COMPARE(hidden(), 4);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pairs->property("count").toInt(), 0);
    click(item("redo"));
    QCOMPARE(pairs->property("count").toInt(), 2);
    // The stitch page follows an undo made on it: the pairs go, then the turn.
    for (int step = 0; step < 2; ++step)
        QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pairs->property("count").toInt(), 0);
    QTRY_VERIFY(!byId("stitch")->property("sources").toStringList().at(1).contains("rotate"));
    QVERIFY(sources().at(1).contains("crop=1"));
}

// Work not kept is never closed away unasked; a session saved is named, and opens when dropped.
void TestApp::sessionFileAndTheCloseQuestion()
{
    drop(m_images.mid(0, 2), 2);
    QCOMPARE(m_window->title(), QStringLiteral("Untitled session* – Morvick2"));
    QObject *question = byId("sessionControl")->findChild<QObject *>("closeQuestion");
    m_window->close();
    QTRY_VERIFY(question->property("visible").toBool());
    QCOMPARE(byId("sessionControl")->findChild<QObject *>("closeQuestionText")->property("text"),
             QVariant("Close and discard the work on 2 photos?"));
    click(item("sessionControl", "keepWork"));
    QTRY_VERIFY(!question->property("visible").toBool());
    QVERIFY(m_window->isVisible());

    const QString file = m_files.filePath("shoot.morvick2");
    QSignalSpy written(byId("cvimage"), SIGNAL(sessionSaved(QString)));
    const auto save = [&] {
        QVERIFY(QMetaObject::invokeMethod(byId("cvimage"), "saveSession", Q_ARG(QVariant, file)));
        QVERIFY(written.wait());
        QCOMPARE(written.takeFirst().value(0).toString(), QString());
    };
    save();
    QCOMPARE(m_window->title(), QStringLiteral("shoot – Morvick2"));
    m_session->photos()->setOptions({0}, {{"crop", true}});
    m_session->pairs()->add(m_session->photos()->photoIndexAt(1),
                            m_session->photos()->photoIndexAt(0));
    const SessionState saved = m_session->state();
    QCOMPARE(m_window->title(), QStringLiteral("shoot* – Morvick2"));
    save();
    m_session->photos()->remove({0});

    // Dropped with work unsaved: asked first, then the saved session is back.
    drop({QUrl::fromLocalFile(file)}, 1);
    QTRY_VERIFY(question->property("visible").toBool());
    click(item("sessionControl", "discardWork"));
    QTRY_COMPARE(m_session->pairs()->count(), 1);
    QVERIFY(m_session->state() == saved);
    QCOMPARE(m_window->title(), QStringLiteral("shoot – Morvick2"));
    m_window->close();
    QTRY_VERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
