// Guards the pair export against crashes and partial files for any two descriptors.
#include "fuzzsupport.h"
#include "image/imageoptions.h"
#include "session/session.h"

#include <QDir>
#include <QTemporaryDir>

namespace {
QTemporaryDir *folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = new QTemporaryDir;
    fuzzSession().setExportFolder(folder->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList uris = fuzzText(data, size).split(QLatin1Char('\n'));
    if (uris.size() >= 2 ? !affordablePair(uris.at(0), uris.at(1)) : !affordable(uris.at(0)))
        return 0;
    const bool written = uris.size() >= 2 && fuzzSession().saveStitched(uris.at(0), uris.at(1));
    QDir out(folder->path());
    const QStringList files = out.entryList(QDir::Files | QDir::Hidden);
    if (written != (files.size() == 1))
        fuzzFailure("the result does not say what was written");
    if (uris.size() >= 2 && written) {
        const QString name = QStringLiteral("%1_%2.png")
                                 .arg(parseOptions(uris.at(0)).index)
                                 .arg(parseOptions(uris.at(1)).index);
        if (files.constFirst() != name)
            fuzzFailure("a pair written under another name");
    }
    for (const QString &file : files)
        out.remove(file);
    return 0;
}
