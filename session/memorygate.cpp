#include "session/memorygate.h"

void MemoryGate::enter(qint64 bytes)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_left.wait(lock, [&] { return m_held == 0 || m_held + bytes <= m_budget; });
    m_held += bytes;
}

void MemoryGate::leave(qint64 bytes)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_held -= bytes;
    }
    m_left.notify_all();
}
