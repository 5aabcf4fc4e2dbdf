#include "core/cvimage.h"

#include "core/export.h"
#include "core/imagestore.h"
#include "core/processimage.h"
#include "core/stitch.h"

#include <QUrl>

CvImage::CvImage(QObject *parent) : QObject(parent) {}

void CvImage::addImage(const QVariant &image)
{
    const int index = importImage(image);
    if (index < 0)
        return;
    m_imageArray.append(QStringLiteral("image://cv/") + QString::number(index));
    emit imageArrayChanged();
}

void CvImage::setExportFolder(const QVariant &folder)
{
    exportFolder =
        folder.userType() == QMetaType::QUrl ? folder.toUrl().toLocalFile() : folder.toString();
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
