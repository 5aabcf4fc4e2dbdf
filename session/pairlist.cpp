#include "session/pairlist.h"

#include "image/imageoptions.h"
#include "session/history.h"
#include "session/photolist.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

PairList::PairList(PhotoList *photos, History *history, QObject *parent)
    : QAbstractListModel(parent), m_photos(photos), m_history(history)
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
    case NamesRole:
        return QFileInfo(m_photos->pathOf(pair.left)).fileName() + QStringLiteral(" + ") +
               QFileInfo(m_photos->pathOf(pair.right)).fileName();
    default:
        return {};
    }
}

QHash<int, QByteArray> PairList::roleNames() const
{
    return {{LeftSourceRole, "leftSource"}, {RightSourceRole, "rightSource"}, {NamesRole, "names"}};
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
    const Pair pair{leftPhoto, rightPhoto};
    insert(count(), pair);
    record(tr("Pair"), count() - 1, pair, true);
    return true;
}

void PairList::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    const Pair pair = m_pairs[size_t(row)];
    take(pair);
    record(tr("Unpair"), row, pair, false);
}

void PairList::insert(int row, const Pair &pair)
{
    row = std::clamp(row, 0, count());
    beginInsertRows(QModelIndex(), row, row);
    m_pairs.insert(m_pairs.begin() + row, pair);
    endInsertRows();
    emit countChanged();
}

void PairList::take(const Pair &pair)
{
    const auto found = std::find_if(m_pairs.begin(), m_pairs.end(), [&pair](const Pair &p) {
        return p.left == pair.left && p.right == pair.right;
    });
    if (found == m_pairs.end())
        return;
    const int row = int(found - m_pairs.begin());
    beginRemoveRows(QModelIndex(), row, row);
    m_pairs.erase(found);
    endRemoveRows();
    emit countChanged();
}

void PairList::record(const QString &text, int row, const Pair &pair, bool added)
{
    if (!m_history)
        return;
    const auto put = [this, row, pair] { insert(row, pair); };
    const auto drop = [this, pair] { take(pair); };
    m_history->record(added ? History::Step{text, drop, put, {}, {}}
                            : History::Step{text, put, drop, {}, {}});
}

int PairList::pairInOrder(const QVariantList &photos)
{
    const QVariantList paired = pairedPhotos();
    std::vector<int> single;
    for (const QVariant &photo : photos)
        if (!paired.contains(photo) &&
            std::find(single.begin(), single.end(), photo.toInt()) == single.end())
            single.push_back(photo.toInt());
    std::optional<History::Group> group;
    if (m_history)
        group.emplace(m_history, tr("Pair in Order"));
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
