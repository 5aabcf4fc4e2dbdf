// Guards the whole workflow in the window: drops, crops, hand boxes, pairs, names, overwrites.
#include "core/processimage.h"
#include "providers/registration.h"
#include "support/testimages.h"

#include <QDesktopServices>
#include <QMimeData>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

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
    void failedExportKeepsTheWindow();
    void folderDropAndRemoval();

private:
    // An object of the main document, by its id.
    QObject *byId(const QString &id) const;
    QQuickItem *tile(const QString &page, int index) const;
    QQuickItem *item(const QString &page, const QString &objectName) const;
    void click(QQuickItem *item);
    void drop(const QList<QUrl> &urls);
    void chooseFolder(const QString &path);
    QStringList exportedDescriptors() const;

    QTemporaryDir m_files;
    QList<QUrl> m_images;
    QScopedPointer<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
    QList<QUrl> m_opened;
};

void TestApp::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Morvick2"));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
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
    registerWithEngine(m_engine.data());
    m_engine->load(QUrl(QStringLiteral("qrc:/main.qml")));
    QCOMPARE(m_engine->rootObjects().size(), 1);
    m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().constFirst());
    QVERIFY(m_window);
    QCOMPARE(m_window->title(), QStringLiteral("Morvick2"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // The offscreen screen is small; a window the size of a laptop's screen shows every tile.
    m_window->setVisibility(QWindow::Windowed);
    m_window->resize(1400, 900);
    m_opened.clear();
}

void TestApp::cleanup()
{
    m_engine.reset();
}

QObject *TestApp::byId(const QString &id) const
{
    return qmlContext(m_window)->contextProperty(id).value<QObject *>();
}

QQuickItem *TestApp::item(const QString &page, const QString &objectName) const
{
    return byId(page)->findChild<QQuickItem *>(objectName);
}

QQuickItem *TestApp::tile(const QString &page, int index) const
{
    QQuickItem *repeater = item(page, QStringLiteral("repeater"));
    QQuickItem *item = nullptr;
    QMetaObject::invokeMethod(repeater, "itemAt", Q_RETURN_ARG(QQuickItem *, item),
                              Q_ARG(int, index));
    return item;
}

void TestApp::click(QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY(item->isVisible());
    // Let positioners place what changed before aiming at it.
    QCoreApplication::processEvents();
    QTest::qWait(20);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

void TestApp::drop(const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint where(m_window->width() / 2, m_window->height() / 2);
    // A drop is delivered only after the drag has entered.
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window, &enter);
    QDropEvent dropped(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window, &dropped);
}

// Does what the folder dialog does when the user chooses a folder.
void TestApp::chooseFolder(const QString &path)
{
    QObject *dialog = byId(QStringLiteral("fileDialog"));
    QTRY_VERIFY(dialog->property("visible").toBool());
    QVERIFY(QMetaObject::invokeMethod(dialog, "clearSelection"));
    bool added = false;
    QVERIFY(QMetaObject::invokeMethod(dialog, "addSelection", Q_RETURN_ARG(bool, added),
                                      Q_ARG(QUrl, QUrl::fromLocalFile(path))));
    QVERIFY(added);
    QVERIFY(QMetaObject::invokeMethod(dialog, "accept"));
}

QStringList TestApp::exportedDescriptors() const
{
    QStringList descriptors;
    for (const QVariant &source : byId(QStringLiteral("stitch"))->property("sources").toList())
        descriptors << source.toString().mid(11);
    return descriptors;
}

void TestApp::wholeWorkflow()
{
    QQuickItem *toEdit = qobject_cast<QQuickItem *>(byId(QStringLiteral("toEdit")));
    QVERIFY(!toEdit->isEnabled());
    // An unreadable file among the photos is named once the import is over.
    QFile notes(m_files.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not a photo") > 0);
    notes.close();
    drop(m_images.mid(0, 2) + QList<QUrl>{QUrl::fromLocalFile(notes.fileName())} + m_images.mid(2));
    QTRY_VERIFY(toEdit->isEnabled());
    QObject *cvimage = byId(QStringLiteral("cvimage"));
    QTRY_COMPARE(cvimage->property("imageArray").toList().size(), m_images.size());
    const QVariantList images = cvimage->property("imageArray").toList();
    QObject *unreadable = item(QStringLiteral("importPage"), QStringLiteral("unreadable"));
    QTRY_VERIFY(unreadable->property("visible").toBool());
    QCOMPARE(unreadable->property("text").toString(),
             QStringLiteral("1 file could not be read: notes.txt"));
    const int first = images.constFirst().toString().mid(11).toInt();
    click(toEdit);

    // Crop images 0 and 2 with the slider's padding.
    click(tile(QStringLiteral("editPage"), 0));
    click(tile(QStringLiteral("editPage"), 2));
    click(item(QStringLiteral("editPage"), QStringLiteral("crop")));

    // Fix image 0's crop by hand: its box's right edge dragged 40 pixels to the left.
    QTest::mouseDClick(m_window, Qt::LeftButton, Qt::NoModifier,
                       tile(QStringLiteral("editPage"), 0)->mapToScene({100, 100}).toPoint());
    QQuickItem *box = item(QStringLiteral("editPage"), QStringLiteral("cropBox"));
    QTRY_VERIFY(box && box->isVisible() && box->width() > 40);
    const QPoint edge = box->mapToScene({box->width(), box->height() / 2}).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, edge);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(m_window, edge - QPoint(10 * step, 0));
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, edge - QPoint(40, 0));
    click(item(QStringLiteral("editPage"), QStringLiteral("done")));
    QTest::keyClick(m_window, Qt::Key_Return, Qt::ControlModifier); // the next step

    // Pair 0 with 2, then 3 (left) with 1 (right), and undo the first pair by clicking it:
    // 0 and 2 come back, the second pair stays.
    click(tile(QStringLiteral("stitch"), 0));
    click(tile(QStringLiteral("stitch"), 2));
    click(tile(QStringLiteral("stitch"), 3));
    click(tile(QStringLiteral("stitch"), 1));
    QQuickItem *pairs = item(QStringLiteral("stitch"), QStringLiteral("pairRepeater"));
    QTRY_COMPARE(pairs->property("count").toInt(), 2);
    QQuickItem *firstPair = nullptr;
    QMetaObject::invokeMethod(pairs, "itemAt", Q_RETURN_ARG(QQuickItem *, firstPair),
                              Q_ARG(int, 0));
    click(firstPair);
    QTRY_COMPARE(pairs->property("count").toInt(), 1);
    for (int i : {0, 2})
        QTRY_VERIFY(tile(QStringLiteral("stitch"), i)->isVisible());
    const QStringList descriptors = exportedDescriptors();
    const QString detected = QStringLiteral("%1#crop=1&padding=50&maxWidth=400").arg(first);
    QVERIFY2(descriptors.at(0).startsWith(detected + QStringLiteral("&box=")),
             qPrintable(descriptors.at(0)));
    QCOMPARE(descriptors.at(1), QStringLiteral("%1#crop=0&padding=50&maxWidth=400").arg(first + 1));

    QTemporaryDir out;
    const QString folder = out.filePath(QStringLiteral("out dir #1 ü"));
    QVERIFY(QDir().mkpath(folder));
    QTest::keyClick(m_window, Qt::Key_E, Qt::ControlModifier); // Export
    chooseFolder(folder);
    QTRY_VERIFY(!m_window->isVisible());

    const QString pairName = QStringLiteral("%1_%2.png").arg(first + 3).arg(first + 1);
    QStringList expected = {QStringLiteral("%1.png").arg(first),
                            QStringLiteral("%1.png").arg(first + 2), pairName};
    QStringList written = QDir(folder).entryList(QDir::Files);
    expected.sort();
    written.sort();
    QCOMPARE(written, expected);
    // The hand-fixed box reached the file: it is not the crop of the detected box.
    QVERIFY(samePixels(readPng(folder + QStringLiteral("/%1.png").arg(first)),
                       processImage(descriptors.at(0), false)));
    QVERIFY(!samePixels(readPng(folder + QStringLiteral("/%1.png").arg(first)),
                        processImage(detected, false)));
    QCOMPARE(readPng(folder + QStringLiteral("/%1.png").arg(first)).cols, 400);
    QVERIFY(samePixels(readPng(folder + QStringLiteral("/%1.png").arg(first + 2)),
                       processImage(descriptors.at(2), false)));
    const cv::Mat pair = readPng(folder + '/' + pairName);
    QCOMPARE(pair.cols, processImage(descriptors.at(3), false).cols +
                            processImage(descriptors.at(1), false).cols);

    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
}

