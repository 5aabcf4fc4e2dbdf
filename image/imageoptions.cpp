#include "image/imageoptions.h"

#include <cmath>

namespace {
enum OptionKey {
    CropKey,
    PaddingKey,
    MaxWidthKey,
    BoxKey,
    PaddingPercentKey,
    OriginalSizeKey,
    NoEnlargeKey,
    RotateKey,
    StraightenKey,
    DetectKey,
    AspectKey,
    FillKey,
    SizeKey,
    FrameColourKey
};

// Two positive whole numbers around a separator; an empty size otherwise.
cv::Size parsePair(const QString &text, QChar separator)
{
    const QStringList parts = text.split(separator);
    bool wide = false;
    bool high = false;
    const int width = parts.value(0).toInt(&wide, 10);
    const int height = parts.value(1).toInt(&high, 10);
    return parts.size() == 2 && wide && high && width > 0 && height > 0 ? cv::Size(width, height)
                                                                        : cv::Size();
}

const QString urlPrefix = QStringLiteral("image://cv/");
} // namespace

const QStringList optionKeys = {
    QStringLiteral("crop"),      QStringLiteral("padding"),        QStringLiteral("maxWidth"),
    QStringLiteral("box"),       QStringLiteral("paddingPercent"), QStringLiteral("originalSize"),
    QStringLiteral("noEnlarge"), QStringLiteral("rotate"),         QStringLiteral("straighten"),
    QStringLiteral("detect"),    QStringLiteral("aspect"),         QStringLiteral("fill"),
    QStringLiteral("size"),      QStringLiteral("frameColour")};

bool isFramed(const ImageOptions &options)
{
    return !options.aspect.empty() || options.fill > 0 || !options.exactSize.empty();
}

cv::Size parseAspect(const QString &text)
{
    return parsePair(text, QLatin1Char(':'));
}

cv::Size parseSize(const QString &text)
{
    return parsePair(text, QLatin1Char('x'));
}

namespace {
QString pairText(const cv::Size &size, QChar separator)
{
    return size.empty() ? QString()
                        : QString::number(size.width) + separator + QString::number(size.height);
}
} // namespace

bool parseColour(QString text, cv::Vec3b *colour)
{
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6)
        return false;
    *colour = cv::Vec3b(uchar(value >> 16), uchar(value >> 8), uchar(value));
    return true;
}

QString colourText(const cv::Vec3b &colour)
{
    return QStringLiteral("%1").arg(uint(colour[0]) << 16 | uint(colour[1]) << 8 | colour[2], 6, 16,
                                    QLatin1Char('0'));
}

QString aspectText(const cv::Size &aspect)
{
    return pairText(aspect, QLatin1Char(':'));
}

QString sizeText(const cv::Size &size)
{
    return pairText(size, QLatin1Char('x'));
}

QString detectorName(Detector detector)
{
    return detector == Detector::Object ? QStringLiteral("object") : QStringLiteral("edges");
}

Detector parseDetector(const QString &name, bool *ok)
{
    const bool object = name == QLatin1String("object");
    if (ok)
        *ok = object || name == QLatin1String("edges");
    return object ? Detector::Object : Detector::Edges;
}

cv::Rect parseBox(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).toInt(&ok, 10);
        if (!ok)
            return {};
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return {};
    return cv::Rect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

QString boxText(const cv::Rect &box)
{
    if (box.empty())
        return {};
    return QStringLiteral("%1,%2,%3,%4").arg(box.x).arg(box.y).arg(box.width).arg(box.height);
}

