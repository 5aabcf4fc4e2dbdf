#include "session/photolist.h"

#include "image/imageoptions.h"
#include "session/photostore.h"

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
} // namespace

PhotoList::PhotoList(PhotoStore *store, QObject *parent)
    : QAbstractListModel(parent), m_store(store)
{
}

int PhotoList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QString PhotoList::source(const Photo &photo)
{
    ImageOptions options = photo.options;
    options.index = 0;
    options.box = toCv(photo.box);
    // The URL of the photo itself, with the options after its index.
    return imageUrl(photo.index) + descriptorText(options).mid(1);
}

// A cropped preview whose box is not known yet would detect it on a preview thread, beside the
// workers that are detecting it already; the tile shows the whole photo until the box arrives.
QString PhotoList::shownSource(const Photo &photo)
{
    if (!photo.options.crop || !photo.box.isNull() || photo.boxReady)
        return source(photo);
    Photo whole = photo;
    whole.options.crop = false;
    return source(whole);
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
        return photo.boxReady;
    case DoubtRole:
        return photo.doubt;
    case BoxRole:
        return boxText(toCv(photo.box));
    case ShownSourceRole:
        return shownSource(photo);
    default:
        return {};
    }
}

QHash<int, QByteArray> PhotoList::roleNames() const
{
    return {{ImageUrlRole, "imageUrl"}, {PhotoIndexRole, "photoIndex"},  {FileNameRole, "fileName"},
            {CropRole, "crop"},         {PaddingRole, "padding"},        {MaxWidthRole, "maxWidth"},
            {SourceRole, "source"},     {BoxReadyRole, "boxReady"},      {DoubtRole, "doubt"},
            {BoxRole, "box"},           {ShownSourceRole, "shownSource"}};
}

void PhotoList::append(int photoIndex, const QString &path)
{
    beginInsertRows(QModelIndex(), count(), count());
    Photo photo;
    photo.index = photoIndex;
    photo.path = path;
    photo.options.padding = firstPadding;
    m_rows.push_back(photo);
    endInsertRows();
    emit countChanged();
}

void PhotoList::setBoxReady(int photoIndex, const QString &doubt)
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].index != photoIndex || m_rows[row].boxReady)
            continue;
        m_rows[row].boxReady = true;
        // Of the detected box, so none for a photo whose box was chosen by hand.
        m_rows[row].doubt = m_rows[row].box.isNull() ? doubt : QString();
        const QModelIndex changed = index(int(row));
        emit dataChanged(changed, changed, {BoxReadyRole, DoubtRole, ShownSourceRole});
    }
}

void PhotoList::setOptions(const QVariantList &rows, const QVariantMap &options)
{
    const auto crop = options.find(QStringLiteral("crop"));
    const auto padding = options.find(QStringLiteral("padding"));
    const auto maxWidth = options.find(QStringLiteral("maxWidth"));
    const auto box = options.find(QStringLiteral("box"));
    const auto flag = [&options](const QString &key, bool *value) {
        const auto found = options.find(key);
        if (found != options.end())
            *value = found->toBool();
    };
    for (const QVariant &rowValue : rows) {
        const int row = rowValue.toInt();
        if (row < 0 || row >= count())
            continue;
        Photo &photo = m_rows[size_t(row)];
        const Photo before = photo;
        if (crop != options.end())
            photo.options.crop = crop->toBool();
        if (padding != options.end())
            photo.options.padding = padding->toInt();
        if (maxWidth != options.end())
            photo.options.maxWidth = maxWidth->toInt();
        flag(QStringLiteral("paddingPercent"), &photo.options.paddingPercent);
        flag(QStringLiteral("originalSize"), &photo.options.originalSize);
        flag(QStringLiteral("noEnlarge"), &photo.options.noEnlarge);
        if (box != options.end())
            photo.box = fromCv(parseBox(box->toString()));
        // A doubt concerns the detected box: a box chosen by hand has been looked at.
        if (!photo.box.isNull())
            photo.doubt.clear();
        if (source(photo) != source(before) || photo.doubt != before.doubt) {
            const QModelIndex changed = index(row);
            emit dataChanged(changed, changed,
                             {CropRole, PaddingRole, MaxWidthRole, SourceRole, BoxRole,
                              ShownSourceRole, DoubtRole});
        }
    }
}

void PhotoList::remove(const QVariantList &rows)
{
    std::vector<int> sorted;
    for (const QVariant &row : rows)
        sorted.push_back(row.toInt());
    // From the last row up, so that the rows still to remove keep their numbers.
    std::sort(sorted.rbegin(), sorted.rend());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (const int row : sorted) {
        if (row < 0 || row >= count())
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_store->remove(m_rows[size_t(row)].index);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }
    emit countChanged();
}

QString PhotoList::pathOf(int photoIndex) const
{
    for (const Photo &photo : m_rows)
        if (photo.index == photoIndex)
            return photo.path;
    return {};
}

QString PhotoList::sourceOf(int photoIndex) const
{
    for (const Photo &photo : m_rows)
        if (photo.index == photoIndex)
            return source(photo);
    return {};
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
    const int index = m_rows[size_t(row)].index;
    const cv::Size size = m_store->size(index);
    const cv::Rect box = m_store->objectBox(index);
    return {{QStringLiteral("width"), size.width}, {QStringLiteral("height"), size.height},
            {QStringLiteral("x"), box.x},          {QStringLiteral("y"), box.y},
            {QStringLiteral("w"), box.width},      {QStringLiteral("h"), box.height}};
}

QStringList PhotoList::sources() const
{
    QStringList all;
    for (const Photo &photo : m_rows)
        all << source(photo);
    return all;
}
