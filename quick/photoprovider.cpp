#include "quick/photoprovider.h"

#include "image/imageoptions.h"
#include "image/turn.h"
#include "quick/previewresponse.h"
#include "session/session.h"

#include <QImage>

QQuickImageResponse *PhotoProvider::requestImageResponse(const QString &id,
                                                         const QSize &requestedSize)
{
    return new PreviewResponse(
        [store = &m_session->store(), id, requestedSize] {
            // The photo turned as its descriptor asks, never cropped.
            const ImageOptions options = parseOptions(id);
            const cv::Mat reduced = turnImage(store->preview(options.index), turnOf(options));
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
