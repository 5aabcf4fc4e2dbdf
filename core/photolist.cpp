#include "core/photolist.h"

#include "core/imagestore.h"

#include <QFileInfo>

#include <algorithm>

PhotoList::PhotoList(QObject *parent) : QAbstractListModel(parent) {}

int PhotoList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QString PhotoList::imageUrl(const Photo &photo)
{
    return QStringLiteral("image://cv/") + QString::number(photo.index);
}

QString PhotoList::source(const Photo &photo)
{
    const QString url = imageUrl(photo) + QStringLiteral("#crop=%1&padding=%2&maxWidth=%3")
                                              .arg(photo.crop ? 1 : 0)
                                              .arg(photo.padding)
                                              .arg(photo.maxWidth);
    return photo.box.isEmpty() ? url : url + QStringLiteral("&box=") + photo.box;
}

QVariant PhotoList::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Photo &photo = m_rows[size_t(index.row())];
    switch (role) {
    case ImageUrlRole:
        return imageUrl(photo);
    case PhotoIndexRole:
        return photo.index;
    case Qt::DisplayRole:
    case FileNameRole:
        return QFileInfo(photo.path).fileName();
    case CropRole:
        return photo.crop;
    case PaddingRole:
        return photo.padding;
    case MaxWidthRole:
        return photo.maxWidth;
    case SourceRole:
        return source(photo);
    case BoxReadyRole:
        return photo.boxReady;
    case DoubtRole:
        return photo.doubt;
    case BoxRole:
        return photo.box;
    default:
        return {};
    }
}

QHash<int, QByteArray> PhotoList::roleNames() const
{
    return {{ImageUrlRole, "imageUrl"}, {PhotoIndexRole, "photoIndex"},
            {FileNameRole, "fileName"}, {CropRole, "crop"},
            {PaddingRole, "padding"},   {MaxWidthRole, "maxWidth"},
            {SourceRole, "source"},     {BoxReadyRole, "boxReady"},
            {DoubtRole, "doubt"},       {BoxRole, "box"}};
}

void PhotoList::append(int photoIndex, const QString &path)
{
    beginInsertRows(QModelIndex(), count(), count());
    Photo photo;
    photo.index = photoIndex;
    photo.path = path;
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
        m_rows[row].doubt = doubt;
        const QModelIndex changed = index(int(row));
        emit dataChanged(changed, changed, {BoxReadyRole, DoubtRole});
    }
}

void PhotoList::setOptions(const QVariantList &rows, const QVariantMap &options)
{
    const auto crop = options.find(QStringLiteral("crop"));
    const auto padding = options.find(QStringLiteral("padding"));
    const auto maxWidth = options.find(QStringLiteral("maxWidth"));
    const auto box = options.find(QStringLiteral("box"));
    for (const QVariant &rowValue : rows) {
        const int row = rowValue.toInt();
        if (row < 0 || row >= count())
            continue;
        Photo &photo = m_rows[size_t(row)];
        const Photo before = photo;
        if (crop != options.end())
            photo.crop = crop->toBool();
        if (padding != options.end())
            photo.padding = padding->toInt();
        if (maxWidth != options.end())
            photo.maxWidth = maxWidth->toInt();
        if (box != options.end())
            photo.box = box->toString();
        if (source(photo) != source(before)) {
            const QModelIndex changed = index(row);
            emit dataChanged(changed, changed,
                             {CropRole, PaddingRole, MaxWidthRole, SourceRole, BoxRole});
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

QVariantList PhotoList::imageUrls() const
{
    QVariantList urls;
    for (const Photo &photo : m_rows)
        urls << imageUrl(photo);
    return urls;
}

QVariantMap PhotoList::cropGeometry(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const int index = m_rows[size_t(row)].index;
    const cv::Size size = storedImage(index).size();
    const cv::Rect box = objectBox(index);
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
