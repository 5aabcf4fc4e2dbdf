#pragma once

#include <QQuickAsyncImageProvider>

class Session;

// Serves "image://photo/<index>" (or a descriptor, whose turn it applies): the photo's reduced
// copy, whole and upright, fitted into the requested size (at most the copy's own), for the large
// crop view.
class PhotoProvider : public QQuickAsyncImageProvider
{
public:
    explicit PhotoProvider(Session *session) : m_session(session) {}

    QQuickImageResponse *requestImageResponse(const QString &id,
                                              const QSize &requestedSize) override;

private:
    Session *m_session;
};
