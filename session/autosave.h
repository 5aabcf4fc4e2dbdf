#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

class Session;

// Keeps a session in a recovery file of its own while the session lives, so that a process that
// dies loses at most a second of work. The file is locked by its process: one whose lock is free
// was left by a process that died, and is offered on the next start. Writes happen on a thread of
// their own, in order; the GUI thread only takes the session's state.
class Autosave : public QObject
{
    Q_OBJECT

public:
    // How long after a change the session is written: the changes of a drag go in one write.
    static constexpr int delayMs = 250;

    // folder: where recovery files are kept, made when missing.
    Autosave(Session *session, const QString &folder, QObject *parent = nullptr);
    // The session closes normally: its recovery file goes.
    ~Autosave() override;

    // The recovery files of folder whose process died, newest first.
    static QStringList abandoned(const QString &folder);
    // Removes a recovery file no longer wanted.
    static void discard(const QString &file);

private slots:
    void write();

private:
    Session *m_session;
    QString m_path;
    QLockFile m_lock;
    QTimer m_timer;
    QThreadPool m_writer;
};
