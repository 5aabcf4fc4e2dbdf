// Guards undo and redo of every change of a session: each step taken back restores exactly the
// photos, their options and the pairs as they were, in their places; redone, it makes them again.
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

void TestHistory::undoRedoRandomChanges()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    Fixture session(8);
    const auto someRows = [&] {
        QVariantList rows;
        for (int row = 0; row < session.photos.count(); ++row)
            if (random.bounded(2))
                rows << row;
        return rows;
    };
    QStringList states{session.state()};
    QStringList texts;
    for (int change = 0; change < 25; ++change) {
        const QVariantList rows = someRows();
        const int photo = session.photos.index(random.bounded(qMax(1, session.photos.count())))
                              .data(PhotoList::PhotoIndexRole)
                              .toInt();
        switch (random.bounded(7)) {
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
            session.photos.remove(rows.mid(0, 2));
            break;
        case 5:
            if (!session.pairs.add(photo, photo + 1))
                session.pairs.remove(0);
            break;
        default:
            session.pairs.pairInOrder(session.photos.imageUrls().mid(random.bounded(3)));
            break;
        }
        // A change that changed nothing is no step.
        if (session.state() == states.last()) {
            QCOMPARE(session.history.undoText(), texts.value(texts.size() - 1));
            continue;
        }
        states << session.state();
        texts << session.history.undoText();
    }
    QVERIFY(states.size() > 10);
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
