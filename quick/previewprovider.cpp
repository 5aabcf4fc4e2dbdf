#include "quick/previewprovider.h"

#include "quick/previewresponse.h"
#include "session/session.h"

#include <QPixmap>

QPixmap PreviewProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(m_render(m_session->store(), id, m_bounds));
}

QQuickImageResponse *PreviewProvider::requestImageResponse(const QString &id, const QSize &)
{
    return new PreviewResponse([store = &m_session->store(), render = m_render, id,
                                bounds = m_bounds] { return render(*store, id, bounds); },
                               m_session->previewPool());
}
