#include "providers/cvimageprovider.h"

#include "core/processimage.h"
#include "providers/previewpixmap.h"

CvImageProvider::CvImageProvider() : QQuickImageProvider(QQmlImageProviderBase::Pixmap) {}

QPixmap CvImageProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return previewPixmap(processImage(id, false), QSize(200, 200));
}