void TestApp::failedExportKeepsTheWindow()
{
    drop(m_images.mid(0, 3));
    QObject *cvimage = byId(QStringLiteral("cvimage"));
    QTRY_COMPARE(cvimage->property("imageArray").toList().size(), 3);
    const int first =
        cvimage->property("imageArray").toList().constFirst().toString().mid(11).toInt();
    click(qobject_cast<QQuickItem *>(byId(QStringLiteral("toEdit"))));
    click(qobject_cast<QQuickItem *>(byId(QStringLiteral("toStitch"))));
    click(tile(QStringLiteral("stitch"), 0));
    click(tile(QStringLiteral("stitch"), 1));

    // A folder in which one output name is taken by a folder: that write fails, even for root.
    QTemporaryDir out;
    const QString blocked = out.filePath(QStringLiteral("blocked"));
    QVERIFY(QDir().mkpath(blocked + QStringLiteral("/%1.png").arg(first + 2)));
    QQuickItem *toExport = qobject_cast<QQuickItem *>(byId(QStringLiteral("toExport")));
    click(toExport);
    chooseFolder(blocked);

    auto *failure =
        byId(QStringLiteral("stitch"))->findChild<QObject *>(QStringLiteral("exportFailure"));
    QTRY_VERIFY(failure->property("visible").toBool());
    QCOMPARE(failure->property("text").toString(),
             QStringLiteral("1 of 2 files could not be written into %1. Press Export to choose "
                            "another folder.")
                 .arg(blocked));
    QVERIFY(m_window->isVisible());
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(QDir(blocked).entryList(QDir::Files),
             QStringList(QStringLiteral("%1_%2.png").arg(first).arg(first + 1)));

    // The pairs are kept: a second export into a writable folder writes everything, once the
    // user has agreed to replace the file an earlier export left there.
    const QString writable = out.filePath(QStringLiteral("writable"));
    QVERIFY(QDir().mkpath(writable));
    const QString earlier = writable + QStringLiteral("/%1.png").arg(first + 2);
    QVERIFY(!writeImageFile(writable, QFileInfo(earlier).fileName(), plainImage(3, 3, {1, 2, 3}))
                 .isEmpty());
    QTest::keyClick(m_window, Qt::Key_Escape); // dismiss the message
    QObject *stitch = byId(QStringLiteral("stitch"));
    auto *question = stitch->findChild<QObject *>(QStringLiteral("overwriteQuestion"));
    click(toExport);
    chooseFolder(writable);
    QTRY_VERIFY(question->property("visible").toBool());
    QCOMPARE(question->property("text").toString(),
             QStringLiteral("1 file already exists in %1.").arg(writable));
    QCOMPARE(QDir(writable).entryList(QDir::Files).size(), 1); // nothing written yet
    click(stitch->findChild<QQuickItem *>(QStringLiteral("chooseAnother")));
    chooseFolder(writable); // the dialog is open again
    QTRY_VERIFY(question->property("visible").toBool());
    click(stitch->findChild<QQuickItem *>(QStringLiteral("replace")));
    QTRY_VERIFY(!m_window->isVisible());
    QCOMPARE(QDir(writable).entryList(QDir::Files).size(), 2);
    QCOMPARE(readPng(earlier).cols, 380); // the third photo, no longer the earlier 3x3 file
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(writable)});
}

