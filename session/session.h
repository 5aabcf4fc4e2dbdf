#pragma once

#include "session/autosave.h"
#include "session/backgroundtasks.h"
#include "session/exportjob.h"
#include "session/history.h"
#include "session/importjob.h"
#include "session/pairlist.h"
#include "session/photolist.h"
#include "session/photostore.h"
#include "session/sessionfile.h"

#include <QObject>
#include <QThreadPool>
#include <QVariant>

#include <deque>
#include <map>
#include <memory>
#include <vector>

// One photo session: its photos (the store and the list the pages show), the folder the
// synchronous exports go to, and the background work on them. Imports, detections and exports
// share one pool sized to the cores; previews have a small pool of their own, so that a tile is
// never queued behind a full-size decode. (The executables turn OpenCV's own threads off at
// start-up: one photo a worker already fills the cores.)
class Session : public QObject
{
    Q_OBJECT

public:
    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    PhotoStore &store() { return m_store; }
    PhotoList *photos() { return &m_photos; }
    PairList *pairs() { return &m_pairs; }
    History *history() { return &m_history; }
    ImportJob *importer() { return &m_importer; }
    ExportJob *exporter() { return &m_exporter; }
    QThreadPool *previewPool() { return &m_previewPool; }

    // Decodes one file on the calling thread and lists it; false when it cannot be decoded.
    bool addImage(const QVariant &url);
    // Imports file and folder URLs (a QList<QUrl> of a drop or a list of URLs or texts) in the
    // background; the photos are listed in this order as they are decoded. Unless duplicates
    // are allowed, a file listed already, or given twice, is imported once: those skipped.
    QStringList importUrls(const QVariant &urls, bool allowDuplicates = false);

    // The folder save() and saveStitched() write into: a path as it is, or a folder URL's local
    // path.
    void setExportFolder(const QVariant &folder);
    // Exports one descriptor's image into the export folder; whether its file was written.
    bool save(const QString &descriptor);
    // Exports a pair of descriptors as one image; whether its file was written.
    bool saveStitched(const QString &left, const QString &right);

    // The export's options as ExportJob::start takes them: part of the session, saved with it.
    QVariantMap exportSettings() const { return m_exportSettings; }
    void setExportSettings(const QVariantMap &settings);
    // What an export of the session writes: every photo not paired, in the list's order, by
    // descriptor, then every pair.
    QStringList exportSingles() const;
    // Exports the session into folder (a URL or a path) in the background, with its settings;
    // how many of those files exist there already.
    void startExport(const QVariant &folder);
    int existingExportFiles(const QVariant &folder) const;

    // Everything a person chose in the session, as a session file keeps it.
    SessionState state() const;
    // Replaces the session by a saved one: its photos are imported again in their order with
    // their choices, then paired; the history starts anew. A photo whose file is missing is left
    // out; one whose file changed since keeps the choices that still fit (a box chosen by hand
    // only while it lies on the photo). Reports by opened(); the session counts as modified
    // until markKept().
    void open(const SessionState &state);

    // The session file the session was opened from or last saved as; empty for a new one.
    QString filePath() const { return m_filePath; }
    // Writes the session to path and takes it as the session's file; false and why when it
    // cannot be written, nothing replaced.
    bool saveFile(const QString &path, QString *why);
    // The same on a thread of its own, the GUI thread only taking the state; told by saved().
    void saveFileInBackground(const QString &path);
    // Reads a session file and opens it; false and why, the session untouched, when it cannot be
    // read. A recovery file's session keeps the file it was saved as and stays modified.
    bool openFile(const QString &path, QString *why, bool recovery = false);

    // Keeps the session in a recovery file in folder from now on (Autosave).
    void keepRecovery(const QString &folder);
    QString recoveryFolder() const { return m_recoveryFolder; }

    // Whether the session holds photos and anything was changed since it was last saved, opened
    // or exported whole: work that closing would lose.
    bool modified() const { return m_changes != m_keptAt && m_photos.count() > 0; }
    // The session as it is now is kept in a file.
    void markKept();

signals:
    // Anything a person chose changed: a photo listed, taken out or changed, a pair, an export
    // setting, an undo or redo.
    void changed();
    void modifiedChanged();
    void filePathChanged();
    // A save in the background is done: error says why it failed, empty when it did not.
    void saved(const QString &path, const QString &error);
    // The export's finished, told once an export of every file has marked the work kept.
    void exportFinished(int written, int total, bool cancelled);
    void exportSettingsChanged();
    // A session file's photos are listed and paired: missing names the files not found, changed
    // those whose content is not what was saved.
    void opened(const QStringList &missing, const QStringList &changed);

private slots:
    void list(int index, const QString &path);
    // The session as it was at changes is kept in path, now its file.
    void keptIn(const QString &path, int changes);
    void finishOpen();
    void change();
    // Finds the photo's box with detector in the background, unless it is known already.
    void detect(int index, Detector detector);
    void collectDetections();

private:
    PhotoStore m_store;
    History m_history;
    PhotoList m_photos{&m_store, &m_history};
    PairList m_pairs{&m_photos, &m_history};
    QString m_exportFolder;
    QVariantMap m_exportSettings;
    QString m_filePath;
    QString m_recoveryFolder;
    std::unique_ptr<Autosave> m_autosave;
    // Saves in the background, one at a time and in order.
    QThreadPool m_saver;
    bool m_openRecovery = false;
    int m_changes = 0;
    int m_keptAt = 0;
    // The photos of a session file still to be listed, in order, by their position in it; its
    // pairs, and what was found missing or changed so far.
    struct PendingPhoto
    {
        int position;
        SessionState::Photo photo;
    };
    std::deque<PendingPhoto> m_pending;
    bool m_pendingPairs = false;
    QVector<SessionState::Pair> m_openPairs;
    std::map<int, int> m_openedIndices;
    QStringList m_openMissing;
    QStringList m_openChanged;
    // Destroyed before what their tasks use, and after the jobs that start them.
    QThreadPool m_pool;
    QThreadPool m_previewPool;
    ImportJob m_importer{&m_pool, &m_store};
    ExportJob m_exporter{&m_pool, &m_store};
    // Photos whose object box was found since the last collect, and by which detector.
    std::vector<std::pair<int, Detector>> m_detected;
    BackgroundTasks m_detections{this, "collectDetections", &m_pool};
};
