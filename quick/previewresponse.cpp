#include "quick/previewresponse.h"

#include "session/backgroundtasks.h"

PreviewResponse::PreviewResponse(std::function<QImage()> work, QThreadPool *pool)
    : m_work(std::move(work))
{
    startOnPool(pool, [this] { run(); });
}

void PreviewResponse::run()
{
    if (!m_cancelled.load()) {
        QImage image = m_work();
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_image = std::move(image);
    }
    // Emitted from the response's own thread: the engine connects to finished() only after
    // requestImageResponse has returned. It deletes the response once it has finished,
    // cancelled or not.
    QMetaObject::invokeMethod(this, "finished", Qt::QueuedConnection);
}

QQuickTextureFactory *PreviewResponse::textureFactory() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return QQuickTextureFactory::textureFactoryForImage(m_image);
}

QString PreviewResponse::errorString() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_image.isNull() && !m_cancelled.load() ? QStringLiteral("No picture") : QString();
}

void PreviewResponse::cancel()
{
    m_cancelled.store(true);
}
