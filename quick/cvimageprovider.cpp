#include "quick/cvimageprovider.h"

#include "quick/preview.h"
#include "quick/previewresponse.h"
#include "session/session.h"

#include <QPixmap>

namespace {
const QSize bounds(200, 200);
}

QPixmap CvImageProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(previewImage(m_session->store(), id, bounds));
}

QQuickImageResponse *CvImageProvider::requestImageResponse(const QString &id, const QSize &)
{
    return new PreviewResponse(
        [store = &m_session->store(), id] { return previewImage(*store, id, bounds); },
        m_session->previewPool());
}
