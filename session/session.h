#pragma once

#include "session/backgroundtasks.h"
#include "session/exportjob.h"
#include "session/history.h"
#include "session/importjob.h"
#include "session/pairlist.h"
#include "session/photolist.h"
#include "session/photostore.h"

#include <QObject>
#include <QThreadPool>
#include <QVariant>

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

private slots:
    void list(int index, const QString &path);
    // Finds the photo's box with detector in the background, unless it is known already.
    void detect(int index, Detector detector);
    void collectDetections();

private:
    PhotoStore m_store;
    History m_history;
    PhotoList m_photos{&m_store, &m_history};
    PairList m_pairs{&m_photos, &m_history};
    QString m_exportFolder;
    // Destroyed before what their tasks use, and after the jobs that start them.
    QThreadPool m_pool;
    QThreadPool m_previewPool;
    ImportJob m_importer{&m_pool, &m_store};
    ExportJob m_exporter{&m_pool, &m_store};
    // Photos whose object box was found since the last collect, and by which detector.
    std::vector<std::pair<int, Detector>> m_detected;
    BackgroundTasks m_detections{this, "collectDetections", &m_pool};
};
