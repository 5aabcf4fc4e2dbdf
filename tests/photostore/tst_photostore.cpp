// Guards the photos held at a byte budget: memory given back on removal, pixels kept when a file
// changes or an image is evicted in use, previews in sRGB, an export's memory foreseen.
#include "image/colour.h"
#include "session/session.h"
#include "support/testimages.h"

#include <QtTest>

Q_DECLARE_METATYPE(PairStyle)

class TestPhotoStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void removeGivesMemoryBack();
    void fileChangedAfterImport();
    void previewsInSrgb();
    void exportBytesCoverThePicture_data();
    void exportBytesCoverThePicture();

private:
    QTemporaryDir m_folder;
    QVariantList m_files;
};

void TestPhotoStore::initTestCase()
{
    for (int i = 0; i < 6; ++i)
        m_files << QUrl::fromLocalFile(
            writeImageFile(m_folder.path(), QStringLiteral("%1.png").arg(i),
                           objectImage({320 + 30 * i, 240}, {40 + 10 * i, 30, 150, 120},
                                       {20, 40, 60}, {uchar(200 + 9 * i), 180, 30})));
}

// Removed photos free their bytes, reduced copies and cached images once their removal cannot
// be undone; an image already handed out stays whole after it was evicted.
void TestPhotoStore::removeGivesMemoryBack()
{
    Session session;
    for (const QVariant &file : m_files)
        QVERIFY(session.addImage(file));
    PhotoStore &store = session.store();
    const cv::Mat held = store.image(2);
    const cv::Mat copy = held.clone();
    QVERIFY(store.keptBytes() > 0 && store.cachedBytes() > 0);
    QVariantList rows;
    for (int row = 0; row < m_files.size(); ++row)
        rows << row;
    session.photos()->remove(rows);
    QVERIFY(store.keptBytes() > 0);
    session.history()->clear();
    QCOMPARE(store.keptBytes(), qint64(0));
    QCOMPARE(store.cachedBytes(), qint64(0));
    QVERIFY(store.image(2).empty() && store.preview(2).empty());
    QVERIFY(samePixels(held, copy));
    // Indices are not reused: the next photo is a new one.
    QVERIFY(session.addImage(m_files.first()));
    QCOMPARE(session.photos()->imageUrls(), QVariantList{QStringLiteral("image://cv/6")});
}

// A photo once imported is what it was, whatever happens to its file afterwards.
void TestPhotoStore::fileChangedAfterImport()
{
    const QString path = m_folder.filePath(QStringLiteral("changing.png"));
    const cv::Mat first = plainImage(8, 6, {200, 10, 10});
    writeImageFile(m_folder.path(), QStringLiteral("changing.png"), first);
    Session session;
    session.store().setBudget(0);
    QVERIFY(session.addImage(QUrl::fromLocalFile(path)));
    QVERIFY(QFile::remove(path));
    QVERIFY(samePixels(session.store().render(QStringLiteral("0")), first));
    writeImageFile(m_folder.path(), QStringLiteral("changing.png"), plainImage(3, 3, {1, 2, 3}));
    QVERIFY(samePixels(session.store().render(QStringLiteral("0")), first));
}

// A photo in a wide-gamut profile is shown in sRGB, as the screen shows it, while its export
// keeps its own pixels and profile.
void TestPhotoStore::previewsInSrgb()
{
    cv::Mat photo(300, 400, CV_8UC3, cv::Scalar(200, 30, 40));
    QTemporaryDir folder;
    PhotoMetadata adobe;
    adobe.profile = rgbProfile(RgbSpace::AdobeRgb);
    QVERIFY(exportImage(photo, folder.path(), "adobe", {}, adobe));
    PhotoStore store;
    const int index = store.add(PhotoStore::prepare(readPhotoFile(folder.filePath("adobe.png"))));
    const cv::Vec3b shown = store.preview(index).at<cv::Vec3b>(10, 10);
    const cv::Vec3b expected = toSrgb(photo, adobe.profile).at<cv::Vec3b>(10, 10);
    QVERIFY(cv::norm(shown, expected, cv::NORM_INF) <= 3);
    QVERIFY(cv::norm(shown, photo.at<cv::Vec3b>(10, 10), cv::NORM_INF) > 10);
    const ExportPicture exported = store.renderExport({QString::number(index)});
    QVERIFY(samePixels(exported.image, photo));
    QCOMPARE(exported.metadata.profile, adobe.profile);
}

void TestPhotoStore::exportBytesCoverThePicture_data()
{
    QTest::addColumn<QStringList>("descriptors");
    QTest::addColumn<PairStyle>("style");
    const PairStyle stretch;
    PairStyle proportional;
    proportional.layout = PairLayout::Proportional;
    PairStyle framed;
    framed.layout = PairLayout::Canvas;
    framed.exactSize = cv::Size(900, 900);
    QTest::newRow("turned and framed") << QStringList{"0#crop=0&rotate=1&size=500x300"} << stretch;
    QTest::newRow("crop by hand scaled up")
        << QStringList{"1#crop=1&padding=0&maxWidth=700&box=100,10,100,20"} << stretch;
    QTest::newRow("wide half stretched to a tall one") << QStringList{"0", "1"} << stretch;
    QTest::newRow("wide half in proportion") << QStringList{"0", "1"} << proportional;
    QTest::newRow("pair framed large") << QStringList{"1", "0"} << framed;
}

// The memory an export waits for is at least what its picture holds: the photos decoded, and the
// written picture in its join or render and again in its encoding.
void TestPhotoStore::exportBytesCoverThePicture()
{
    QFETCH(QStringList, descriptors);
    QFETCH(PairStyle, style);
    PhotoStore store;
    store.addImage(plainImage(40, 300, {10, 20, 30}));
    store.addImage(objectImage({300, 40}, {100, 10, 100, 20}, {0, 0, 0}, {255, 255, 255}));
    const cv::Mat written = store.renderExport(descriptors, style).image;
    QVERIFY(!written.empty());
    qint64 held = 6 * qint64(written.total());
    for (const QString &descriptor : descriptors)
        held += 3 * qint64(store.image(parseOptions(descriptor).index).total());
    QVERIFY2(store.exportBytes(descriptors, style) >= held, qPrintable(QString::number(held)));
}

QTEST_MAIN(TestPhotoStore)
#include "tst_photostore.moc"
