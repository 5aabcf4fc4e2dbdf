#include "image/framepresets.h"

#include <QCoreApplication>

std::vector<FramePreset> framePresets()
{
    const auto name = [](const char *text) {
        return QCoreApplication::translate("FramePresets", text);
    };
    // Shops ask for a square of about 2000 pixels with the product filling most of it; feeds
    // for 1080 pixels wide; print for the paper's aspect.
    return {{"square-2000",
             name(QT_TRANSLATE_NOOP("FramePresets", "Square 2000, white")),
             {1, 1},
             85,
             {2000, 2000}},
            {"square-1080",
             name(QT_TRANSLATE_NOOP("FramePresets", "Square 1080, white")),
             {1, 1},
             0,
             {1080, 1080}},
            {"portrait-1080",
             name(QT_TRANSLATE_NOOP("FramePresets", "Portrait 4:5, 1080 × 1350")),
             {4, 5},
             0,
             {1080, 1350}},
            {"story-1080",
             name(QT_TRANSLATE_NOOP("FramePresets", "Story 9:16, 1080 × 1920")),
             {9, 16},
             0,
             {1080, 1920}},
            {"wide-1920",
             name(QT_TRANSLATE_NOOP("FramePresets", "Wide 16:9, 1920 × 1080")),
             {16, 9},
             0,
             {1920, 1080}},
            {"print-2-3", name(QT_TRANSLATE_NOOP("FramePresets", "Print 2:3")), {2, 3}, 0, {}},
            {"print-3-4", name(QT_TRANSLATE_NOOP("FramePresets", "Print 3:4")), {3, 4}, 0, {}}};
}

FramePreset framePreset(const QString &id)
{
    for (const FramePreset &preset : framePresets())
        if (preset.id == id)
            return preset;
    return {};
}
