#include "quick/photoprovider.h"

#include "quick/previewresponse.h"
#include "session/session.h"

#include <QImage>

QQuickImageResponse *PhotoProvider::requestImageResponse(const QString &id,
                                                         const QSize &requestedSize)
{
    return new PreviewResponse(
        [store = &m_session->store(), id, requestedSize] {
            const cv::Mat reduced = store->preview(id.toInt());
            if (reduced.empty() || reduced.type() != CV_8UC3)
                return QImage();
            const QImage wrapped(reduced.data, reduced.cols, reduced.rows, int(reduced.step),
                                 QImage::Format_RGB888);
            if (!requestedSize.isValid() || requestedSize.width() >= reduced.cols)
                return wrapped.copy();
            return wrapped.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        },
        m_session->previewPool());
}