ImageOptions parseOptions(const QString &descriptor)
{
    ImageOptions options;
    // Only the text between the first and the second '#' holds options.
    const QStringList parts = descriptor.split(QLatin1Char('#'));
    options.index = parts.first().toInt(nullptr, 10);
    if (parts.size() < 2)
        return options;

    for (const QString &item : parts.at(1).split(QLatin1Char('&'))) {
        const QStringList pieces = item.split(QLatin1Char('='));
        // A key without "=" has no value: its field keeps what it had.
        if (pieces.size() < 2)
            continue;
        const QString &value = pieces.at(1);
        switch (optionKeys.indexOf(pieces.first())) {
        case CropKey:
            options.crop = value == QLatin1String("1");
            break;
        case PaddingKey:
            options.padding = value.toInt(nullptr, 10);
            break;
        case MaxWidthKey:
            options.maxWidth = value.toInt(nullptr, 10);
            break;
        case BoxKey:
            options.box = parseBox(value);
            break;
        case PaddingPercentKey:
            options.paddingPercent = value == QLatin1String("1");
            break;
        case OriginalSizeKey:
            options.originalSize = value == QLatin1String("1");
            break;
        case NoEnlargeKey:
            options.noEnlarge = value == QLatin1String("1");
            break;
        case RotateKey:
            options.quarterTurns = ((value.toInt(nullptr, 10) % 4) + 4) % 4;
            break;
        case StraightenKey: {
            // A small angle, not a turn: anything else (or not a number) is none.
            const double degrees = value.toDouble();
            options.straighten =
                std::isfinite(degrees) && std::abs(degrees) <= maxStraighten ? degrees : 0.0;
            break;
        }
        case DetectKey:
            options.detector = parseDetector(value);
            break;
        case AspectKey:
            options.aspect = parseAspect(value);
            break;
        case FillKey: {
            // A share of the frame: anything else is none.
            const int fill = value.toInt(nullptr, 10);
            options.fill = fill > 0 && fill <= 100 ? fill : 0;
            break;
        }
        case SizeKey:
            options.exactSize = parseSize(value);
            break;
        case FrameColourKey:
            parseColour(value, &options.frameColour);
            break;
        default:
            break;
        }
    }
    return options;
}

QString descriptorText(const ImageOptions &options)
{
    const QString text = QStringLiteral("%1#crop=%2&padding=%3&maxWidth=%4")
                             .arg(options.index)
                             .arg(options.crop ? 1 : 0)
                             .arg(options.padding)
                             .arg(options.maxWidth);
    QString more;
    if (!options.box.empty())
        more += QStringLiteral("&box=") + boxText(options.box);
    if (options.paddingPercent)
        more += QStringLiteral("&paddingPercent=1");
    if (options.originalSize)
        more += QStringLiteral("&originalSize=1");
    if (options.noEnlarge)
        more += QStringLiteral("&noEnlarge=1");
    if (options.quarterTurns != 0)
        more += QStringLiteral("&rotate=%1").arg(options.quarterTurns);
    if (options.straighten != 0)
        more += QStringLiteral("&straighten=%1").arg(options.straighten);
    if (options.detector != Detector::Edges)
        more += QStringLiteral("&detect=") + detectorName(options.detector);
    if (!options.aspect.empty())
        more +=
            QStringLiteral("&aspect=%1:%2").arg(options.aspect.width).arg(options.aspect.height);
    if (options.fill > 0)
        more += QStringLiteral("&fill=%1").arg(options.fill);
    if (!options.exactSize.empty())
        more += QStringLiteral("&size=%1x%2")
                    .arg(options.exactSize.width)
                    .arg(options.exactSize.height);
    if (options.frameColour != cv::Vec3b(255, 255, 255))
        more += QStringLiteral("&frameColour=") + colourText(options.frameColour);
    return text + more;
}

QString imageUrl(int index)
{
    return urlPrefix + QString::number(index);
}

QString descriptorOfUrl(const QString &url)
{
    return url.startsWith(urlPrefix) ? url.mid(urlPrefix.size()) : url;
}

QString pairUrl(const QString &left, const QString &right, const PairStyle &style)
{
    const QString styleText = pairStyleText(style);
    return QStringLiteral("image://stitch/") + descriptorOfUrl(left) + QLatin1Char('*') +
           descriptorOfUrl(right) + (styleText.isEmpty() ? QString() : '*' + styleText);
}

bool parsePairId(const QString &id, PairRequest *request)
{
    // Descriptors and styles hold no '*'.
    const QStringList parts = id.split(QLatin1Char('*'));
    if (parts.size() != 2 && parts.size() != 3)
        return false;
    *request = {parts.at(0), parts.at(1), parsePairStyle(parts.value(2))};
    return true;
}
