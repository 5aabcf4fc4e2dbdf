#include "cli/batchoptions.h"

#include "image/photofiles.h"

#include <QColor>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <QUrl>

#include <algorithm>

namespace {
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
    command.text = QStringLiteral("morvick2-cli: %1\nTry 'morvick2-cli --help'.\n").arg(message);
    return command;
}
} // namespace

BatchCommand parseBatchCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Crops photos to the object they show, joins pairs side by side and "
                       "writes every single photo and every pair into a folder.\n"
                       "Reads JPEG, PNG, WebP, HEIC, HEIF, AVIF, TIFF, BMP and camera RAW files "
                       "(CR2, CR3, NEF, ARW, DNG, RAF, ORF, RW2, PEF and others)."));
    const QCommandLineOption output(
        {"o", "output"}, "Folder to write into; made (with parents) when missing.", "DIR");
    const QCommandLineOption crop({"c", "crop"}, "Crop every photo to its object.");
    const QCommandLineOption padding(
        {"p", "padding"},
        "Margin around the object in pixels (default 50), or N% of the object's longer side.",
        "N|N%", "50");
    const QCommandLineOption width(
        {"w", "width"},
        "Width of a cropped photo in pixels (default 400), or original: the cut-out's own size.",
        "N|original", "400");
    const QCommandLineOption noEnlarge("no-enlarge",
                                       "Never scale a cut-out up to the width, only down.");
    const QCommandLineOption pair("pair",
                                  "Join inputs A and B side by side (0-based positions in the "
                                  "FILE list, a folder counting as its photos, or their files "
                                  "or file names; A on the left); repeatable; a photo in a pair "
                                  "is not written alone.",
                                  "A:B");
    const QCommandLineOption pairLayout(
        "pair-layout",
        "stretch (default): the right photo at the left's height, its width kept; proportional: "
        "scaled to the left's height; canvas: both at the lower height on a background.",
        "stretch|proportional|canvas", "stretch");
    const QCommandLineOption gap("gap", "Pixels around and between a canvas's photos (default 20).",
                                 "N", "20");
    const QCommandLineOption background(
        "background", "A canvas's colour: a name or #rrggbb (default white).", "COLOUR", "white");
    const QCommandLineOption names("names",
                                   "index (default): \"3.png\", pairs \"0_3.png\"; original: the "
                                   "input's file name without extension, pairs \"left+right\", a "
                                   "name already used in this run gets \"-2\", \"-3\", ...",
                                   "index|original", "index");
    const QCommandLineOption format("format", "png, jpg or webp (default png).", "png|jpg|webp",
                                    "png");
    const QCommandLineOption quality("quality", "1..100 for jpg and webp (default 90).", "Q", "90");
    const QCommandLineOption colour(
        "colour",
        "keep (default): the photo's colour profile goes with it, pixels untouched; srgb: "
        "converted to sRGB, for the web.",
        "keep|srgb", "keep");
    const QCommandLineOption metadata(
        "metadata",
        "keep (default): the photo's EXIF, IPTC and XMP go with it; no-location: all but GPS; "
        "strip: none.",
        "keep|strip|no-location", "keep");
    const QCommandLineOption jobs({"j", "jobs"}, "Worker threads (default: the number of cores).",
                                  "N", QString::number(QThread::idealThreadCount()));
    const QCommandLineOption budget(
        "budget",
        "Memory the workers' images may take together, in MiB (default 512); workers wait for "
        "room, a photo that needs more runs alone.",
        "MiB", "512");
    const QCommandLineOption force({"f", "force"}, "Replace files that already exist.");
    const QCommandLineOption quiet({"q", "quiet"}, "No progress.");
    parser.addOptions({output, crop, padding, width, noEnlarge, pair, pairLayout, gap, background,
                       names, format, quality, colour, metadata, jobs, budget, force, quiet});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Photos to process, or folders of them."),
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
        return usageError(QStringLiteral("no output folder (-o DIR)"));
    if (options.inputs.isEmpty())
        return usageError(QStringLiteral("no input files (or only empty folders)"));
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
    options.jobs = wholeNumber(parser.value(jobs), 1);
    options.format.quality = wholeNumber(parser.value(quality), 1);
    const int budgetMiB = wholeNumber(parser.value(budget), 1);
    if (options.image.padding < 0)
        return usageError(
            QStringLiteral("--padding takes a whole number of pixels or a percentage"));
    if (options.image.maxWidth < 0)
        return usageError(
            QStringLiteral("--width takes a positive whole number of pixels or original"));
    if (options.jobs < 0)
        return usageError(QStringLiteral("--jobs takes a positive whole number"));
    if (budgetMiB < 0)
        return usageError(QStringLiteral("--budget takes a positive whole number of MiB"));
    options.budget = qint64(budgetMiB) << 20;
    if (options.format.quality < 0 || options.format.quality > 100)
        return usageError(QStringLiteral("--quality takes a whole number from 1 to 100"));
    if (!parseExportFormat(parser.value(format), &options.format))
        return usageError(
            QStringLiteral("unknown format '%1' (png, jpg, webp)").arg(parser.value(format)));
    if (!parseColourChoice(parser.value(colour), &options.format.srgb))
        return usageError(QStringLiteral("--colour takes keep or srgb"));
    if (!parseMetadataChoice(parser.value(metadata), &options.format.metadata))
        return usageError(QStringLiteral("--metadata takes keep, strip or no-location"));
    if (!parsePairLayout(parser.value(pairLayout), &options.pairStyle.layout))
        return usageError(QStringLiteral("--pair-layout takes stretch, proportional or canvas"));
    options.pairStyle.gap = wholeNumber(parser.value(gap), 0);
    if (options.pairStyle.gap < 0)
        return usageError(QStringLiteral("--gap takes a whole number of pixels"));
    const QColor canvas(parser.value(background));
    if (!canvas.isValid())
        return usageError(QStringLiteral("--background takes a colour name or #rrggbb"));
    options.pairStyle.background =
        cv::Vec3b(uchar(canvas.red()), uchar(canvas.green()), uchar(canvas.blue()));
    const QString naming = parser.value(names);
    if (naming != QLatin1String("index") && naming != QLatin1String("original"))
        return usageError(QStringLiteral("--names takes index or original"));
    options.originalNames = naming == QLatin1String("original");
    options.force = parser.isSet(force);
    options.quiet = parser.isSet(quiet);

    QSet<int> paired;
    for (const QString &text : parser.values(pair)) {
        const QStringList sides = text.split(QLatin1Char(':'));
        const int left = sides.size() == 2 ? inputPosition(options.inputs, sides.at(0)) : -1;
        const int right = sides.size() == 2 ? inputPosition(options.inputs, sides.at(1)) : -1;
        if (left < 0 || right < 0)
            return usageError(QStringLiteral("--pair %1: not two positions or files of the %2 "
                                             "inputs")
                                  .arg(text)
                                  .arg(options.inputs.size()));
        if (left == right)
            return usageError(
                QStringLiteral("--pair %1: a photo cannot pair with itself").arg(text));
        if (paired.contains(left) || paired.contains(right))
            return usageError(
                QStringLiteral("--pair %1: a photo can be in one pair only").arg(text));
        paired << left << right;
        options.pairs.append({left, right});
    }
    command.run = true;
    return command;
}
