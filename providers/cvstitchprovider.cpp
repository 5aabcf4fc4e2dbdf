#include "providers/cvstitchprovider.h"

#include "providers/preview.h"
#include "providers/previewresponse.h"

#include <QPixmap>

namespace {
const QSize bounds(400, 200);
}

QPixmap CvStitchProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(previewPair(id, bounds));
}

QQuickImageResponse *CvStitchProvider::requestImageResponse(const QString &id, const QSize &)
{
    return new PreviewResponse([id] { return previewPair(id, bounds); }, &m_pool);
}
