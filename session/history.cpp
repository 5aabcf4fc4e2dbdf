#include "session/history.h"

#include <memory>
#include <utility>

History::Group::Group(History *history, const QString &text) : m_history(history)
{
    history->m_groups.emplace_back();
    history->m_groupTexts.push_back(text);
}

History::Group::~Group()
{
    std::vector<Step> steps = std::move(m_history->m_groups.back());
    const QString text = m_history->m_groupTexts.back();
    m_history->m_groups.pop_back();
    m_history->m_groupTexts.pop_back();
    if (steps.empty())
        return;
    if (steps.size() == 1) {
        steps.front().text = text;
        steps.front().mergeKey.clear();
        m_history->push(std::move(steps.front()));
        return;
    }
    const auto shared = std::make_shared<std::vector<Step>>(std::move(steps));
    m_history->push({text,
                     [shared] {
                         for (auto step = shared->rbegin(); step != shared->rend(); ++step)
                             step->undo();
                     },
                     [shared] {
                         for (Step &step : *shared)
                             step.redo();
                     },
                     [shared] { forget(*shared); },
                     {}});
}

History::History(QObject *parent) : QObject(parent) {}

void History::record(Step step)
{
    if (m_replaying)
        return;
    if (!m_groups.empty()) {
        m_groups.back().push_back(std::move(step));
        return;
    }
    push(std::move(step));
}

void History::push(Step step)
{
    forget(m_undone);
    if (!step.mergeKey.isEmpty() && !m_done.empty() && m_done.back().mergeKey == step.mergeKey) {
        // The first step's undo goes back before both; the later one's redo makes both.
        Step &last = m_done.back();
        last.redo = std::move(step.redo);
        if (step.forget)
            step.forget();
    } else {
        m_done.push_back(std::move(step));
        if (int(m_done.size()) > maxSteps) {
            if (m_done.front().forget)
                m_done.front().forget();
            m_done.erase(m_done.begin());
        }
    }
    emit changed();
}

void History::forget(std::vector<Step> &steps)
{
    // The latest first: a later step may keep what an earlier one let go of.
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (step->forget)
            step->forget();
    steps.clear();
}

QString History::undoText() const
{
    return m_done.empty() ? QString() : m_done.back().text;
}

QString History::redoText() const
{
    return m_undone.empty() ? QString() : m_undone.back().text;
}

void History::undo()
{
    replay(m_done, m_undone, &Step::undo);
}

void History::redo()
{
    replay(m_undone, m_done, &Step::redo);
}

void History::replay(std::vector<Step> &from, std::vector<Step> &to,
                     std::function<void()> Step::*action)
{
    if (from.empty() || m_replaying)
        return;
    Step step = std::move(from.back());
    from.pop_back();
    m_replaying = true;
    (step.*action)();
    m_replaying = false;
    // A step replayed is never merged into again.
    step.mergeKey.clear();
    to.push_back(std::move(step));
    emit changed();
}

void History::clear()
{
    forget(m_done);
    forget(m_undone);
    emit changed();
}
