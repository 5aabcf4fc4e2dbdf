#include "quick/registration.h"

#include "quick/cvimageprovider.h"
#include "quick/cvstitchprovider.h"
#include "quick/photoprovider.h"
#include "session/cvimage.h"
#include "session/session.h"

#include <QQmlEngine>
#include <QtQml>

Session *registerWithEngine(QQmlEngine *engine)
{
    // CvImage finds the session among the engine's children.
    auto *session = new Session(engine);
    qmlRegisterType<CvImage>("com.tavo.opencv", 1, 0, "CvImage");
    engine->addImageProvider(QStringLiteral("cv"), new CvImageProvider(session));
    engine->addImageProvider(QStringLiteral("stitch"), new CvStitchProvider(session));
    engine->addImageProvider(QStringLiteral("photo"), new PhotoProvider(session));
    return session;
}
