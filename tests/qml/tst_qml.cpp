#include "providers/registration.h"
#include "support/testimages.h"

#include <QDesktopServices>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QUrl>
#include <QtQuickTest>

// Registers what the application registers, offers the page tests a few image files, and
// records the URLs the pages ask the system to open instead of opening them.
class Setup : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList opened MEMBER m_opened)

public slots:
    void openUrl(const QUrl &url) { m_opened << url.toString(); }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        registerWithEngine(engine);
        QVariantList urls;
        for (int i = 0; i < 6; ++i) {
            const cv::Mat picture =
                objectImage({120 + 20 * i, 90}, {30, 20, 40, 30}, {20, 30, 40}, {220, 200, 180});
            urls << QUrl::fromLocalFile(
                writeImageFile(m_folder.path(), QStringLiteral("image %1.png").arg(i), picture));
        }
        engine->rootContext()->setContextProperty(QStringLiteral("testImageUrls"), urls);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
        engine->rootContext()->setContextProperty(QStringLiteral("urlOpener"), this);
    }

private:
    QTemporaryDir m_folder;
    QVariantList m_opened;
};

QUICK_TEST_MAIN_WITH_SETUP(qml, Setup)
#include "tst_qml.moc"
