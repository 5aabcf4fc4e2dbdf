#pragma once

#include "session/backgroundtasks.h"
#include "session/photostore.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <opencv2/core.hpp>

#include <map>

class QThreadPool;

// Decodes files on a thread pool into a store in the order they were given: a photo is
// published only after every photo before it is published or refused, so its index and its
// place in the session follow that order. Files given while an import runs join it.
class ImportJob : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool running READ running NOTIFY progressChanged)
    Q_PROPERTY(int done READ done NOTIFY progressChanged)
    Q_PROPERTY(int total READ total NOTIFY progressChanged)

public:
    ImportJob(QThreadPool *pool, PhotoStore *store, QObject *parent = nullptr);

    bool running() const { return total() > 0; }
    int done() const { return m_published; }
    int total() const { return int(m_paths.size()); }

    void start(const QStringList &paths);
    // The files not yet decoded are refused.
    void cancel() { m_tasks.cancel(); }

signals:
    void progressChanged();
    // A photo is in the store under index.
    void photoReady(int index, const QString &path);
    // Every file given is published or refused; unreadable names the refused ones by file name,
    // with the reason where there is more to say than that it could not be read.
    void finished(const QStringList &unreadable);

private slots:
    void collect();

private:
    PhotoStore *m_store;
    QStringList m_paths;
    int m_published = 0;
    QStringList m_unreadable;
    struct Decoded
    {
        PhotoStore::Prepared photo;
        QString why;
    };
    // Decoded photos by position in m_paths, an empty one for a file that could not be read.
    std::map<int, Decoded> m_decoded;
    BackgroundTasks m_tasks;
};
