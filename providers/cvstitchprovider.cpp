#include "providers/cvstitchprovider.h"

#include "core/processimage.h"
#include "core/stitch.h"
#include "providers/previewpixmap.h"

CvStitchProvider::CvStitchProvider() : QQuickImageProvider(QQmlImageProviderBase::Pixmap) {}

QPixmap CvStitchProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    const QStringList parts = id.split(QLatin1Char('*'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() < 2)
        return {};
    const cv::Mat left = processImage(parts.at(0), false);
    const cv::Mat right = processImage(parts.at(1), false);
    return previewPixmap(joinPair(left, right), QSize(400, 200));
}
