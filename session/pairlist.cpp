#include "session/pairlist.h"

#include "image/imageoptions.h"
#include "session/photolist.h"

#include <algorithm>

PairList::PairList(PhotoList *photos, QObject *parent)
    : QAbstractListModel(parent), m_photos(photos)
{
    connect(photos, &QAbstractItemModel::rowsRemoved, this, &PairList::dropUnlisted);
    connect(photos, &QAbstractItemModel::modelReset, this, &PairList::dropUnlisted);
    // An option of a photo changed: the sources of every pair are read again.
    connect(photos, &QAbstractItemModel::dataChanged, this, [this] {
        if (!m_pairs.empty())
            emit dataChanged(index(0), index(count() - 1), {LeftSourceRole, RightSourceRole});
    });
}

int PairList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PairList::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Pair &pair = m_pairs[size_t(index.row())];
    switch (role) {
    case LeftSourceRole:
        return m_photos->sourceOf(pair.left);
    case RightSourceRole:
        return m_photos->sourceOf(pair.right);
    default:
        return {};
    }
}

QHash<int, QByteArray> PairList::roleNames() const
{
    return {{LeftSourceRole, "leftSource"}, {RightSourceRole, "rightSource"}};
}

bool PairList::add(int leftPhoto, int rightPhoto)
{
    const auto paired = [this](int photo) {
        return std::any_of(m_pairs.begin(), m_pairs.end(), [photo](const Pair &pair) {
            return pair.left == photo || pair.right == photo;
        });
    };
    if (leftPhoto == rightPhoto || m_photos->sourceOf(leftPhoto).isEmpty() ||
        m_photos->sourceOf(rightPhoto).isEmpty() || paired(leftPhoto) || paired(rightPhoto))
        return false;
    beginInsertRows(QModelIndex(), count(), count());
    m_pairs.push_back({leftPhoto, rightPhoto});
    endInsertRows();
    emit countChanged();
    return true;
}

void PairList::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_pairs.erase(m_pairs.begin() + row);
    endRemoveRows();
    emit countChanged();
}

int PairList::pairInOrder(const QVariantList &photos)
{
    const QVariantList paired = pairedPhotos();
    std::vector<int> single;
    for (const QVariant &photo : photos)
        if (!paired.contains(photo) &&
            std::find(single.begin(), single.end(), photo.toInt()) == single.end())
            single.push_back(photo.toInt());
    int made = 0;
    for (size_t i = 0; i + 1 < single.size(); i += 2)
        made += add(single[i], single[i + 1]) ? 1 : 0;
    return made;
}

QVariantList PairList::pairedPhotos() const
{
    QVariantList photos;
    for (const Pair &pair : m_pairs)
        photos << pair.left << pair.right;
    return photos;
}

QVariantList PairList::descriptors() const
{
    QVariantList halves;
    for (const Pair &pair : m_pairs)
        halves.append(QVariant(QStringList{descriptorOfUrl(m_photos->sourceOf(pair.left)),
                                           descriptorOfUrl(m_photos->sourceOf(pair.right))}));
    return halves;
}

void PairList::dropUnlisted()
{
    for (int row = count() - 1; row >= 0; --row) {
        const Pair &pair = m_pairs[size_t(row)];
        if (m_photos->sourceOf(pair.left).isEmpty() || m_photos->sourceOf(pair.right).isEmpty())
            remove(row);
    }
}
