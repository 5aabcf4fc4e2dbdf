#include "providers/registration.h"

#include "core/cvimage.h"
#include "providers/cvimageprovider.h"
#include "providers/cvstitchprovider.h"
#include "providers/photoprovider.h"

#include <QQmlEngine>
#include <QtQml>

void registerWithEngine(QQmlEngine *engine)
{
    qmlRegisterType<CvImage>("com.tavo.opencv", 1, 0, "CvImage");
    engine->addImageProvider(QStringLiteral("cv"), new CvImageProvider);
    engine->addImageProvider(QStringLiteral("stitch"), new CvStitchProvider);
    engine->addImageProvider(QStringLiteral("photo"), new PhotoProvider);
}
