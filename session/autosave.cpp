#include "session/autosave.h"

#include "session/backgroundtasks.h"
#include "session/session.h"
#include "session/sessionfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString lockSuffix = QStringLiteral(".lock");

// Only a dead process gives up its lock: however long a session lives, its file stays its own.
void neverStale(QLockFile *lock)
{
    lock->setStaleLockTime(0);
}
} // namespace

Autosave::Autosave(Session *session, const QString &folder, QObject *parent)
    : QObject(parent), m_session(session),
      m_path(QDir(folder).filePath(QStringLiteral("session-%1-%2")
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QDateTime::currentMSecsSinceEpoch()) +
                                   sessionFileSuffix)),
      m_lock(m_path + lockSuffix)
{
    QDir().mkpath(folder);
    neverStale(&m_lock);
    m_lock.tryLock(0);
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, &Autosave::write);
    // Started by the first change and not again until it fires: a second at most passes between a
    // change and its write, however busy the user is.
    const auto schedule = [this] {
        if (!m_timer.isActive())
            m_timer.start();
    };
    connect(session, &Session::changed, &m_timer, schedule);
    connect(session, &Session::filePathChanged, &m_timer, schedule);
}

Autosave::~Autosave()
{
    m_timer.stop();
    m_writer.waitForDone();
    QFile::remove(m_path);
}

void Autosave::write()
{
    SessionState state = m_session->state();
    state.savedAs = m_session->filePath();
    startOnPool(&m_writer, [path = m_path, state] { writeSessionFile(path, state, nullptr); });
}

QStringList Autosave::abandoned(const QString &folder)
{
    QFileInfoList files =
        QDir(folder).entryInfoList({QLatin1Char('*') + sessionFileSuffix}, QDir::Files, QDir::Time);
    QStringList found;
    for (const QFileInfo &file : files) {
        QLockFile lock(file.filePath() + lockSuffix);
        neverStale(&lock);
        if (lock.tryLock(0))
            found << file.filePath();
    }
    return found;
}

void Autosave::discard(const QString &file)
{
    QFile::remove(file);
    QFile::remove(file + lockSuffix);
}
