#include "session/photolist.h"

#include "image/imageoptions.h"
#include "session/history.h"
#include "session/photostore.h"

#include <QColor>
#include <QFileInfo>

#include <algorithm>

namespace {
cv::Rect toCv(const QRect &box)
{
    return box.isNull() ? cv::Rect() : cv::Rect(box.x(), box.y(), box.width(), box.height());
}

QRect fromCv(const cv::Rect &box)
{
    return box.empty() ? QRect() : QRect(box.x, box.y, box.width, box.height);
}

const QVector<int> optionRoles = {
    PhotoList::CropRole,   PhotoList::PaddingRole,  PhotoList::MaxWidthRole,
    PhotoList::SourceRole, PhotoList::BoxRole,      PhotoList::ShownSourceRole,
    PhotoList::DoubtRole,  PhotoList::BoxReadyRole, PhotoList::DetectRole};

// The keys of a frame's options, as the pages name them.
const QString frameKeys[] = {QStringLiteral("aspect"), QStringLiteral("fill"),
                             QStringLiteral("size"), QStringLiteral("frameColour")};

QString colourName(const cv::Vec3b &colour)
{
    return QColor(colour[0], colour[1], colour[2]).name();
}

// Values with the frame's options added as the pages name them.
QVariantMap withFrame(const ImageOptions &options, QVariantMap values)
{
    values.insert(frameKeys[0], aspectText(options.aspect));
    values.insert(frameKeys[1], options.fill);
    values.insert(frameKeys[2], sizeText(options.exactSize));
    values.insert(frameKeys[3], colourName(options.frameColour));
    return values;
}

// The frame's keys found in values set into options; the others keep theirs.
void setFrame(const QVariantMap &values, ImageOptions *options)
{
    if (values.contains(frameKeys[0]))
        options->aspect = parseAspect(values.value(frameKeys[0]).toString());
    if (values.contains(frameKeys[1]))
        options->fill = std::clamp(values.value(frameKeys[1]).toInt(), 0, 100);
    if (values.contains(frameKeys[2]))
        options->exactSize = parseSize(values.value(frameKeys[2]).toString());
    if (values.contains(frameKeys[3])) {
        const QColor colour(values.value(frameKeys[3]).toString());
        if (colour.isValid())
            options->frameColour =
                cv::Vec3b(uchar(colour.red()), uchar(colour.green()), uchar(colour.blue()));
    }
}

// What a change of these options is called in the Undo button.
QString changeText(const QVariantMap &options)
{
    if (options.contains(QStringLiteral("box")))
        return options.value(QStringLiteral("box")).toString().isEmpty()
                   ? PhotoList::tr("Automatic Box")
                   : PhotoList::tr("Box");
    if (options.contains(QStringLiteral("crop")))
        return options.value(QStringLiteral("crop")).toBool() ? PhotoList::tr("Crop")
                                                              : PhotoList::tr("Reset");
    if (options.contains(QStringLiteral("detect")))
        return PhotoList::tr("Detection");
    for (const QString &key : frameKeys)
        if (options.contains(key))
            return PhotoList::tr("Frame");
    if (options.contains(QStringLiteral("straighten")))
        return PhotoList::tr("Straighten");
    if (options.contains(QStringLiteral("padding")))
        return PhotoList::tr("Padding");
    if (options.contains(QStringLiteral("maxWidth")))
        return PhotoList::tr("Width");
    return PhotoList::tr("Size");
}
} // namespace

