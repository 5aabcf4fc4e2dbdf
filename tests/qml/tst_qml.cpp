// Guards the pages in Qt Quick Test; set-up: the application's type, providers and images.
#include "image/translations.h"
#include "quick/registration.h"
#include "support/testimages.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // Every run starts as a first one: nothing remembered.
        QCoreApplication::setOrganizationName(QStringLiteral("Morvick2"));
        QSettings().clear();
        // English whatever the machine's language: the tests compare texts.
        installTranslations(QCoreApplication::instance(), QLocale(QLocale::English));
        registerWithEngine(engine);
        QVariantList urls;
        for (int i = 0; i < 3; ++i)
            urls << QUrl::fromLocalFile(writeImageFile(m_folder.path(),
                                                       QStringLiteral("%1.png").arg(i),
                                                       plainImage(40, 30, {20, 30, 40})));
        engine->rootContext()->setContextProperty(QStringLiteral("testImageUrls"), urls);
    }

private:
    QTemporaryDir m_folder;
};

QUICK_TEST_MAIN_WITH_SETUP(qml, Setup)
#include "tst_qml.moc"
