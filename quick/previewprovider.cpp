#include "quick/previewprovider.h"

#include "quick/previewresponse.h"
#include "session/session.h"

#include <QPixmap>

#include <algorithm>

QPixmap PreviewProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(m_render(m_session->store(), id, m_bounds));
}

QSize PreviewProvider::servedBounds(const QSize &requestedSize) const
{
    // A whole scale: the box of a tile on a screen of that pixel ratio.
    const int scale = std::min({requestedSize.width() / m_bounds.width(),
                                requestedSize.height() / m_bounds.height(), maxScale});
    return scale > 1 ? m_bounds * scale : m_bounds;
}

QQuickImageResponse *PreviewProvider::requestImageResponse(const QString &id,
                                                           const QSize &requestedSize)
{
    return new PreviewResponse(
        [store = &m_session->store(), render = m_render, id, bounds = servedBounds(requestedSize)] {
            return render(*store, id, bounds);
        },
        m_session->previewPool());
}
