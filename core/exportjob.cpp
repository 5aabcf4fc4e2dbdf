#include "core/exportjob.h"

#include "core/export.h"
#include "core/exportnames.h"
#include "core/processimage.h"
#include "core/stitch.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

ExportJob::ExportJob(QThreadPool *pool, QObject *parent)
    : QObject(parent), m_tasks(this, "collect", pool)
{
}

void ExportJob::start(const QVariant &folder, const QStringList &singles, const QVariantList &pairs)
{
    if (running())
        return;
    const QString path = exportFolderPath(folder);
    m_tasks.resume();
    m_total = int(singles.size() + pairs.size());
    m_written = m_failed = m_skipped = 0;
    for (const QString &single : singles)
        add(path, {single});
    for (const QVariant &pair : pairs)
        add(path, pair.toStringList());
    emit progressChanged();
    if (m_total == 0)
        emit finished(0, 0, false);
}

void ExportJob::add(const QString &folder, const QStringList &descriptors)
{
    m_tasks.run([this, folder, descriptors](bool cancelled) {
        enum { Written, Failed, Skipped } outcome = Skipped;
        if (!cancelled) {
            bool written = false;
            if (descriptors.size() == 1)
                written = exportImage(processImage(descriptors.at(0), false), folder,
                                      singleStem(descriptors.at(0)));
            else if (descriptors.size() >= 2)
                written = exportImage(processPair(descriptors.at(0), descriptors.at(1)), folder,
                                      pairStem(descriptors.at(0), descriptors.at(1)));
            outcome = written ? Written : Failed;
        }
        const std::lock_guard<std::mutex> lock(m_tasks.mutex());
        ++(outcome == Written ? m_newWritten : outcome == Failed ? m_newFailed : m_newSkipped);
    });
}

int ExportJob::existingFiles(const QVariant &folder, const QStringList &singles,
                             const QVariantList &pairs) const
{
    QStringList stems;
    for (const QString &single : singles)
        stems << singleStem(single);
    for (const QVariant &pair : pairs) {
        const QStringList halves = pair.toStringList();
        if (halves.size() >= 2)
            stems << pairStem(halves.at(0), halves.at(1));
    }
    const QDir dir(exportFolderPath(folder));
    return int(std::count_if(stems.begin(), stems.end(), [&dir](const QString &stem) {
        const QFileInfo file(dir.filePath(stem + QStringLiteral(".png")));
        return file.isFile();
    }));
}

void ExportJob::cancel()
{
    if (running())
        m_tasks.cancel();
}

void ExportJob::collect()
{
    // One collect may take the outcomes of several tasks; the later ones find nothing left.
    if (!running())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_tasks.mutex());
        m_written += std::exchange(m_newWritten, 0);
        m_failed += std::exchange(m_newFailed, 0);
        m_skipped += std::exchange(m_newSkipped, 0);
    }
    if (m_written + m_failed + m_skipped < m_total) {
        emit progressChanged();
        return;
    }
    const int written = m_written;
    const int total = m_total;
    const bool cancelled = m_tasks.cancelled();
    m_total = 0;
    emit progressChanged();
    emit finished(written, total, cancelled);
}