PhotoList::PhotoList(PhotoStore *store, History *history, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_history(history)
{
    m_defaults.padding = 50;
}

int PhotoList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

cv::Rect PhotoList::shownBox(const Photo &photo) const
{
    if (photo.box.isNull())
        return {};
    return returnBox(toCv(photo.box), m_store->size(photo.index),
                     {photo.boxQuarters, photo.boxDegrees}, turnOf(photo.options));
}

QString PhotoList::source(const Photo &photo) const
{
    ImageOptions options = photo.options;
    options.index = 0;
    options.box = shownBox(photo);
    // The URL of the photo itself, with the options after its index.
    return imageUrl(photo.index) + descriptorText(options).mid(1);
}

// A cropped preview whose box is not known yet would detect it on a preview thread, beside the
// workers that are detecting it already; the tile shows the whole photo until the box arrives.
QString PhotoList::shownSource(const Photo &photo) const
{
    if (!photo.options.crop || !photo.box.isNull() || boxKnown(photo))
        return source(photo);
    Photo whole = photo;
    whole.options.crop = false;
    return source(whole);
}

// A damaged file first; then the detected box's, so none for a photo whose box was chosen by hand.
QString PhotoList::doubtOf(const Photo &photo) const
{
    if (const QString damage = m_store->damage(photo.index); !damage.isEmpty())
        return damage;
    const auto &doubts = m_doubts[int(photo.options.detector)];
    const auto found = doubts.find(photo.index);
    return found == doubts.end() || !photo.box.isNull() ? QString() : found->second;
}

bool PhotoList::boxKnown(const Photo &photo) const
{
    return m_doubts[int(photo.options.detector)].count(photo.index) > 0;
}

QVariant PhotoList::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Photo &photo = m_rows[size_t(index.row())];
    switch (role) {
    case ImageUrlRole:
        return imageUrl(photo.index);
    case PhotoIndexRole:
        return photo.index;
    case Qt::DisplayRole:
    case FileNameRole:
        return QFileInfo(photo.path).fileName();
    case CropRole:
        return photo.options.crop;
    case PaddingRole:
        return photo.options.padding;
    case MaxWidthRole:
        return photo.options.maxWidth;
    case SourceRole:
        return source(photo);
    case BoxReadyRole:
        return boxKnown(photo);
    case DoubtRole:
        return doubtOf(photo);
    case BoxRole:
        return boxText(shownBox(photo));
    case ShownSourceRole:
        return shownSource(photo);
    case DetectRole:
        return detectorName(photo.options.detector);
    default:
        return {};
    }
}

QHash<int, QByteArray> PhotoList::roleNames() const
{
    return {
        {ImageUrlRole, "imageUrl"}, {PhotoIndexRole, "photoIndex"},   {FileNameRole, "fileName"},
        {CropRole, "crop"},         {PaddingRole, "padding"},         {MaxWidthRole, "maxWidth"},
        {SourceRole, "source"},     {BoxReadyRole, "boxReady"},       {DoubtRole, "doubt"},
        {BoxRole, "box"},           {ShownSourceRole, "shownSource"}, {DetectRole, "detect"}};
}

QVariantMap PhotoList::defaults() const
{
    return withFrame(m_defaults, {{QStringLiteral("padding"), m_defaults.padding},
                                  {QStringLiteral("maxWidth"), m_defaults.maxWidth},
                                  {QStringLiteral("paddingPercent"), m_defaults.paddingPercent},
                                  {QStringLiteral("originalSize"), m_defaults.originalSize},
                                  {QStringLiteral("noEnlarge"), m_defaults.noEnlarge},
                                  {QStringLiteral("detect"), detectorName(m_defaults.detector)}});
}

void PhotoList::setDefaults(const QVariantMap &defaults)
{
    m_defaults.padding = defaults.value(QStringLiteral("padding"), m_defaults.padding).toInt();
    m_defaults.maxWidth = defaults.value(QStringLiteral("maxWidth"), m_defaults.maxWidth).toInt();
    for (auto [key, flag] :
         {std::pair(QStringLiteral("paddingPercent"), &m_defaults.paddingPercent),
          std::pair(QStringLiteral("originalSize"), &m_defaults.originalSize),
          std::pair(QStringLiteral("noEnlarge"), &m_defaults.noEnlarge)})
        *flag = defaults.value(key, *flag).toBool();
    m_defaults.detector = parseDetector(
        defaults.value(QStringLiteral("detect"), detectorName(m_defaults.detector)).toString());
    setFrame(defaults, &m_defaults);
    emit defaultsChanged();
}

