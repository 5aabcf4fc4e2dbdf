#include "session/importjob.h"

#include "image/decode.h"
#include "session/photostore.h"

#include <QFileInfo>

namespace {
// A few milliseconds of tiles to build.
constexpr int publishedPerTurn = 8;
} // namespace

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
                // A full image the cache would refuse is not held while it waits for its turn.
                const cv::Mat &image = decoded.photo.image;
                if (qint64(image.total() * image.elemSize()) > m_store->budget())
                    decoded.photo.image = cv::Mat();
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
    bool more = false;
    {
        const std::lock_guard<std::mutex> lock(m_tasks.mutex());
        const auto next = [&] {
            return !m_decoded.empty() &&
                   m_decoded.begin()->first == m_published + int(ready.size());
        };
        while (next() && int(ready.size()) < publishedPerTurn)
            ready.insert(m_decoded.extract(m_decoded.begin()));
        more = next();
    }
    if (ready.empty())
        return;
    // The rest in a later turn of the event loop: each photo listed builds its tiles.
    if (more)
        QMetaObject::invokeMethod(this, &ImportJob::collect, Qt::QueuedConnection);
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
