#include "providers/cvimageprovider.h"

#include "providers/preview.h"
#include "providers/previewresponse.h"

#include <QPixmap>

namespace {
const QSize bounds(200, 200);
}

QPixmap CvImageProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(previewImage(id, bounds));
}

QQuickImageResponse *CvImageProvider::requestImageResponse(const QString &id, const QSize &)
{
    return new PreviewResponse([id] { return previewImage(id, bounds); }, &m_pool);
}
