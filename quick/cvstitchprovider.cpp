#include "quick/cvstitchprovider.h"

#include "quick/preview.h"
#include "quick/previewresponse.h"
#include "session/session.h"

#include <QPixmap>

namespace {
const QSize bounds(400, 200);
}

QPixmap CvStitchProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(previewPair(m_session->store(), id, bounds));
}

QQuickImageResponse *CvStitchProvider::requestImageResponse(const QString &id, const QSize &)
{
    return new PreviewResponse(
        [store = &m_session->store(), id] { return previewPair(*store, id, bounds); },
        m_session->previewPool());
}
