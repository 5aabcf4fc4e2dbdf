#pragma once

#include <QQuickAsyncImageProvider>

class Session;

// Serves "image://stitch/<left descriptor>*<right descriptor>": the joined pair's preview fitted
// into 400 by 200, asynchronously for the engine and at once through requestPixmap.
class CvStitchProvider : public QQuickAsyncImageProvider
{
public:
    explicit CvStitchProvider(Session *session) : m_session(session) {}

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
    QQuickImageResponse *requestImageResponse(const QString &id,
                                              const QSize &requestedSize) override;

private:
    Session *m_session;
};