void PhotoList::append(int photoIndex, const QString &path)
{
    PhotoChoices fresh;
    fresh.path = path;
    fresh.options = m_defaults;
    append(photoIndex, fresh);
}

void PhotoList::append(int photoIndex, const PhotoChoices &choices)
{
    beginInsertRows(QModelIndex(), count(), count());
    Photo photo;
    static_cast<PhotoChoices &>(photo) = choices;
    photo.index = photoIndex;
    photo.options.index = 0;
    photo.options.box = {};
    m_rows.push_back(photo);
    endInsertRows();
    emit countChanged();
}

PhotoChoices PhotoList::choices(int row) const
{
    PhotoChoices choices = m_rows.at(size_t(row));
    if (choices.box.isNull()) {
        choices.boxQuarters = 0;
        choices.boxDegrees = 0;
    }
    return choices;
}

int PhotoList::photoIndexAt(int row) const
{
    return m_rows.at(size_t(row)).index;
}

void PhotoList::setBoxReady(int photoIndex, Detector detector, const QString &doubt)
{
    if (!m_doubts[int(detector)].emplace(photoIndex, doubt).second)
        return;
    const int row = rowOf(photoIndex);
    if (row >= 0)
        emit dataChanged(index(row), index(row), {BoxReadyRole, DoubtRole, ShownSourceRole});
}

Detector PhotoList::detectorOf(int photoIndex) const
{
    const int row = rowOf(photoIndex);
    return row < 0 ? m_defaults.detector : m_rows[size_t(row)].options.detector;
}

void PhotoList::wantBoxes(const std::vector<Placed> &rows)
{
    for (const Placed &placed : rows)
        if (const int row = rowOf(placed.photo.index); row >= 0 && !boxKnown(m_rows[size_t(row)]))
            emit boxWanted(placed.photo.index, m_rows[size_t(row)].options.detector);
}

int PhotoList::rowOf(int photoIndex) const
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(), [photoIndex](const Photo &photo) {
        return photo.index == photoIndex;
    });
    return found == m_rows.end() ? -1 : int(found - m_rows.begin());
}

void PhotoList::setOptions(const QVariantList &rows, const QVariantMap &options)
{
    const auto crop = options.find(QStringLiteral("crop"));
    const auto padding = options.find(QStringLiteral("padding"));
    const auto maxWidth = options.find(QStringLiteral("maxWidth"));
    const auto straighten = options.find(QStringLiteral("straighten"));
    const auto box = options.find(QStringLiteral("box"));
    const auto detect = options.find(QStringLiteral("detect"));
    const auto flag = [&options](const QString &key, bool *value) {
        const auto found = options.find(key);
        if (found != options.end())
            *value = found->toBool();
    };
    std::vector<Placed> before;
    for (const QVariant &rowValue : rows) {
        const int row = rowValue.toInt();
        if (row < 0 || row >= count())
            continue;
        Photo &photo = m_rows[size_t(row)];
        const Photo was = photo;
        if (crop != options.end())
            photo.options.crop = crop->toBool();
        if (padding != options.end())
            photo.options.padding = padding->toInt();
        if (maxWidth != options.end())
            photo.options.maxWidth = maxWidth->toInt();
        if (straighten != options.end())
            photo.options.straighten =
                std::clamp(straighten->toDouble(), -maxStraighten, maxStraighten);
        flag(QStringLiteral("paddingPercent"), &photo.options.paddingPercent);
        flag(QStringLiteral("originalSize"), &photo.options.originalSize);
        flag(QStringLiteral("noEnlarge"), &photo.options.noEnlarge);
        if (detect != options.end())
            photo.options.detector = parseDetector(detect->toString());
        setFrame(options, &photo.options);
        if (box != options.end()) {
            // As drawn on the photo turned as it is now.
            photo.box = fromCv(parseBox(box->toString()));
            photo.boxQuarters = photo.options.quarterTurns;
            photo.boxDegrees = photo.options.straighten;
        }
        if (source(photo) != source(was) || doubtOf(photo) != doubtOf(was)) {
            before.push_back({row, was});
            emit dataChanged(index(row), index(row), optionRoles);
        }
    }
    // A slider's drag is one change, however many stops it makes.
    QStringList keys = options.keys();
    const bool gradual = std::all_of(keys.begin(), keys.end(), [](const QString &key) {
        return key == QLatin1String("padding") || key == QLatin1String("maxWidth") ||
               key == QLatin1String("straighten");
    });
    QStringList rowTexts;
    for (const Placed &placed : before)
        rowTexts << QString::number(placed.photo.index);
    recordChange(changeText(options),
                 gradual ? keys.join(QLatin1Char(',')) + QLatin1Char(':') + rowTexts.join(',')
                         : QString(),
                 before);
    wantBoxes(before);
}

