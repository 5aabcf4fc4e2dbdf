#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <mutex>

// Lets workers into memory-hungry work while what they hold together fits a budget. A worker
// waits until its bytes fit beside those of the others; one whose bytes alone exceed the budget
// goes in when no other is in, so that every request is served. Safe from any thread.
class MemoryGate
{
public:
    explicit MemoryGate(qint64 budget) : m_budget(budget) {}

    void enter(qint64 bytes);
    void leave(qint64 bytes);

    // Holds bytes for as long as it lives.
    class Pass
    {
    public:
        Pass(MemoryGate &gate, qint64 bytes) : m_gate(gate), m_bytes(bytes) { gate.enter(bytes); }
        ~Pass() { m_gate.leave(m_bytes); }
        Pass(const Pass &) = delete;
        Pass &operator=(const Pass &) = delete;

    private:
        MemoryGate &m_gate;
        qint64 m_bytes;
    };

private:
    const qint64 m_budget;
    std::mutex m_mutex;
    std::condition_variable m_left;
    qint64 m_held = 0;
};
