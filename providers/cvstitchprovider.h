#pragma once

#include <QQuickImageProvider>

// Serves "image://stitch/<left descriptor>*<right descriptor>": the joined pair fitted into
// 400 by 200.
class CvStitchProvider : public QQuickImageProvider
{
public:
    CvStitchProvider();

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
};
