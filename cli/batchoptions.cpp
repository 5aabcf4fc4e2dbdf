#include "cli/batchoptions.h"

#include "image/framepresets.h"
#include "image/photofiles.h"

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <QUrl>

#include <algorithm>

namespace {
// The context of the tool's own texts.
struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// A whole number at least minimum, or -1.
int wholeNumber(const QString &text, int minimum)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= minimum ? value : -1;
}

// The position among inputs that side of a --pair names: a 0-based number, or an input given as
// such (or the same file by another path), or the one input of that file name; -1 for none.
int inputPosition(const QStringList &inputs, const QString &side)
{
    const int number = wholeNumber(side, 0);
    if (number >= 0)
        return number < inputs.size() ? number : -1;
    const QString canonical = QFileInfo(side).canonicalFilePath();
    int byName = -1;
    for (int i = 0; i < inputs.size(); ++i) {
        if (inputs.at(i) == side ||
            (!canonical.isEmpty() && QFileInfo(inputs.at(i)).canonicalFilePath() == canonical))
            return i;
        if (QFileInfo(inputs.at(i)).fileName() == side)
            byName = byName == -1 ? i : -2;
    }
    return std::max(byName, -1);
}

BatchCommand usageError(const QString &message)
{
    BatchCommand command;
    command.exitCode = 2;
    command.text = Cli::tr("morvick2-cli: %1\nTry 'morvick2-cli --help'.\n").arg(message);
    return command;
}
} // namespace

