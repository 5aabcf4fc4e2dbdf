#include "image/processsetup.h"
#include "image/translations.h"
#include "quick/registration.h"
#include "session/session.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication app(argc, argv);
    // The folder dialog keeps its own settings, which need an owner.
    app.setOrganizationName(QStringLiteral("Morvick2"));
    app.setApplicationVersion(QStringLiteral(MORVICK2_VERSION));
    installTranslations(&app);
    // The installed theme's icon where there is one, so the window matches the menu entry.
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/morvick2-%1.png").arg(size));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("morvick2"), icon));

    setUpPhotoWorkers();
    QQmlApplicationEngine engine;
    Session *session = registerWithEngine(&engine);
    // The full-size image cache's budget in MiB, a setting of its own (see the README).
    session->store().setBudget(
        QSettings()
            .value(QStringLiteral("imageCacheMiB"), PhotoStore::defaultBudget >> 20)
            .toLongLong()
        << 20);
    // Every change is kept in the user's data folder until the window closes normally.
    session->keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                          QStringLiteral("/recovery"));
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    if (engine.rootObjects().isEmpty())
        return -1;

    return app.exec();
}
