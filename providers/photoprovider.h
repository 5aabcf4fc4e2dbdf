#pragma once

#include <QQuickAsyncImageProvider>
#include <QThreadPool>

// Serves "image://photo/<index>": the photo's reduced copy, whole and upright, fitted into the
// requested size (at most the copy's own), for the large crop view.
class PhotoProvider : public QQuickAsyncImageProvider
{
public:
    QQuickImageResponse *requestImageResponse(const QString &id,
                                              const QSize &requestedSize) override;

private:
    QThreadPool m_pool;
};