BatchCommand parseBatchCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Cli::tr("Crops photos to the object they show, joins pairs side by side and "
                "writes every single photo and every pair into a folder.\n"
                "Reads JPEG, PNG, WebP, HEIC, HEIF, AVIF, TIFF, BMP and camera RAW files "
                "(CR2, CR3, NEF, ARW, DNG, RAF, ORF, RW2, PEF and others)."));
    const QCommandLineOption output(
        {"o", "output"}, Cli::tr("Folder to write into; made (with parents) when missing."), "DIR");
    const QCommandLineOption crop({"c", "crop"}, Cli::tr("Crop every photo to its object."));
    const QCommandLineOption padding(
        {"p", "padding"},
        Cli::tr(
            "Margin around the object in pixels (default 50), or N% of the object's longer side."),
        "N|N%", "50");
    const QCommandLineOption width({"w", "width"},
                                   Cli::tr("Width of a cropped photo in pixels (default 400), or "
                                           "original: the cut-out's own size."),
                                   "N|original", "400");
    const QCommandLineOption detect(
        "detect",
        Cli::tr("How --crop finds the object: edges (default): the largest region of edges, for a "
                "plain background; object: the object told from its background, for any "
                "background, and fast."),
        "edges|object", "edges");
    const QCommandLineOption aspect(
        "aspect",
        Cli::tr("Grow every photo's crop (a whole photo when not cropped), and every pair, to a "
                "frame of this aspect around it (1:1, 4:5, 3:4, 2:3, 16:9, ...); free (default): "
                "its own."),
        "W:H|free", "free");
    const QCommandLineOption fill(
        "fill",
        Cli::tr("The object fills N% of the frame (its longer side), instead of --padding."), "N%");
    const QCommandLineOption size(
        "size",
        Cli::tr(
            "Every photo, and every pair, exactly W × H pixels (the frame's aspect is then W:H); "
            "with --no-enlarge a smaller crop is not scaled up but framed."),
        "WxH");
    const QCommandLineOption frameColour(
        "frame-colour",
        Cli::tr("Where a frame reaches beyond the photo: a name or #rrggbb (default white); a "
                "pair's frame takes --background on a canvas."),
        "COLOUR", "white");
    QStringList presetIds;
    for (const FramePreset &preset : framePresets())
        presetIds << preset.id;
    const QCommandLineOption preset(
        "preset",
        Cli::tr("A frame with a name (%1); the options above given beside it win.")
            .arg(presetIds.join(QStringLiteral(", "))),
        "NAME");
    const QCommandLineOption noEnlarge(
        "no-enlarge", Cli::tr("Never scale a cut-out up to the width, only down."));
    const QCommandLineOption pair(
        "pair",
        Cli::tr("Join inputs A and B side by side (0-based positions in the "
                "FILE list, a folder counting as its photos, or their files "
                "or file names; A on the left); repeatable; a photo in a pair "
                "is not written alone."),
        "A:B");
    const QCommandLineOption pairLayout(
        "pair-layout",
        Cli::tr("stretch (default): the right photo at the left's height, its width kept; "
                "proportional: "
                "scaled to the left's height; canvas: both at the lower height on a background."),
        "stretch|proportional|canvas", "stretch");
    const QCommandLineOption gap(
        "gap", Cli::tr("Pixels around and between a canvas's photos (default 20)."), "N", "20");
    const QCommandLineOption background(
        "background", Cli::tr("A canvas's colour: a name or #rrggbb (default white)."), "COLOUR",
        "white");
    const QCommandLineOption names(
        "names",
        Cli::tr("index (default): \"3.png\", pairs \"0_3.png\"; original: the "
                "input's file name without extension, pairs \"left+right\", a "
                "name already used in this run gets \"-2\", \"-3\", ..."),
        "index|original", "index");
    const QCommandLineOption format("format", Cli::tr("png, jpg or webp (default png)."),
                                    "png|jpg|webp", "png");
    const QCommandLineOption quality("quality", Cli::tr("1..100 for jpg and webp (default 90)."),
                                     "Q", "90");
    const QCommandLineOption colour(
        "colour",
        Cli::tr("keep (default): the photo's colour profile goes with it, pixels untouched; srgb: "
                "converted to sRGB, for the web."),
        "keep|srgb", "keep");
    const QCommandLineOption metadata(
        "metadata",
        Cli::tr("keep (default): the photo's EXIF, IPTC and XMP go with it; no-location: all but "
                "GPS; strip: none."),
        "keep|strip|no-location", "keep");
    const QCommandLineOption jobs({"j", "jobs"},
                                  Cli::tr("Worker threads (default: the number of cores)."), "N",
                                  QString::number(QThread::idealThreadCount()));
    const QCommandLineOption budget(
        "budget",
        Cli::tr(
            "Memory the workers' images may take together, in MiB (default 512); workers wait for "
            "room, a photo that needs more runs alone."),
        "MiB", "512");
    const QCommandLineOption session(
        "session",
        Cli::tr("Export a session saved in the window (a .morvick2 file) as the window would, "
                "with its own choices: no FILE, the photo and export options unused."),
        "FILE");
    const QCommandLineOption force({"f", "force"}, Cli::tr("Replace files that already exist."));
    const QCommandLineOption quiet({"q", "quiet"}, Cli::tr("No progress."));
    parser.addOptions({output,     crop,        detect, padding,   width,  aspect,     fill,
                       size,       frameColour, preset, noEnlarge, pair,   pairLayout, gap,
                       background, names,       format, quality,   colour, metadata,   jobs,
                       budget,     session,     force,  quiet});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 Cli::tr("Photos to process, or folders of them."),
                                 QStringLiteral("FILE..."));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    BatchCommand command;
    if (parser.isSet(help)) {
        command.text = parser.helpText();
        return command;
    }
    if (parser.isSet(version)) {
        command.text = QStringLiteral("morvick2-cli %1\n").arg(QStringLiteral(MORVICK2_VERSION));
        return command;
    }

    BatchOptions &options = command.options;
    options.output = parser.value(output);
    // A folder stands for its images, in the order the window lists a dropped folder's.
    for (const QString &input : parser.positionalArguments())
        options.inputs << (QFileInfo(input).isDir() ? importPaths({QUrl::fromLocalFile(input)})
                                                    : QStringList{input});
    if (options.output.isEmpty())
        return usageError(Cli::tr("no output folder (-o DIR)"));
    options.force = parser.isSet(force);
    options.quiet = parser.isSet(quiet);
    if (parser.isSet(session)) {
        if (!parser.positionalArguments().isEmpty())
            return usageError(Cli::tr("--session takes its photos from the session, not FILE"));
        options.session = parser.value(session);
        command.run = true;
        return command;
    }
    if (options.inputs.isEmpty())
        return usageError(Cli::tr("no input files (or only empty folders)"));
    options.image.crop = parser.isSet(crop);
    QString paddingText = parser.value(padding);
    options.image.paddingPercent = paddingText.endsWith(QLatin1Char('%'));
    if (options.image.paddingPercent)
        paddingText.chop(1);
    options.image.padding = wholeNumber(paddingText, 0);
    options.image.originalSize = parser.value(width) == QLatin1String("original");
    options.image.maxWidth =
        options.image.originalSize ? ImageOptions().maxWidth : wholeNumber(parser.value(width), 1);
    options.image.noEnlarge = parser.isSet(noEnlarge);
    if (parser.isSet(preset)) {
        const FramePreset chosen = framePreset(parser.value(preset));
        if (chosen.id.isEmpty())
            return usageError(Cli::tr("--preset takes one of %1").arg(presetIds.join(", ")));
        options.image.aspect = chosen.aspect;
        options.image.fill = chosen.fill;
        options.image.exactSize = chosen.size;
        options.image.frameColour = chosen.colour;
    }
    if (parser.isSet(aspect) && parser.value(aspect) != QLatin1String("free")) {
        options.image.aspect = parseAspect(parser.value(aspect));
        if (options.image.aspect.empty())
            return usageError(Cli::tr("--aspect takes W:H (two positive whole numbers) or free"));
    } else if (parser.isSet(aspect)) {
        options.image.aspect = {};
    }
    if (parser.isSet(fill)) {
        QString fillText = parser.value(fill);
        if (fillText.endsWith(QLatin1Char('%')))
            fillText.chop(1);
        options.image.fill = wholeNumber(fillText, 1);
        if (options.image.fill < 1 || options.image.fill > 100)
            return usageError(Cli::tr("--fill takes a percentage from 1 to 100"));
    }
    if (parser.isSet(size)) {
        options.image.exactSize = parseSize(parser.value(size));
        if (options.image.exactSize.empty())
            return usageError(Cli::tr("--size takes WxH (two positive whole numbers)"));
    }
    if (parser.isSet(frameColour) || !parser.isSet(preset)) {
        const QColor colour(parser.value(frameColour));
        if (!colour.isValid())
            return usageError(Cli::tr("--frame-colour takes a colour name or #rrggbb"));
        options.image.frameColour =
            cv::Vec3b(uchar(colour.red()), uchar(colour.green()), uchar(colour.blue()));
    }
    bool detectorNamed = false;
    options.image.detector = parseDetector(parser.value(detect), &detectorNamed);
    if (!detectorNamed)
        return usageError(Cli::tr("--detect takes edges or object"));
    options.jobs = wholeNumber(parser.value(jobs), 1);
    options.format.quality = wholeNumber(parser.value(quality), 1);
    const int budgetMiB = wholeNumber(parser.value(budget), 1);
    if (options.image.padding < 0)
        return usageError(Cli::tr("--padding takes a whole number of pixels or a percentage"));
    if (options.image.maxWidth < 0)
        return usageError(Cli::tr("--width takes a positive whole number of pixels or original"));
    if (options.jobs < 0)
        return usageError(Cli::tr("--jobs takes a positive whole number"));
    if (budgetMiB < 0)
        return usageError(Cli::tr("--budget takes a positive whole number of MiB"));
    options.budget = qint64(budgetMiB) << 20;
    if (options.format.quality < 0 || options.format.quality > 100)
        return usageError(Cli::tr("--quality takes a whole number from 1 to 100"));
    if (!parseExportFormat(parser.value(format), &options.format))
        return usageError(
            Cli::tr("unknown format '%1' (png, jpg, webp)").arg(parser.value(format)));
    if (!parseColourChoice(parser.value(colour), &options.format.srgb))
        return usageError(Cli::tr("--colour takes keep or srgb"));
    if (!parseMetadataChoice(parser.value(metadata), &options.format.metadata))
        return usageError(Cli::tr("--metadata takes keep, strip or no-location"));
    if (!parsePairLayout(parser.value(pairLayout), &options.pairStyle.layout))
        return usageError(Cli::tr("--pair-layout takes stretch, proportional or canvas"));
    options.pairStyle.gap = wholeNumber(parser.value(gap), 0);
    if (options.pairStyle.gap < 0)
        return usageError(Cli::tr("--gap takes a whole number of pixels"));
    const QColor canvas(parser.value(background));
    if (!canvas.isValid())
        return usageError(Cli::tr("--background takes a colour name or #rrggbb"));
    options.pairStyle.background =
        cv::Vec3b(uchar(canvas.red()), uchar(canvas.green()), uchar(canvas.blue()));
    // A pair is framed as its photos are, on the frame's colour unless it is on a canvas.
    options.pairStyle.aspect = options.image.aspect;
    options.pairStyle.exactSize = options.image.exactSize;
    if (options.pairStyle.layout != PairLayout::Canvas)
        options.pairStyle.background = options.image.frameColour;
    const QString naming = parser.value(names);
    if (naming != QLatin1String("index") && naming != QLatin1String("original"))
        return usageError(Cli::tr("--names takes index or original"));
    options.originalNames = naming == QLatin1String("original");

    QSet<int> paired;
    for (const QString &text : parser.values(pair)) {
        const QStringList sides = text.split(QLatin1Char(':'));
        const int left = sides.size() == 2 ? inputPosition(options.inputs, sides.at(0)) : -1;
        const int right = sides.size() == 2 ? inputPosition(options.inputs, sides.at(1)) : -1;
        if (left < 0 || right < 0)
            return usageError(Cli::tr("--pair %1: not two positions or files of the %2 "
                                      "inputs")
                                  .arg(text)
                                  .arg(options.inputs.size()));
        if (left == right)
            return usageError(Cli::tr("--pair %1: a photo cannot pair with itself").arg(text));
        if (paired.contains(left) || paired.contains(right))
            return usageError(Cli::tr("--pair %1: a photo can be in one pair only").arg(text));
        paired << left << right;
        options.pairs.append({left, right});
    }
    command.run = true;
    return command;
}
