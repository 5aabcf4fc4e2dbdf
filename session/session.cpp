#include "session/session.h"

#include "image/decode.h"
#include "image/export.h"
#include "image/exportnames.h"
#include "image/photofiles.h"

#include <QFileInfo>
#include <QSet>
#include <QUrl>

namespace {
// Detection waits until the files already dropped are decoded: thumbnails come first.
constexpr int detectionPriority = -1;
// Enough to cut the tiles of a screen in parallel; a preview costs milliseconds.
constexpr int previewThreads = 2;
} // namespace

Session::Session(QObject *parent) : QObject(parent)
{
    m_previewPool.setMaxThreadCount(previewThreads);
    connect(&m_importer, &ImportJob::photoReady, this, &Session::list);
    connect(&m_photos, &PhotoList::boxWanted, this, &Session::detect);
    m_exporter.setOriginalPaths([this](int index) { return m_photos.pathOf(index); });
}

Session::~Session()
{
    // Every job waits for its own tasks when destroyed; cancelled first, none of them waits
    // behind work that nobody will see.
    m_importer.cancel();
    m_exporter.cancel();
    m_detections.cancel();
}

bool Session::addImage(const QVariant &url)
{
    const QString path = localPathFromUrl(url);
    const int index = m_store.add(PhotoStore::prepare(readPhotoFile(path)));
    if (index < 0)
        return false;
    list(index, path);
    return true;
}

QStringList Session::importUrls(const QVariant &urls, bool allowDuplicates)
{
    // A drop event hands over its URLs as a QList<QUrl>, script code as a list of variants.
    QVariantList list;
    if (urls.userType() == qMetaTypeId<QList<QUrl>>()) {
        for (const QUrl &url : urls.value<QList<QUrl>>())
            list << url;
    } else {
        list = urls.toList();
    }
    QStringList paths = importPaths(list);
    QStringList skipped;
    if (!allowDuplicates) {
        // Known by their canonical paths: a link or another spelling names the same file.
        const auto canonical = [](const QString &path) {
            const QString resolved = QFileInfo(path).canonicalFilePath();
            return resolved.isEmpty() ? path : resolved;
        };
        QSet<QString> seen;
        for (const QString &path : m_photos.paths())
            seen.insert(canonical(path));
        QStringList fresh;
        for (const QString &path : paths) {
            const QString key = canonical(path);
            if (seen.contains(key)) {
                skipped << path;
                continue;
            }
            seen.insert(key);
            fresh << path;
        }
        paths = fresh;
    }
    m_importer.start(paths);
    return skipped;
}

void Session::list(int index, const QString &path)
{
    m_photos.append(index, path);
    detect(index, m_photos.detectorOf(index));
}

void Session::detect(int index, Detector detector)
{
    m_detections.run(
        [this, index, detector](bool cancelled) {
            if (cancelled)
                return;
            m_store.detectedBox(index, detector);
            const std::lock_guard<std::mutex> lock(m_detections.mutex());
            m_detected.emplace_back(index, detector);
        },
        detectionPriority);
}

void Session::collectDetections()
{
    std::vector<std::pair<int, Detector>> detected;
    {
        const std::lock_guard<std::mutex> lock(m_detections.mutex());
        detected.swap(m_detected);
    }
    for (const auto &[index, detector] : detected)
        m_photos.setBoxReady(index, detector, m_store.detectionDoubt(index, detector));
}

void Session::setExportFolder(const QVariant &folder)
{
    m_exportFolder = exportFolderPath(folder);
}

bool Session::save(const QString &descriptor)
{
    const ExportPicture picture = m_store.renderExport({descriptor});
    return exportImage(picture.image, m_exportFolder, singleStem(descriptor), {}, picture.metadata);
}

bool Session::saveStitched(const QString &left, const QString &right)
{
    const ExportPicture picture = m_store.renderExport({left, right});
    return exportImage(picture.image, m_exportFolder, pairStem(left, right), {}, picture.metadata);
}
