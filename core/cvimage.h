#pragma once

#include "core/backgroundtasks.h"
#include "core/exportjob.h"
#include "core/importjob.h"
#include "core/photolist.h"

#include <QObject>
#include <QThreadPool>
#include <QVariant>
#include <QVariantList>

#include <vector>

// The one native object the QML pages talk to: imports photos into the session, lists them as
// image URLs ("image://cv/<index>") and exports single images and pairs. Decoding, edge
// detection and export run on its thread pool, one task per photo.
class CvImage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList imageArray READ imageArray NOTIFY imageArrayChanged)
    Q_PROPERTY(PhotoList *photos READ photos CONSTANT)
    Q_PROPERTY(ImportJob *importer READ importer CONSTANT)
    Q_PROPERTY(ExportJob *exporter READ exporter CONSTANT)

public:
    explicit CvImage(QObject *parent = nullptr);
    ~CvImage() override;

    // The image URLs of the session's photos, in order.
    QVariantList imageArray() const { return m_photos.imageUrls(); }
    PhotoList *photos() { return &m_photos; }
    ImportJob *importer() { return &m_importer; }
    ExportJob *exporter() { return &m_exporter; }

    // Decodes one file and returns once it is listed or refused. A file that cannot be decoded
    // is skipped: nothing is listed and nothing is signalled.
    Q_INVOKABLE void addImage(const QVariant &image);
    // Imports file and folder URLs (a list of URLs or texts) in the background; the photos are
    // listed in this order as they are decoded.
    Q_INVOKABLE void importUrls(const QVariant &urls);
    // Takes a path as it is, or a folder URL as its local path.
    Q_INVOKABLE void setExportFolder(const QVariant &folder);
    // Exports one descriptor's image; returns whether its file was written.
    Q_INVOKABLE bool save(const QVariant &uri);
    // Exports a pair of descriptors as one image; returns whether its file was written.
    Q_INVOKABLE bool saveStitched(const QVariant &uris);

signals:
    void imageArrayChanged();

private slots:
    void list(int index, const QString &path);
    void collectDetections();

private:
    PhotoList m_photos;
    QThreadPool m_pool;
    ImportJob m_importer{&m_pool};
    ExportJob m_exporter{&m_pool};
    // Photos whose object box was found since the last collect.
    std::vector<int> m_detected;
    BackgroundTasks m_detections{this, "collectDetections", &m_pool};
};
