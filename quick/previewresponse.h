#pragma once

#include <QImage>
#include <QQuickImageResponse>

#include <atomic>
#include <functional>
#include <mutex>

class QThreadPool;

// One preview made on a provider's own thread pool, so that tiles are served in parallel and
// never queue behind each other on the engine's single loader thread. A request the engine no
// longer wants (the slider moved on, the tile went away) is dropped before its work starts.
class PreviewResponse : public QQuickImageResponse
{
public:
    PreviewResponse(std::function<QImage()> work, QThreadPool *pool);

    QQuickTextureFactory *textureFactory() const override;
    QString errorString() const override;
    void cancel() override;

private:
    void run();

    std::function<QImage()> m_work;
    std::atomic<bool> m_cancelled{false};
    // Written by the worker, read by the engine after finished().
    mutable std::mutex m_mutex;
    QImage m_image;
};
