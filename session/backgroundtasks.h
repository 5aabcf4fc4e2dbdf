#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QThreadPool;

// Starts work on pool. Qt's pool hands tasks over in code that ThreadSanitizer cannot see, so in
// such a build the hand-over is announced to it.
void startOnPool(QThreadPool *pool, std::function<void()> work, int priority = 0);

// Work an object hands to a thread pool and collects on its own thread: after each task the
// owner's collect slot is invoked there (queued). A task started after cancel() is skipped;
// the owner reads what the tasks left under mutex(). Destroying this waits for the owner's tasks,
// so that none outlives the object it reports to.
class BackgroundTasks
{
public:
    BackgroundTasks(QObject *owner, const char *collectSlot, QThreadPool *pool);
    ~BackgroundTasks();

    // work(cancelled) runs on the pool; it stores its result under mutex() itself.
    void run(std::function<void(bool cancelled)> work, int priority = 0);
    void cancel() { m_cancelled.store(true); }
    // Lets the tasks of a new batch run.
    void resume() { m_cancelled.store(false); }
    bool cancelled() const { return m_cancelled.load(); }
    std::mutex &mutex() { return m_mutex; }

private:
    QObject *m_owner;
    const char *m_collectSlot;
    QThreadPool *m_pool;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_outstanding = 0;
};
