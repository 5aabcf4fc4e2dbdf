#include "cli/batchoptions.h"
#include "cli/batchrun.h"
#include "image/processsetup.h"
#include "image/translations.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("morvick2-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVICK2_VERSION));
    installTranslations(&app);
    const BatchCommand command = parseBatchCommand(QCoreApplication::arguments());
    if (!command.run) {
        std::fputs(qPrintable(command.text), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }
    setUpPhotoWorkers();
    return runBatch(command.options, stderr, isatty(fileno(stderr)) != 0);
}
