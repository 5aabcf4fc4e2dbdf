// Guards what a tile is told to show: a cropped photo whose object is not found yet shows whole,
// so that no preview thread detects beside the workers, and cropped as soon as the box is known.
#include "session/history.h"
#include "session/photolist.h"
#include "session/photostore.h"
#include "support/testimages.h"

#include <QtTest>

class TestPhotoList : public QObject
{
    Q_OBJECT

private slots:
    void shownSource_data();
    void shownSource();
    void handBoxClearsDoubt_data();
    void handBoxClearsDoubt();
    void detectorPerPhoto();
};

void TestPhotoList::shownSource_data()
{
    QTest::addColumn<QVariantMap>("options");
    QTest::addColumn<bool>("boxReady");
    QTest::addColumn<bool>("shownAsSource"); // false: shown uncropped
    const QVariantMap cropped{{"crop", true}, {"padding", 20}};
    QVariantMap byHand = cropped;
    byHand.insert("box", "10,10,30,20");
    QTest::newRow("whole photo") << QVariantMap{{"padding", 20}} << false << true;
    QTest::newRow("cropped, box looked for") << cropped << false << false;
    QTest::newRow("cropped, box found") << cropped << true << true;
    QTest::newRow("cropped to a box by hand") << byHand << false << true;
}

void TestPhotoList::shownSource()
{
    QFETCH(QVariantMap, options);
    QFETCH(bool, boxReady);
    QFETCH(bool, shownAsSource);
    PhotoStore store;
    PhotoList list(&store);
    const int photo = store.addImage(plainImage(80, 60, {1, 2, 3}));
    list.append(photo, QStringLiteral("a.png"));
    list.setOptions({0}, options);
    if (boxReady)
        list.setBoxReady(photo, Detector::Edges, QString());
    const QModelIndex row = list.index(0);
    const QString source = row.data(PhotoList::SourceRole).toString();
    const QString shown = row.data(PhotoList::ShownSourceRole).toString();
    QCOMPARE(shown == source, shownAsSource);
    if (!shownAsSource)
        QCOMPARE(shown, QString(source).replace("crop=1", "crop=0"));
}

void TestPhotoList::handBoxClearsDoubt_data()
{
    QTest::addColumn<bool>("fixedFirst"); // the hand box comes before the detection's doubt
    QTest::newRow("fixed after the doubt") << false;
    QTest::newRow("fixed before the detection ends") << true;
}

// A doubt concerns the detected box: once the user has chosen a box by hand it is gone, and a
// detection that ends later brings none.
void TestPhotoList::handBoxClearsDoubt()
{
    QFETCH(bool, fixedFirst);
    PhotoStore store;
    PhotoList list(&store);
    const int photo = store.addImage(plainImage(80, 60, {1, 2, 3}));
    list.append(photo, QStringLiteral("a.png"));
    const QVariantMap byHand{{"crop", true}, {"box", "10,10,30,20"}};
    if (fixedFirst)
        list.setOptions({0}, byHand);
    list.setBoxReady(photo, Detector::Edges,
                     QStringLiteral("No object was found: check this crop."));
    QCOMPARE(list.index(0).data(PhotoList::DoubtRole).toString().isEmpty(), fixedFirst);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.setOptions({0}, byHand);
    QVERIFY(list.index(0).data(PhotoList::DoubtRole).toString().isEmpty());
    QCOMPARE(changed.size(), fixedFirst ? 0 : 1);

    // A damaged file's mark is the file's, not the box's: a hand box leaves it.
    const QByteArray jpeg = encoded(".jpg", noiseImage({80, 60}));
    const int cut = store.add(PhotoStore::prepare(jpeg.left(jpeg.size() / 2)));
    list.append(cut, QStringLiteral("cut.jpg"));
    list.setOptions({1}, byHand);
    QCOMPARE(list.index(1).data(PhotoList::DoubtRole).toString(),
             "The file ends early: its lower part is missing.");
}

// A photo's detector reaches its descriptor and its doubt; a box not found yet by the detector
// chosen is asked for, once, and an undo brings back the other detector's box and doubt.
void TestPhotoList::detectorPerPhoto()
{
    PhotoStore store;
    History history;
    PhotoList list(&store, &history);
    std::vector<std::pair<int, Detector>> wanted;
    connect(&list, &PhotoList::boxWanted,
            [&wanted](int photo, Detector detector) { wanted.emplace_back(photo, detector); });
    const int photo = store.addImage(plainImage(80, 60, {1, 2, 3}));
    list.append(photo, QStringLiteral("a.png"));
    list.setBoxReady(photo, Detector::Edges, QString());
    const QModelIndex row = list.index(0);
    const auto state = [&row] {
        return QStringList{row.data(PhotoList::DetectRole).toString(),
                           row.data(PhotoList::BoxReadyRole).toString(),
                           row.data(PhotoList::DoubtRole).toString()};
    };
    QCOMPARE(state(), (QStringList{"edges", "true", ""}));

    list.setOptions({0}, {{"crop", true}, {"detect", "object"}});
    QVERIFY(row.data(PhotoList::SourceRole).toString().endsWith("&detect=object"));
    QCOMPARE(wanted, (std::vector<std::pair<int, Detector>>{{photo, Detector::Object}}));
    QCOMPARE(state(), (QStringList{"object", "false", ""}));
    const QString doubt = QStringLiteral("The object could not be told from its background.");
    list.setBoxReady(photo, Detector::Object, doubt);
    QCOMPARE(state(), (QStringList{"object", "true", doubt}));
    QCOMPARE(list.commonOptions({0}).value("detect").toString(), "object");

    history.undo();
    QCOMPARE(state(), (QStringList{"edges", "true", ""}));
    history.redo();
    QCOMPARE(state(), (QStringList{"object", "true", doubt}));
    QCOMPARE(wanted.size(), size_t(1));

    // Set as Default: new photos start with the detector.
    list.setDefaults({{"detect", "object"}});
    list.append(store.addImage(plainImage(80, 60, {1, 2, 3})), QStringLiteral("b.png"));
    QCOMPARE(list.index(1).data(PhotoList::DetectRole).toString(), "object");
}

QTEST_APPLESS_MAIN(TestPhotoList)
#include "tst_photolist.moc"
