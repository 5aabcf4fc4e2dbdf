// Guards the pair preview against crashes and undefined behaviour on any stitch id.
#include "fuzzsupport.h"
#include "quick/cvstitchprovider.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Pixmaps need a GUI application; nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    fuzzSession();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString id = fuzzText(data, size);
    const QStringList parts = id.split(QLatin1Char('*'));
    if (parts.size() >= 2 && (!affordable(parts.at(0)) || !affordable(parts.at(1))))
        return 0;
    const QPixmap pixmap = CvStitchProvider(&fuzzSession()).requestPixmap(id, nullptr, QSize());
    if (parts.size() < 2 && !pixmap.isNull())
        fuzzFailure("a pair preview without a pair");
    if (pixmap.width() > 400 || pixmap.height() > 200)
        fuzzFailure("a pair preview larger than its box");
    return 0;
}
