#include "session/backgroundtasks.h"

#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_THREAD__)
#define MORVICK2_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define MORVICK2_TSAN 1
#endif
#endif

#ifdef MORVICK2_TSAN
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
#endif

namespace {
// The niceness of every pool thread (imports, detections, exports, previews, saves) on Linux:
// woken by an event, the GUI thread runs before their time slices end, while they share what it
// leaves of the cores as equals. Lowering the bulk workers alone let the preview threads win the
// cores over the workers whose boxes they wait for.
constexpr int poolNiceness = 10;

// Once per pool thread: the setting stays with it.
void yieldToTheGuiThread()
{
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
#ifdef Q_OS_LINUX
    // Qt's thread priorities mean nothing under Linux's default scheduler; a thread's nice value
    // does.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), poolNiceness);
#else
    QThread::currentThread()->setPriority(QThread::LowPriority);
#endif
}

class Task : public QRunnable
{
public:
    explicit Task(std::function<void()> work) : m_work(std::move(work)) {}

    void run() override
    {
#ifdef MORVICK2_TSAN
        __tsan_acquire(this);
#endif
        yieldToTheGuiThread();
        m_work();
    }

private:
    std::function<void()> m_work;
};
} // namespace

void startOnPool(QThreadPool *pool, std::function<void()> work, int priority)
{
    auto *task = new Task(std::move(work));
#ifdef MORVICK2_TSAN
    __tsan_release(task);
#endif
    pool->start(task, priority);
}

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
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_outstanding;
    }
    startOnPool(
        m_pool,
        [this, work = std::move(work)] {
            work(m_cancelled.load());
            const std::lock_guard<std::mutex> lock(m_mutex);
            // Posted while the owner cannot be destroyed: the destructor waits for this lock.
            QMetaObject::invokeMethod(m_owner, m_collectSlot, Qt::QueuedConnection);
            --m_outstanding;
            m_idle.notify_all();
        },
        priority);
}
