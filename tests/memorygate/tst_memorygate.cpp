// Guards the workers' memory budget: workers together never hold more than it, and a
// request larger than the whole budget is still served, alone.
#include "session/memorygate.h"

#include <QtTest>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

class TestMemoryGate : public QObject
{
    Q_OBJECT

private slots:
    void heldWithinBudget_data();
    void heldWithinBudget();
};

void TestMemoryGate::heldWithinBudget_data()
{
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<QVector<qint64>>("requests");
    QTest::newRow("two fit at once") << qint64(100) << QVector<qint64>{50, 50, 50, 50, 50, 50};
    QTest::newRow("mixed sizes") << qint64(100) << QVector<qint64>{70, 10, 40, 30, 90, 20, 60};
    QTest::newRow("larger than the budget") << qint64(100) << QVector<qint64>{150, 40, 250, 40, 40};
}

// Each request holds its bytes for a moment on a thread of its own; the bytes held at once are
// watched from inside.
void TestMemoryGate::heldWithinBudget()
{
    QFETCH(qint64, budget);
    QFETCH(QVector<qint64>, requests);
    MemoryGate gate(budget);
    std::atomic<qint64> held{0};
    std::atomic<qint64> most{0};
    std::atomic<int> alone{0}; // oversized requests that had the gate to themselves
    std::vector<std::thread> workers;
    for (const qint64 bytes : requests) {
        workers.emplace_back([&, bytes] {
            const MemoryGate::Pass pass(gate, bytes);
            const qint64 now = held += bytes;
            if (bytes > budget && now == bytes)
                ++alone;
            qint64 seen = most;
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            held -= bytes;
        });
    }
    for (std::thread &worker : workers)
        worker.join();
    const qint64 largest = *std::max_element(requests.begin(), requests.end());
    QVERIFY2(most <= std::max(budget, largest), qPrintable(QString::number(most)));
    QCOMPARE(alone.load(), int(std::count_if(requests.begin(), requests.end(),
                                             [budget](qint64 bytes) { return bytes > budget; })));
}

QTEST_APPLESS_MAIN(TestMemoryGate)
#include "tst_memorygate.moc"