// A dropped folder brings its photos in a file manager's order; a photo removed on the edit page
// is not exported; the others are named after their originals when the user asks for it.
void TestApp::folderDropAndRemoval()
{
    QTemporaryDir dropped;
    for (const QString &name :
         {QStringLiteral("p10.png"), QStringLiteral("p9.png"), QStringLiteral("P11.png")})
        writeImageFile(dropped.path(), name, plainImage(60, 40, {10, 20, 30}));
    QFile readme(dropped.filePath(QStringLiteral("readme.txt")));
    QVERIFY(readme.open(QIODevice::WriteOnly) && readme.write("not a photo") > 0);
    readme.close();
    drop({QUrl::fromLocalFile(dropped.path())});
    QObject *photos = byId(QStringLiteral("cvimage"))->property("photos").value<QObject *>();
    QTRY_COMPARE(photos->property("count").toInt(), 3);

    // The second of p9, p10, P11 goes; the others are written under their own names.
    click(qobject_cast<QQuickItem *>(byId(QStringLiteral("toEdit"))));
    click(tile(QStringLiteral("editPage"), 1));
    QTest::keyClick(m_window, Qt::Key_Delete);
    QTRY_COMPARE(photos->property("count").toInt(), 2);
    click(qobject_cast<QQuickItem *>(byId(QStringLiteral("toStitch"))));
    item(QStringLiteral("stitch"), QStringLiteral("names"))->setProperty("currentIndex", 1);
    item(QStringLiteral("stitch"), QStringLiteral("format"))->setProperty("currentIndex", 1);
    QTemporaryDir out;
    click(qobject_cast<QQuickItem *>(byId(QStringLiteral("toExport"))));
    chooseFolder(out.path());
    QTRY_VERIFY(!m_window->isVisible());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name),
             QStringList({"P11.jpg", "p9.jpg"}));
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
