#pragma once

#include <QAbstractListModel>
#include <QVariantList>

#include <vector>

class History;
class PhotoList;

// The pairs of a session, in the order they were made: two photos of its list each (by store
// index), the one chosen first on the left. A photo is in one pair at most, and a photo taken out
// of the session takes its pair with it. Each row gives its halves' sources as the list has
// them now, so a pair follows its photos' options.
class PairList : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QVariantList pairedPhotos READ pairedPhotos NOTIFY countChanged)

public:
    enum Role {
        LeftSourceRole = Qt::UserRole + 1,
        RightSourceRole,
        // "left.jpg + right.jpg"
        NamesRole,
    };

    // Every pairing and unpairing is recorded in history, when there is one.
    explicit PairList(PhotoList *photos, History *history = nullptr, QObject *parent = nullptr);

    int count() const { return int(m_pairs.size()); }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Pairs two photos of the list; false, and nothing changes, when they are one photo, either
    // is not listed or is paired already.
    Q_INVOKABLE bool add(int leftPhoto, int rightPhoto);
    Q_INVOKABLE void remove(int row);
    // Pairs the photos given that are not paired yet, in their order: the first with the second,
    // the third with the fourth, ...; an odd one out stays single. The number of pairs made.
    Q_INVOKABLE int pairInOrder(const QVariantList &photos);
    // The store indices of every paired photo.
    QVariantList pairedPhotos() const;
    // Every pair as [left descriptor, right descriptor], in order: what an export writes.
    Q_INVOKABLE QVariantList descriptors() const;

signals:
    void countChanged();

private:
    struct Pair
    {
        int left;
        int right;
    };

    // Drops the pairs of photos no longer listed.
    void dropUnlisted();
    // The replays of a recorded change; a pair is known by its photos.
    void insert(int row, const Pair &pair);
    void take(const Pair &pair);
    void record(const QString &text, int row, const Pair &pair, bool added);

    PhotoList *m_photos;
    History *m_history;
    std::vector<Pair> m_pairs;
};
