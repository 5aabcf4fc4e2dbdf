#include "session/importjob.h"

#include "image/decode.h"
#include "session/photostore.h"

#include <QFileInfo>

ImportJob::ImportJob(QThreadPool *pool, PhotoStore *store, QObject *parent)
    : QObject(parent), m_store(store), m_tasks(this, "collect", pool)
{
}

void ImportJob::start(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    for (const QString &path : paths) {
        const int position = int(m_paths.size());
        m_paths << path;
        m_tasks.run([this, position, path](bool cancelled) {
            Decoded decoded;
            if (!cancelled) {
                decoded.photo = PhotoStore::prepare(readPhotoFile(path), &decoded.why);
            }
            const std::lock_guard<std::mutex> lock(m_tasks.mutex());
            m_decoded[position] = decoded;
        });
    }
    emit progressChanged();
}

void ImportJob::collect()
{
    std::map<int, Decoded> ready;
    {
        const std::lock_guard<std::mutex> lock(m_tasks.mutex());
        while (!m_decoded.empty() && m_decoded.begin()->first == m_published + int(ready.size()))
            ready.insert(m_decoded.extract(m_decoded.begin()));
    }
    if (ready.empty())
        return;
    for (const auto &[position, decoded] : ready) {
        ++m_published;
        const QString &path = m_paths.at(position);
        if (!decoded.photo.preview.isEmpty()) {
            emit photoReady(m_store->add(decoded.photo), path);
            continue;
        }
        const QString name = QFileInfo(path).fileName();
        m_unreadable << (decoded.why.isEmpty()
                             ? name
                             : name + QStringLiteral(" (") + decoded.why + QLatin1Char(')'));
    }
    if (m_published < total()) {
        emit progressChanged();
        return;
    }
    const QStringList unreadable = m_unreadable;
    m_paths.clear();
    m_published = 0;
    m_unreadable.clear();
    emit progressChanged();
    emit finished(unreadable);
}
