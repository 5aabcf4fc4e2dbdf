// Guards the photos held at a byte budget: exports identical however small the cache and the
// export's budget, memory given back on removal, pixels kept when a file changes or an image is
// evicted in use.
#include "image/colour.h"
#include "image/exportnames.h"
#include "session/session.h"
#include "support/testimages.h"

#include <QtTest>

class TestPhotoStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportsIgnoreTheBudget_data();
    void exportsIgnoreTheBudget();
    void removeGivesMemoryBack();
    void fileChangedAfterImport();
    void previewsInSrgb();

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

void TestPhotoStore::exportsIgnoreTheBudget_data()
{
    QTest::addColumn<qint64>("budget");
    QTest::newRow("nothing cached") << qint64(0);
    QTest::newRow("one photo at a time") << qint64(320 * 240 * 3 + 1024);
}

// The same session under budgets far below its photos writes the same files as one that holds
// them all: crops, hand boxes and pairs decoded again from the kept bytes, one by one.
void TestPhotoStore::exportsIgnoreTheBudget()
{
    QFETCH(qint64, budget);
    QStringList singles;
    for (int i = 0; i < m_files.size(); ++i)
        singles << QStringLiteral("%1#crop=%2&padding=%3&maxWidth=%4")
                       .arg(i)
                       .arg(i % 3 ? 1 : 0)
                       .arg(5 * i)
                       .arg(150 + 10 * i);
    singles[4] += QStringLiteral("&box=10,10,80,60");
    const QVariantList pairs = {QStringList{singles.at(0), singles.at(5)}};

    auto exported = [&](qint64 sessionBudget) {
        Session session;
        session.store().setBudget(sessionBudget);
        QSignalSpy imported(session.importer(), &ImportJob::finished);
        session.importUrls(m_files);
        imported.wait(20000);
        auto out = std::make_unique<QTemporaryDir>();
        // The export's workers held to the same budget: one file at a time.
        ExportJob exporter(QThreadPool::globalInstance(), &session.store(), nullptr, sessionBudget);
        QSignalSpy written(&exporter, &ExportJob::finished);
        exporter.start(out->path(), singles, pairs);
        written.wait(20000);
        // The budget held: never more cached than allowed.
        [&] { QVERIFY(session.store().cachedBytes() <= sessionBudget); }();
        return out;
    };
    const auto everything = exported(qint64(1) << 30);
    const auto budgeted = exported(budget);
    QStringList stems;
    for (const QString &single : singles)
        stems << singleStem(single);
    stems << pairStem(singles.at(0), singles.at(5));
    QCOMPARE(QDir(budgeted->path()).entryList(QDir::Files).size(), stems.size());
    for (const QString &stem : stems) {
        const cv::Mat expected = readPng(everything->filePath(stem + ".png"));
        QVERIFY2(!expected.empty(), qPrintable(stem));
        QVERIFY2(samePixels(readPng(budgeted->filePath(stem + ".png")), expected),
                 qPrintable(stem));
    }
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

QTEST_MAIN(TestPhotoStore)
#include "tst_photostore.moc"