void PhotoList::rotate(const QVariantList &rows, int quarters)
{
    std::vector<Placed> before;
    for (const QVariant &rowValue : rows) {
        const int row = rowValue.toInt();
        if (row < 0 || row >= count() || quarters % 4 == 0)
            continue;
        Photo &photo = m_rows[size_t(row)];
        before.push_back({row, photo});
        photo.options.quarterTurns = ((photo.options.quarterTurns + quarters) % 4 + 4) % 4;
        emit dataChanged(index(row), index(row), optionRoles);
    }
    recordChange(tr("Rotate"), QString(), before);
}

void PhotoList::recordChange(const QString &text, const QString &mergeKey,
                             const std::vector<Placed> &before)
{
    if (!m_history || before.empty())
        return;
    std::vector<Placed> after;
    for (const Placed &placed : before)
        after.push_back({placed.position, m_rows[size_t(placed.position)]});
    m_history->record({text,
                       [this, before] { restore(before); },
                       [this, after] { restore(after); },
                       {},
                       mergeKey});
}

QVariantMap PhotoList::commonOptions(const QVariantList &rows) const
{
    std::vector<const Photo *> chosen;
    for (const QVariant &row : rows)
        if (row.toInt() >= 0 && row.toInt() < count())
            chosen.push_back(&m_rows[size_t(row.toInt())]);
    if (chosen.empty())
        return {};
    const auto valuesOf = [](const Photo &photo) {
        const ImageOptions &o = photo.options;
        return withFrame(o, {{QStringLiteral("crop"), o.crop},
                             {QStringLiteral("padding"), o.padding},
                             {QStringLiteral("maxWidth"), o.maxWidth},
                             {QStringLiteral("paddingPercent"), o.paddingPercent},
                             {QStringLiteral("originalSize"), o.originalSize},
                             {QStringLiteral("noEnlarge"), o.noEnlarge},
                             {QStringLiteral("straighten"), o.straighten},
                             {QStringLiteral("detect"), detectorName(o.detector)}});
    };
    QVariantMap common = valuesOf(*chosen.front());
    for (const Photo *photo : chosen) {
        const QVariantMap values = valuesOf(*photo);
        for (auto key = common.begin(); key != common.end();)
            key = values.value(key.key()) == key.value() ? std::next(key) : common.erase(key);
    }
    return common;
}

