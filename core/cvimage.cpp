#include "core/cvimage.h"

#include "core/export.h"
#include "core/imagestore.h"
#include "core/processimage.h"
#include "core/stitch.h"

#include <QUrl>

namespace {
// Detection waits until the files already dropped are decoded: thumbnails come first.
constexpr int detectionPriority = -1;
} // namespace

CvImage::CvImage(QObject *parent) : QObject(parent)
{
    connect(&m_importer, &ImportJob::photoReady, this, &CvImage::list);
    connect(&m_photos, &PhotoList::countChanged, this, &CvImage::imageArrayChanged);
    m_exporter.setOriginalPaths([this](int index) { return m_photos.pathOf(index); });
}

CvImage::~CvImage()
{
    // Every job waits for its own tasks when destroyed; cancelled first, none of them waits
    // behind work that nobody will see.
    m_importer.cancel();
    m_exporter.cancel();
    m_detections.cancel();
}

void CvImage::addImage(const QVariant &image)
{
    const QString path = localPathFromUrl(image);
    const int index = importImage(image);
    if (index >= 0)
        list(index, path);
}

void CvImage::importUrls(const QVariant &urls)
{
    // A drop event hands over its URLs as a QList<QUrl>, script code as a list of variants.
    QVariantList list;
    if (urls.userType() == qMetaTypeId<QList<QUrl>>()) {
        for (const QUrl &url : urls.value<QList<QUrl>>())
            list << url;
    } else {
        list = urls.toList();
    }
    m_importer.start(importPaths(list));
}

void CvImage::list(int index, const QString &path)
{
    m_photos.append(index, path);
    m_detections.run(
        [this, index](bool cancelled) {
            if (cancelled)
                return;
            objectBox(index);
            const std::lock_guard<std::mutex> lock(m_detections.mutex());
            m_detected.push_back(index);
        },
        detectionPriority);
}

void CvImage::collectDetections()
{
    std::vector<int> detected;
    {
        const std::lock_guard<std::mutex> lock(m_detections.mutex());
        detected.swap(m_detected);
    }
    for (const int index : detected)
        m_photos.setBoxReady(index, cropDoubt(objectBox(index), storedImage(index).size()));
}

void CvImage::setExportFolder(const QVariant &folder)
{
    exportFolder = exportFolderPath(folder);
}

bool CvImage::save(const QVariant &uri)
{
    bool written = false;
    processImage(uri.toString(), true, &written);
    return written;
}

bool CvImage::saveStitched(const QVariant &uris)
{
    return ::saveStitched(uris);
}
