// Guards undo and redo of every change of a session, and the rules its pairs keep.
#include "image/imageoptions.h"
#include "session/history.h"
#include "session/pairlist.h"
#include "session/photolist.h"
#include "session/photostore.h"
#include "support/testimages.h"

#include <QRandomGenerator>
#include <QtTest>

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void undoRedoRandomChanges_data();
    void undoRedoRandomChanges();
    void dragIsOneStep();
    void newChangeForgetsRedo();
};

namespace {
struct Fixture
{
    PhotoStore store;
    History history;
    PhotoList photos{&store, &history};
    PairList pairs{&photos, &history};

    explicit Fixture(int count)
    {
        for (int i = 0; i < count; ++i)
            photos.append(store.addImage(plainImage(30 + i, 20 + 2 * i, {uchar(i), 9, 9})),
                          QStringLiteral("%1.png").arg(i));
    }

    // Everything a change may touch, as text: the sources in order and the pairs.
    QString state() const
    {
        return photos.sources().join(' ') + " | " +
               QVariant(pairs.descriptors()).toStringList().join(' ') +
               QString::number(pairs.count());
    }
};
} // namespace

void TestHistory::undoRedoRandomChanges_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

// Random changes of photos and pairs, the pairs against an oracle of their rules: a photo in one
// pair at most and never with itself, pairs leaving with their photos and following their options,
// Pair in Order pairing the unpaired two by two. Each step taken back restores exactly the photos,
// their options and the pairs as they were, in their places; redone, it makes them again.
void TestHistory::undoRedoRandomChanges()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    Fixture session(8);
    QVariantList pairs; // the oracle: left and right photo of each pair, in the order made
    const auto add = [&](int left, int right) {
        const bool made = left != right && !session.photos.sourceOf(left).isEmpty() &&
                          !session.photos.sourceOf(right).isEmpty() && !pairs.contains(left) &&
                          !pairs.contains(right);
        if (made)
            pairs << left << right;
        return made;
    };
    const auto someRows = [&] {
        QVariantList rows;
        for (int row = 0; row < session.photos.count(); ++row)
            if (random.bounded(2))
                rows << row;
        return rows;
    };
    const auto photoAt = [&](int row) {
        return session.photos.index(row).data(PhotoList::PhotoIndexRole).toInt();
    };
    QStringList states{session.state()};
    QStringList texts;
    QSignalSpy pairsChanged(&session.pairs, &QAbstractItemModel::dataChanged);
    for (int change = 0; change < 40; ++change) {
        const QVariantList rows = someRows();
        const QVariantList pairsBefore = pairs, halvesBefore = session.pairs.descriptors();
        pairsChanged.clear();
        switch (random.bounded(8)) {
        case 0:
            session.photos.setOptions(rows, {{"crop", true}, {"padding", random.bounded(60)}});
            break;
        case 1:
            session.photos.setOptions(rows, {{"box", "2,3,10,8"}, {"crop", true}});
            break;
        case 2:
            session.photos.rotate(rows, random.bounded(2) ? 1 : -1);
            break;
        case 3:
            // With a key no slider sets: steps of sliders merge (dragIsOneStep).
            session.photos.setOptions(
                rows, {{"straighten", random.bounded(-5, 5)}, {"noEnlarge", random.bounded(2)}});
            break;
        case 4:
            for (const QVariant &row : rows.mid(0, 2)) {
                const int at = int(pairs.indexOf(photoAt(row.toInt())));
                if (at >= 0)
                    pairs.erase(pairs.begin() + at / 2 * 2, pairs.begin() + at / 2 * 2 + 2);
            }
            session.photos.remove(rows.mid(0, 2));
            break;
        case 5: {
            // Photos 8 and 9 were never listed; a third of the time a photo with itself.
            const int left = int(random.bounded(10));
            const int right = random.bounded(3) ? int(random.bounded(10)) : left;
            QCOMPARE(session.pairs.add(left, right), add(left, right));
            break;
        }
        case 6:
            if (!pairs.isEmpty()) {
                const int row = int(random.bounded(pairs.size() / 2));
                session.pairs.remove(row);
                pairs.erase(pairs.begin() + 2 * row, pairs.begin() + 2 * row + 2);
            }
            break;
        default: {
            // Listed photos, some given twice, some paired already.
            QVariantList given;
            for (const QVariant &row : rows)
                given << photoAt(row.toInt()) << photoAt(row.toInt());
            QVariantList single;
            for (const QVariant &photo : given)
                if (!pairs.contains(photo) && !single.contains(photo))
                    single << photo;
            int made = 0;
            for (int i = 0; i + 1 < single.size(); i += 2)
                made += add(single[i].toInt(), single[i + 1].toInt()) ? 1 : 0;
            QCOMPARE(session.pairs.pairInOrder(given), made);
            break;
        }
        }
        QCOMPARE(session.pairs.pairedPhotos(), pairs);
        QVariantList halves;
        for (int i = 0; i < pairs.size(); i += 2)
            halves.append(QVariant(
                QStringList{descriptorOfUrl(session.photos.sourceOf(pairs[i].toInt())),
                            descriptorOfUrl(session.photos.sourceOf(pairs[i + 1].toInt()))}));
        QCOMPARE(session.pairs.descriptors(), halves);
        // A pair whose photo changed tells its view.
        if (pairs == pairsBefore && halves != halvesBefore)
            QVERIFY(!pairsChanged.isEmpty());
        // A change that changed nothing is no step.
        if (session.state() == states.last()) {
            QCOMPARE(session.history.undoText(), texts.value(texts.size() - 1));
            continue;
        }
        states << session.state();
        texts << session.history.undoText();
    }
    QVERIFY(states.size() > 15);
    for (int step = states.size() - 1; step > 0; --step) {
        QVERIFY(session.history.canUndo());
        session.history.undo();
        QCOMPARE(session.state(), states[step - 1]);
    }
    QVERIFY(!session.history.canUndo());
    for (int step = 1; step < states.size(); ++step) {
        session.history.redo();
        QCOMPARE(session.state(), states[step]);
    }
    QVERIFY(!session.history.canRedo());
}

// A slider's stops are one step; another key after them is one more.
void TestHistory::dragIsOneStep()
{
    Fixture session(2);
    const QStringList before = session.photos.sources();
    for (int padding = 10; padding <= 50; padding += 10)
        session.photos.setOptions({0, 1}, {{"padding", padding}});
    session.photos.setOptions({0}, {{"crop", true}});
    session.history.undo();
    QCOMPARE(session.photos.index(0).data(PhotoList::PaddingRole).toInt(), 50);
    session.history.undo();
    QCOMPARE(session.photos.sources(), before);
    QVERIFY(!session.history.canUndo());
}

// Undone removals that a new change leaves behind are forgotten; photos removed for good leave
// the store, and those brought back stay in it.
void TestHistory::newChangeForgetsRedo()
{
    Fixture session(3);
    const int first = session.photos.index(0).data(PhotoList::PhotoIndexRole).toInt();
    const int last = session.photos.index(2).data(PhotoList::PhotoIndexRole).toInt();
    session.photos.remove({0});
    session.photos.remove({1});
    session.history.undo();
    session.photos.setOptions({0}, {{"crop", true}});
    QVERIFY(!session.history.canRedo());
    QVERIFY(!session.store.preview(last).empty());
    session.history.clear();
    QVERIFY(session.store.preview(first).empty());
    QVERIFY(!session.store.preview(last).empty());
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