void PhotoList::remove(const QVariantList &rows)
{
    std::vector<int> sorted;
    for (const QVariant &row : rows)
        if (row.toInt() >= 0 && row.toInt() < count())
            sorted.push_back(row.toInt());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.empty())
        return;
    std::vector<Placed> removed;
    std::vector<int> photos;
    for (const int row : sorted) {
        removed.push_back({row, m_rows[size_t(row)]});
        photos.push_back(m_rows[size_t(row)].index);
    }
    // The pairs that leave with the photos are part of the same change.
    std::optional<History::Group> group;
    if (m_history)
        group.emplace(m_history, tr("Remove"));
    takeOut(photos);
    History::Step step{tr("Remove"),
                       [this, removed] { restore(removed); },
                       [this, photos] { takeOut(photos); },
                       [this, photos] {
                           for (const int photo : photos) {
                               if (rowOf(photo) >= 0)
                                   continue;
                               m_store->remove(photo);
                               for (auto &doubts : m_doubts)
                                   doubts.erase(photo);
                           }
                       },
                       {}};
    if (m_history)
        m_history->record(std::move(step));
    else
        step.forget();
}

void PhotoList::takeOut(const std::vector<int> &photoIndices)
{
    // From the last row up, so that the rows still to take keep their numbers.
    std::vector<int> rows;
    for (const int photo : photoIndices)
        if (const int row = rowOf(photo); row >= 0)
            rows.push_back(row);
    std::sort(rows.rbegin(), rows.rend());
    for (const int row : rows) {
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }
    if (!rows.empty())
        emit countChanged();
}

void PhotoList::restore(const std::vector<Placed> &rows)
{
    // In the order of their places, so that each lands where it was.
    std::vector<Placed> sorted = rows;
    std::sort(sorted.begin(), sorted.end(),
              [](const Placed &a, const Placed &b) { return a.position < b.position; });
    bool inserted = false;
    for (const Placed &placed : sorted) {
        if (const int row = rowOf(placed.photo.index); row >= 0) {
            m_rows[size_t(row)] = placed.photo;
            emit dataChanged(index(row), index(row), optionRoles);
            continue;
        }
        const int row = std::min(placed.position, count());
        beginInsertRows(QModelIndex(), row, row);
        m_rows.insert(m_rows.begin() + row, placed.photo);
        endInsertRows();
        inserted = true;
    }
    if (inserted)
        emit countChanged();
    wantBoxes(sorted);
}

QString PhotoList::pathOf(int photoIndex) const
{
    const int row = rowOf(photoIndex);
    return row < 0 ? QString() : m_rows[size_t(row)].path;
}

QString PhotoList::sourceOf(int photoIndex) const
{
    const int row = rowOf(photoIndex);
    return row < 0 ? QString() : source(m_rows[size_t(row)]);
}

QStringList PhotoList::paths() const
{
    QStringList all;
    for (const Photo &photo : m_rows)
        all << photo.path;
    return all;
}

QVariantList PhotoList::imageUrls() const
{
    QVariantList urls;
    for (const Photo &photo : m_rows)
        urls << imageUrl(photo.index);
    return urls;
}

QVariantMap PhotoList::cropGeometry(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const Photo &photo = m_rows[size_t(row)];
    const Turn turn = turnOf(photo.options);
    const cv::Size size = m_store->size(photo.index);
    const cv::Size turned = turnedSize(size, turn);
    const cv::Rect box =
        turnBox(m_store->detectedBox(photo.index, photo.options.detector), size, turn);
    // The photo whole, turned as its options say.
    Photo whole = photo;
    whole.options.crop = false;
    whole.box = QRect();
    return {{QStringLiteral("width"), turned.width},
            {QStringLiteral("height"), turned.height},
            {QStringLiteral("x"), box.x},
            {QStringLiteral("y"), box.y},
            {QStringLiteral("w"), box.width},
            {QStringLiteral("h"), box.height},
            {QStringLiteral("box"), boxText(shownBox(photo))},
            {QStringLiteral("source"),
             QStringLiteral("image://photo/") + descriptorOfUrl(source(whole))},
            {QStringLiteral("straighten"), photo.options.straighten}};
}

QStringList PhotoList::sources() const
{
    QStringList all;
    for (const Photo &photo : m_rows)
        all << source(photo);
    return all;
}
