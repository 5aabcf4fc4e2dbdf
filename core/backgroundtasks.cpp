#include "core/backgroundtasks.h"

#include <QThreadPool>

BackgroundTasks::BackgroundTasks(QObject *owner, const char *collectSlot, QThreadPool *pool)
    : m_owner(owner), m_collectSlot(collectSlot), m_pool(pool)
{
}

BackgroundTasks::~BackgroundTasks()
{
    cancel();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_outstanding == 0; });
}

void BackgroundTasks::run(std::function<void(bool cancelled)> work, int priority)
{
    {
        // Also orders everything written before this call before the task reads it.
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_outstanding;
    }
    m_pool->start(
        [this, work = std::move(work)] {
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
            }
            work(m_cancelled.load());
            const std::lock_guard<std::mutex> lock(m_mutex);
            // Posted while the owner cannot be destroyed: the destructor waits for this lock.
            QMetaObject::invokeMethod(m_owner, m_collectSlot, Qt::QueuedConnection);
            --m_outstanding;
            m_idle.notify_all();
        },
        priority);
}
