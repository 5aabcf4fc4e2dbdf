#include "cli/sessionexport.h"

#include "session/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace {
struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

void say(std::FILE *messages, const QString &text)
{
    std::fprintf(messages, "morvick2-cli: %s\n", qPrintable(text));
}
} // namespace

int exportSession(const QString &sessionFile, const QString &folder, bool force, bool quiet,
                  std::FILE *messages)
{
    Session session;
    QEventLoop loop;
    QStringList missing;
    QStringList unreadable;
    QObject::connect(&session, &Session::opened, &loop,
                     [&](const QStringList &notFound, const QStringList &changed) {
                         missing = notFound;
                         if (!changed.isEmpty())
                             say(messages, Cli::tr("changed since the session was saved: %1")
                                               .arg(changed.join(QStringLiteral(", "))));
                         loop.quit();
                     });
    QObject::connect(session.importer(), &ImportJob::finished, &loop,
                     [&](const QStringList &refused) { unreadable = refused; });
    QString why;
    if (!session.openFile(sessionFile, &why)) {
        say(messages, Cli::tr("cannot open the session %1: %2").arg(sessionFile, why));
        return 1;
    }
    loop.exec();
    missing << unreadable;
    if (!missing.isEmpty())
        say(messages, Cli::tr("left out, not found or not readable: %1")
                          .arg(missing.join(QStringLiteral(", "))));

    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        say(messages, Cli::tr("cannot make the folder %1").arg(folder));
        return 1;
    }
    if (!force) {
        if (const int taken = session.existingExportFiles(folder); taken > 0) {
            say(messages, Cli::tr("nothing written: %n file(s) are already in %1 (--force "
                                  "replaces them)",
                                  "", taken)
                              .arg(folder));
            return 1;
        }
    }
    int written = 0;
    int total = 0;
    QObject::connect(&session, &Session::exportFinished, &loop, [&](int done, int all) {
        written = done;
        total = all;
        loop.quit();
    });
    session.startExport(folder);
    loop.exec();
    if (written < total)
        say(messages, Cli::tr("%1 of %n file(s) could not be written into %2", "", total)
                          .arg(total - written)
                          .arg(folder));
    else if (!quiet)
        say(messages, Cli::tr("%n file(s) written into %1", "", written).arg(folder));
    return written < total || !missing.isEmpty() ? 1 : 0;
}
