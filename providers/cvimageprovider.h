#pragma once

#include <QQuickImageProvider>

// Serves "image://cv/<descriptor>": the processed image fitted into 200 by 200.
class CvImageProvider : public QQuickImageProvider
{
public:
    CvImageProvider();

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
};
