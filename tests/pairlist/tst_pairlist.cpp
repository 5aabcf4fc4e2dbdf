// Guards the session's pairs: a photo in one pair at most, pairs that follow their photos'
// options and leave with their photos, and the descriptors an export writes.
#include "image/imageoptions.h"
#include "session/pairlist.h"
#include "session/photolist.h"
#include "session/photostore.h"
#include "support/testimages.h"

#include <QtTest>

class TestPairList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void add_data();
    void add();
    void followsItsPhotos();
    void pairInOrder_data();
    void pairInOrder();

private:
    PhotoStore m_store;
    std::unique_ptr<PhotoList> m_photos;
    std::unique_ptr<PairList> m_pairs;
    QVector<int> m_index; // store index of each listed photo
};

void TestPairList::init()
{
    m_pairs.reset();
    m_photos = std::make_unique<PhotoList>(&m_store);
    m_pairs = std::make_unique<PairList>(m_photos.get());
    m_index.clear();
    for (int i = 0; i < 4; ++i) {
        m_index << m_store.addImage(plainImage(40 + i, 30, {uchar(i), 2, 3}));
        m_photos->append(m_index.last(), QStringLiteral("%1.png").arg(i));
    }
}

void TestPairList::add_data()
{
    QTest::addColumn<QVector<QPoint>>("asked"); // (left, right) positions in the list
    QTest::addColumn<QVector<bool>>("made");
    QTest::newRow("two pairs") << QVector<QPoint>{{0, 1}, {3, 2}} << QVector<bool>{true, true};
    QTest::newRow("a photo with itself") << QVector<QPoint>{{1, 1}} << QVector<bool>{false};
    QTest::newRow("a photo in a second pair")
        << QVector<QPoint>{{0, 1}, {2, 0}, {1, 3}} << QVector<bool>{true, false, false};
    QTest::newRow("a photo not listed") << QVector<QPoint>{{0, 9}} << QVector<bool>{false};
}

void TestPairList::add()
{
    QFETCH(QVector<QPoint>, asked);
    QFETCH(QVector<bool>, made);
    QVariantList expected;
    QVariantList expectedPhotos;
    for (int i = 0; i < asked.size(); ++i) {
        const int left = m_index.value(asked[i].x(), 99), right = m_index.value(asked[i].y(), 99);
        QCOMPARE(m_pairs->add(left, right), made[i]);
        if (!made[i])
            continue;
        expected.append(QVariant(QStringList{descriptorOfUrl(m_photos->sourceOf(left)),
                                             descriptorOfUrl(m_photos->sourceOf(right))}));
        expectedPhotos << left << right;
    }
    QCOMPARE(m_pairs->descriptors(), expected);
    QCOMPARE(m_pairs->pairedPhotos(), expectedPhotos);
    QCOMPARE(m_pairs->rowCount(), expected.size());
}

void TestPairList::followsItsPhotos()
{
    QVERIFY(m_pairs->add(m_index[0], m_index[1]));
    QVERIFY(m_pairs->add(m_index[2], m_index[3]));
    QSignalSpy changed(m_pairs.get(), &QAbstractItemModel::dataChanged);
    m_photos->setOptions({1}, {{"crop", true}});
    QCOMPARE(changed.size(), 1);
    QCOMPARE(m_pairs->index(0).data(PairList::RightSourceRole).toString(),
             m_photos->sourceOf(m_index[1]));
    QVERIFY(m_pairs->index(0).data(PairList::RightSourceRole).toString().contains("crop=1"));

    // Removing a photo takes its pair with it; the other pair stays, and its photos can pair
    // again once it is undone.
    m_photos->remove({2});
    QCOMPARE(m_pairs->count(), 1);
    QCOMPARE(m_pairs->pairedPhotos(), (QVariantList{m_index[0], m_index[1]}));
    m_pairs->remove(0);
    QVERIFY(m_pairs->add(m_index[1], m_index[0]));
}

void TestPairList::pairInOrder_data()
{
    QTest::addColumn<QPoint>("before"); // a pair made first, (-1, -1) for none
    QTest::addColumn<QVector<int>>("given");
    QTest::addColumn<QVector<QPoint>>("pairs"); // positions of every pair afterwards
    QTest::newRow("all, even") << QPoint(-1, -1) << QVector<int>{0, 1, 2, 3}
                               << QVector<QPoint>{{0, 1}, {2, 3}};
    QTest::newRow("odd one stays")
        << QPoint(-1, -1) << QVector<int>{3, 1, 0} << QVector<QPoint>{{3, 1}};
    QTest::newRow("paired ones skipped")
        << QPoint(1, 2) << QVector<int>{0, 1, 2, 3} << QVector<QPoint>{{1, 2}, {0, 3}};
    QTest::newRow("one given twice")
        << QPoint(-1, -1) << QVector<int>{0, 0, 1} << QVector<QPoint>{{0, 1}};
}

// The oracle: each pair's photos as positions in the list.
void TestPairList::pairInOrder()
{
    QFETCH(QPoint, before);
    QFETCH(QVector<int>, given);
    QFETCH(QVector<QPoint>, pairs);
    if (before.x() >= 0)
        QVERIFY(m_pairs->add(m_index[before.x()], m_index[before.y()]));
    QVariantList photos;
    for (const int position : given)
        photos << m_index[position];
    QCOMPARE(m_pairs->pairInOrder(photos), int(pairs.size()) - (before.x() >= 0 ? 1 : 0));
    QVariantList expected;
    for (const QPoint &pair : pairs)
        expected << m_index[pair.x()] << m_index[pair.y()];
    QCOMPARE(m_pairs->pairedPhotos(), expected);
}

QTEST_APPLESS_MAIN(TestPairList)
#include "tst_pairlist.moc"
