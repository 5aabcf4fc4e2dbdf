#include "session/exportjob.h"

#include "image/exportnames.h"
#include "image/imageoptions.h"
#include "session/photostore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

ExportJob::ExportJob(QThreadPool *pool, PhotoStore *store, QObject *parent, qint64 budgetBytes)
    : QObject(parent), m_store(store), m_gate(budgetBytes), m_tasks(this, "collect", pool)
{
}

void ExportJob::setOriginalPaths(std::function<QString(int)> originalPath)
{
    m_originalPath = std::move(originalPath);
}

namespace {
ExportFormat formatOf(const QVariantMap &options)
{
    ExportFormat format;
    parseExportFormat(options.value(QStringLiteral("format"), QStringLiteral("png")).toString(),
                      &format);
    format.quality = std::clamp(options.value(QStringLiteral("quality"), 90).toInt(), 1, 100);
    parseColourChoice(options.value(QStringLiteral("colour"), QStringLiteral("keep")).toString(),
                      &format.srgb);
    parseMetadataChoice(
        options.value(QStringLiteral("metadata"), QStringLiteral("keep")).toString(),
        &format.metadata);
    return format;
}
} // namespace

QVector<ExportJob::File> ExportJob::plan(const QStringList &singles, const QVariantList &pairs,
                                         const QVariantMap &options) const
{
    QVector<QStringList> outputs;
    QVector<QVector<int>> photos;
    for (const QString &single : singles)
        outputs.append({single});
    for (const QVariant &pair : pairs) {
        const QStringList halves = pair.toStringList();
        if (halves.size() >= 2)
            outputs.append(halves.mid(0, 2));
    }
    for (const QStringList &descriptors : outputs) {
        QVector<int> indices;
        for (const QString &descriptor : descriptors)
            indices << parseOptions(descriptor).index;
        photos << indices;
    }
    const bool original = options.value(QStringLiteral("names")).toString() == "original";
    const QStringList stems = exportStems(photos, original && m_originalPath,
                                          [this](int index) { return m_originalPath(index); });
    QVector<File> files;
    for (int k = 0; k < outputs.size(); ++k)
        files.append({outputs.at(k), stems.at(k)});
    return files;
}

void ExportJob::start(const QVariant &folder, const QStringList &singles, const QVariantList &pairs,
                      const QVariantMap &options)
{
    if (running())
        return;
    const QString path = exportFolderPath(folder);
    const QVector<File> files = plan(singles, pairs, options);
    const ExportFormat format = formatOf(options);
    const PairStyle style = pairStyleOf(options);
    m_tasks.resume();
    m_total = int(files.size());
    m_written = m_failed = m_skipped = 0;
    for (const File &file : files)
        add(path, file, format, style);
    emit progressChanged();
    if (m_total == 0)
        emit finished(0, 0, false);
}

void ExportJob::add(const QString &folder, const File &file, const ExportFormat &format,
                    const PairStyle &style)
{
    m_tasks.run([this, folder, file, format, style](bool cancelled) {
        enum { Written, Failed, Skipped } outcome = Skipped;
        if (!cancelled) {
            const MemoryGate::Pass pass(m_gate, m_store->exportBytes(file.descriptors, style));
            // A cancel while the file waited for room skips it.
            if (!m_tasks.cancelled()) {
                const ExportPicture picture =
                    m_store->renderExport(file.descriptors, style, format.srgb);
                outcome = exportImage(picture.image, folder, file.stem, format, picture.metadata)
                              ? Written
                              : Failed;
            }
        }
        const std::lock_guard<std::mutex> lock(m_tasks.mutex());
        ++(outcome == Written ? m_newWritten : outcome == Failed ? m_newFailed : m_newSkipped);
    });
}

int ExportJob::existingFiles(const QVariant &folder, const QStringList &singles,
                             const QVariantList &pairs, const QVariantMap &options) const
{
    const QDir dir(exportFolderPath(folder));
    const QString extension = QLatin1Char('.') + formatOf(options).extension();
    const QVector<File> files = plan(singles, pairs, options);
    return int(std::count_if(files.begin(), files.end(), [&](const File &file) {
        return QFileInfo(dir.filePath(file.stem + extension)).isFile();
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
