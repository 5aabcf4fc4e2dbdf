// A scripted session for the kill trial: imports the photos of a folder, keeps a recovery file,
// then makes a random change every few milliseconds, writing after each the time and the state
// it left (one line each, the session file's text in base64) until it is killed.
#include "session/session.h"
#include "session/sessionfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4)
        return 2;
    Session session;
    for (const QFileInfo &photo : QDir(arguments[1]).entryInfoList(QDir::Files, QDir::Name))
        session.addImage(QUrl::fromLocalFile(photo.filePath()));
    session.keepRecovery(arguments[2]);
    QFile log(arguments[3]);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return 2;
    const auto record = [&] {
        log.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' +
                  sessionFileText(session.state(), QString()).toBase64() + '\n');
        log.flush();
    };
    record();
    QRandomGenerator random(quint32(QCoreApplication::applicationPid()));
    PhotoList *photos = session.photos();
    QTimer step;
    QObject::connect(&step, &QTimer::timeout, [&] {
        const int row = random.bounded(photos->count());
        switch (random.bounded(6)) {
        case 0:
            photos->setOptions({row}, {{"padding", random.bounded(200)}});
            break;
        case 1:
            photos->setOptions({row}, {{"crop", random.bounded(2) == 1}, {"detect", "object"}});
            break;
        case 2:
            photos->rotate({row}, 1);
            break;
        case 3:
            session.pairs()->add(photos->photoIndexAt(row),
                                 photos->photoIndexAt(random.bounded(photos->count())));
            break;
        case 4:
            session.history()->undo();
            break;
        default:
            session.setExportSettings({{"format", random.bounded(2) == 1 ? "jpg" : "png"}});
        }
        record();
    });
    step.start(15);
    return app.exec();
}
