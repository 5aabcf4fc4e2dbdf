#pragma once

#include <QQuickAsyncImageProvider>

class Session;

// Serves "image://cv/<descriptor>": the processed image's preview fitted into 200 by 200. The
// engine gets it asynchronously from the session's preview threads; requestPixmap answers at once
// on the caller's thread with the same picture.
class CvImageProvider : public QQuickAsyncImageProvider
{
public:
    explicit CvImageProvider(Session *session) : m_session(session) {}

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
    QQuickImageResponse *requestImageResponse(const QString &id,
                                              const QSize &requestedSize) override;

private:
    Session *m_session;
};
