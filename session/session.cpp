#include "session/session.h"

#include "image/decode.h"
#include "image/export.h"
#include "image/exportnames.h"
#include "image/photofiles.h"
#include "image/turn.h"

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
    m_saver.setMaxThreadCount(1);
    m_previewPool.setMaxThreadCount(previewThreads);
    connect(&m_importer, &ImportJob::photoReady, this, &Session::list);
    connect(&m_photos, &PhotoList::boxWanted, this, &Session::detect);
    m_exporter.setOriginalPaths([this](int index) { return m_photos.pathOf(index); });
    connect(&m_importer, &ImportJob::finished, this, &Session::finishOpen);
    connect(&m_history, &History::changed, this, &Session::change);
    connect(&m_photos, &PhotoList::countChanged, this, &Session::change);
    connect(&m_exporter, &ExportJob::finished, this,
            [this](int written, int total, bool cancelled) {
                if (!cancelled && written == total)
                    markKept();
                emit exportFinished(written, total, cancelled);
            });
}

Session::~Session()
{
    // The last writes land before the session's parts go; the recovery file goes with it.
    m_saver.waitForDone();
    m_autosave.reset();
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
    // A session file's photos arrive in its order; one before this that never arrived was
    // refused by the import, which names it.
    const auto saved =
        std::find_if(m_pending.begin(), m_pending.end(),
                     [&path](const PendingPhoto &p) { return p.photo.path == path; });
    if (saved == m_pending.end()) {
        m_photos.append(index, path);
    } else {
        SessionState::Photo photo = saved->photo;
        if (photo.hash != m_store.fileHash(index)) {
            m_openChanged << QFileInfo(path).fileName();
            const cv::Size turned = turnedSize(m_store.size(index), {photo.boxQuarters, 0});
            const QRect onPhoto(0, 0, turned.width, turned.height);
            if (!onPhoto.contains(photo.box))
                photo.box = QRect();
        }
        m_openedIndices[saved->position] = index;
        m_pending.erase(m_pending.begin(), std::next(saved));
        m_photos.append(index, photo);
    }
    detect(index, m_photos.detectorOf(index));
}

void Session::change()
{
    ++m_changes;
    emit changed();
    emit modifiedChanged();
}

void Session::markKept()
{
    m_keptAt = m_changes;
    emit modifiedChanged();
}

void Session::setExportSettings(const QVariantMap &settings)
{
    if (settings == m_exportSettings)
        return;
    m_exportSettings = settings;
    emit exportSettingsChanged();
    change();
}

QStringList Session::exportSingles() const
{
    QSet<int> paired;
    for (const QVariant &photo : m_pairs.pairedPhotos())
        paired.insert(photo.toInt());
    QStringList singles;
    for (int row = 0; row < m_photos.count(); ++row)
        if (!paired.contains(m_photos.photoIndexAt(row)))
            singles << descriptorOfUrl(m_photos.sourceOf(m_photos.photoIndexAt(row)));
    return singles;
}

void Session::startExport(const QVariant &folder)
{
    m_exporter.start(folder, exportSingles(), m_pairs.descriptors(), m_exportSettings);
}

int Session::existingExportFiles(const QVariant &folder) const
{
    return m_exporter.existingFiles(folder, exportSingles(), m_pairs.descriptors(),
                                    m_exportSettings);
}

SessionState Session::state() const
{
    SessionState state;
    std::map<int, int> positions;
    for (int row = 0; row < m_photos.count(); ++row) {
        const int index = m_photos.photoIndexAt(row);
        SessionState::Photo photo{m_photos.choices(row), m_store.fileBytes(index),
                                  m_store.fileHash(index)};
        positions[index] = row;
        state.photos.append(photo);
    }
    const QVariantList paired = m_pairs.pairedPhotos();
    for (int k = 0; k + 1 < paired.size(); k += 2)
        state.pairs.append({positions.at(paired[k].toInt()), positions.at(paired[k + 1].toInt())});
    state.exportSettings = m_exportSettings;
    return state;
}

void Session::open(const SessionState &state)
{
    QVariantList rows;
    for (int row = 0; row < m_photos.count(); ++row)
        rows << row;
    m_photos.remove(rows);
    m_history.clear();
    m_pending.clear();
    m_openedIndices.clear();
    m_openMissing.clear();
    m_openChanged.clear();
    m_openPairs = state.pairs;
    setExportSettings(state.exportSettings);
    QStringList paths;
    for (int position = 0; position < state.photos.size(); ++position) {
        const SessionState::Photo &photo = state.photos[position];
        if (!QFileInfo::exists(photo.path)) {
            m_openMissing << photo.path;
            continue;
        }
        m_pending.push_back({position, photo});
        paths << photo.path;
    }
    m_pendingPairs = true;
    if (paths.isEmpty())
        QMetaObject::invokeMethod(this, &Session::finishOpen, Qt::QueuedConnection);
    m_importer.start(paths);
}

bool Session::saveFile(const QString &path, QString *why)
{
    if (!writeSessionFile(path, state(), why))
        return false;
    keptIn(path, m_changes);
    return true;
}

void Session::saveFileInBackground(const QString &path)
{
    // Changes made while it is written are not in the file: the session stays modified.
    startOnPool(&m_saver, [this, path, snapshot = state(), changes = m_changes] {
        QString why;
        const bool written = writeSessionFile(path, snapshot, &why);
        QMetaObject::invokeMethod(
            this,
            [this, path, written, why, changes] {
                if (written)
                    keptIn(path, changes);
                emit saved(path, written ? QString() : why);
            },
            Qt::QueuedConnection);
    });
}

void Session::keptIn(const QString &path, int changes)
{
    m_keptAt = changes;
    emit modifiedChanged();
    if (path != m_filePath) {
        m_filePath = path;
        emit filePathChanged();
    }
}

bool Session::openFile(const QString &path, QString *why, bool recovery)
{
    SessionState state;
    if (!readSessionFile(path, &state, why))
        return false;
    m_openRecovery = recovery;
    m_filePath = recovery ? state.savedAs : path;
    emit filePathChanged();
    open(state);
    return true;
}

void Session::keepRecovery(const QString &folder)
{
    m_recoveryFolder = folder;
    m_autosave = std::make_unique<Autosave>(this, folder);
}

void Session::finishOpen()
{
    if (!m_pendingPairs || m_importer.running())
        return;
    m_pending.clear();
    m_pendingPairs = false;
    for (const SessionState::Pair &pair : qAsConst(m_openPairs)) {
        const auto left = m_openedIndices.find(pair.left);
        const auto right = m_openedIndices.find(pair.right);
        if (left != m_openedIndices.end() && right != m_openedIndices.end())
            m_pairs.add(left->second, right->second);
    }
    m_history.clear();
    if (!m_openRecovery)
        markKept();
    emit opened(m_openMissing, m_openChanged);
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
