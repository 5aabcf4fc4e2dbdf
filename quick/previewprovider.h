#pragma once

#include <QQuickAsyncImageProvider>
#include <QSize>

class PhotoStore;
class Session;

// Serves previews of a session's photos, cut from their reduced copies by render within
// bounds: asynchronously for the engine, on the session's preview threads, and at once on the
// caller's thread through requestPixmap. The providers differ only in render and bounds. The
// engine of a high-density screen asks for the bounds times its pixel ratio: the asynchronous
// path serves those (up to maxScale times the bounds), so that previews stay sharp;
// requestPixmap always keeps to the bounds.
class PreviewProvider : public QQuickAsyncImageProvider
{
public:
    using Render = QImage (*)(PhotoStore &store, const QString &id, const QSize &bounds);

    static constexpr int maxScale = 3;

    PreviewProvider(Session *session, Render render, const QSize &bounds)
        : m_session(session), m_render(render), m_bounds(bounds)
    {
    }

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
    QQuickImageResponse *requestImageResponse(const QString &id,
                                              const QSize &requestedSize) override;

    // The bounds a request for requestedSize is served within.
    QSize servedBounds(const QSize &requestedSize) const;

private:
    Session *m_session;
    Render m_render;
    QSize m_bounds;
};
