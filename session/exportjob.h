#pragma once

#include "image/export.h"
#include "image/pair.h"
#include "session/backgroundtasks.h"
#include "session/memorygate.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class PhotoStore;
class QThreadPool;

// Writes singles and pairs of a store's photos into a folder on a thread pool, every file whole or
// not at all, the files in flight together within a memory budget. Cancel lets the files in
// flight finish and skips the rest.
class ExportJob : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool running READ running NOTIFY progressChanged)
    Q_PROPERTY(int done READ done NOTIFY progressChanged)
    Q_PROPERTY(int total READ total NOTIFY progressChanged)

public:
    // What the files in flight may hold together: the window stays within its files' size and
    // 512 MB, and the cache, the previews and the window itself take the rest of it.
    static constexpr qint64 defaultBudget = qint64(384) << 20;

    ExportJob(QThreadPool *pool, PhotoStore *store, QObject *parent = nullptr,
              qint64 budgetBytes = defaultBudget);

    bool running() const { return m_total > 0; }
    int done() const { return m_written + m_failed; }
    int total() const { return m_total; }

    // The file a photo was imported from, for names taken from the originals.
    void setOriginalPaths(std::function<QString(int index)> originalPath);

    // folder: a folder URL or a path. singles: descriptors; pairs: [left, right] descriptor
    // lists. options: "names" ("index", the default, or "original"), "format" ("png", the
    // default, "jpg" or "webp"), "quality" (1 to 100, default 90), "colour" ("keep", the
    // default, or "srgb") and "metadata" ("keep", the default, "noLocation" or "strip"); the
    // pair style's keys (pairStyleOf). Ignored while an export runs.
    Q_INVOKABLE void start(const QVariant &folder, const QStringList &singles,
                           const QVariantList &pairs, const QVariantMap &options = QVariantMap());
    Q_INVOKABLE void cancel();
    // How many of the files start() would write already exist in folder as regular files;
    // something else standing on a name cannot be replaced and is not counted.
    Q_INVOKABLE int existingFiles(const QVariant &folder, const QStringList &singles,
                                  const QVariantList &pairs,
                                  const QVariantMap &options = QVariantMap()) const;

signals:
    void progressChanged();
    // written of total files are on disk; the others failed or, after a cancel, were skipped.
    void finished(int written, int total, bool cancelled);

private slots:
    void collect();

private:
    struct File
    {
        QStringList descriptors;
        QString stem;
    };
    // The files an export writes: their descriptors and names without the extension.
    QVector<File> plan(const QStringList &singles, const QVariantList &pairs,
                       const QVariantMap &options) const;
    void add(const QString &folder, const File &file, const ExportFormat &format,
             const PairStyle &style);

    PhotoStore *m_store;
    std::function<QString(int)> m_originalPath;
    int m_total = 0;
    int m_written = 0;
    int m_failed = 0;
    int m_skipped = 0;
    // Outcomes the tasks left since the last collect: written, failed, skipped.
    int m_newWritten = 0;
    int m_newFailed = 0;
    int m_newSkipped = 0;
    MemoryGate m_gate;
    BackgroundTasks m_tasks;
};
