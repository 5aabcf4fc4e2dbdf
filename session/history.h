#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

// The changes made to a session, to be undone and redone in turn. The lists record each change
// they make as a step that knows how to take it back and make it again; a step undone and then
// left behind by a new change is forgotten, and so is the oldest once there are too many.
class History : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY changed)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY changed)
    // What Undo and Redo would do, as a user reads it ("Remove", "Pair", ...).
    Q_PROPERTY(QString undoText READ undoText NOTIFY changed)
    Q_PROPERTY(QString redoText READ redoText NOTIFY changed)

public:
    struct Step
    {
        QString text;
        std::function<void()> undo;
        std::function<void()> redo;
        // Run when the step can no longer be redone or undone: what it kept for that is let go.
        std::function<void()> forget;
        // Two steps in a row with the same non-empty key are one (the stops of a slider's drag).
        QString mergeKey;
    };

    // Every step recorded while a group lives, the group's text first, is undone as one.
    class Group
    {
    public:
        Group(History *history, const QString &text);
        ~Group();
        Group(const Group &) = delete;
        Group &operator=(const Group &) = delete;

    private:
        History *m_history;
    };

    static constexpr int maxSteps = 200;

    // Destroyed with the session, it forgets nothing: what its steps keep goes with the store.
    explicit History(QObject *parent = nullptr);

    // A change just made. Ignored while a step is undone or redone: replaying records nothing.
    void record(Step step);
    bool replaying() const { return m_replaying; }

    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }
    QString undoText() const;
    QString redoText() const;

    Q_INVOKABLE void undo();
    Q_INVOKABLE void redo();
    // Forgets every step, as a new session starts.
    Q_INVOKABLE void clear();

signals:
    void changed();

private:
    void push(Step step);
    // Takes the latest step of from, does its action and keeps it in to.
    void replay(std::vector<Step> &from, std::vector<Step> &to,
                std::function<void()> Step::*action);
    static void forget(std::vector<Step> &steps);

    std::vector<Step> m_done;
    std::vector<Step> m_undone;
    // Steps of the open groups, outermost first; the text of each.
    std::vector<std::vector<Step>> m_groups;
    std::vector<QString> m_groupTexts;
    bool m_replaying = false;
};
