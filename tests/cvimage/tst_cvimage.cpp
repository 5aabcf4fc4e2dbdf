#include "core/cvimage.h"
#include "core/export.h"
#include "support/testimages.h"

#include <QtTest>

class TestCvImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }
    void importsInOrder();
    void failedImportChangesNothing();
    void exportFolderFromUrlOrPath_data();
    void exportFolderFromUrlOrPath();
    void coloursFromFileToFile();
    void exportsLeaveTheListAlone();

private:
    QUrl fileWith(const QString &name, const cv::Mat &rgb)
    {
        return QUrl::fromLocalFile(writeImageFile(m_folder.path(), name, rgb));
    }

    QTemporaryDir m_folder;
};

void TestCvImage::importsInOrder()
{
    CvImage images;
    QVERIFY(images.imageArray().isEmpty());
    QSignalSpy changed(&images, &CvImage::imageArrayChanged);
    const QUrl url = fileWith("a.png", plainImage(4, 4, {1, 2, 3}));
    images.addImage(url);
    images.addImage(url.toString()); // the same file again: a second entry
    images.addImage(url);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(images.imageArray(), QVariantList({"image://cv/0", "image://cv/1", "image://cv/2"}));
}

void TestCvImage::failedImportChangesNothing()
{
    CvImage images;
    QSignalSpy changed(&images, &CvImage::imageArrayChanged);
    images.addImage(QUrl::fromLocalFile(m_folder.filePath("missing.png")));
    images.addImage(QUrl::fromLocalFile(m_folder.path()));
    images.addImage(QVariant());
    QCOMPARE(changed.count(), 0);
    QVERIFY(images.imageArray().isEmpty());
}

void TestCvImage::exportFolderFromUrlOrPath_data()
{
    QTest::addColumn<QVariant>("folder");
    QTest::addColumn<QString>("expected");
    const QString path = "/photos/out #1 100% ü";
    QTest::newRow("url") << QVariant(QUrl::fromLocalFile(path)) << path;
    QTest::newRow("path text as it is") << QVariant(path + "/") << path + "/";
    QTest::newRow("empty") << QVariant(QString()) << QString();
}

void TestCvImage::exportFolderFromUrlOrPath()
{
    QFETCH(QVariant, folder);
    CvImage images;
    exportFolder = "previous";
    images.setExportFolder(folder);
    QTEST(exportFolder, "expected");
}

void TestCvImage::coloursFromFileToFile()
{
    cv::Mat picture = plainImage(3, 2, {255, 0, 0});
    picture.at<cv::Vec3b>(1, 2) = cv::Vec3b(0, 0, 255);
    CvImage images;
    images.addImage(fileWith("colours.png", picture));
    const QString stem = images.imageArray().constLast().toString().mid(11);
    QTemporaryDir out;
    images.setExportFolder(QUrl::fromLocalFile(out.path()));
    QVERIFY(images.save(stem + "#crop=0&padding=50&maxWidth=400"));
    QVERIFY(samePixels(readPng(out.filePath(stem + ".png")), picture));
}

void TestCvImage::exportsLeaveTheListAlone()
{
    CvImage images;
    images.addImage(fileWith("b.png", plainImage(6, 6, {9, 9, 9})));
    const QVariantList before = images.imageArray();
    QSignalSpy changed(&images, &CvImage::imageArrayChanged);
    QTemporaryDir out;
    images.setExportFolder(out.path());
    const QString index = before.constLast().toString().mid(11);
    QVERIFY(images.save(index));
    QVERIFY(images.saveStitched(QStringList{index, index}));
    QVERIFY(!images.save("99999"));
    QVERIFY(!images.saveStitched(QStringList{index}));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files),
             QStringList({index + ".png", index + "_" + index + ".png"}));
    QCOMPARE(images.imageArray(), before);
    QCOMPARE(changed.count(), 0);
}

QTEST_APPLESS_MAIN(TestCvImage)
#include "tst_cvimage.moc"
