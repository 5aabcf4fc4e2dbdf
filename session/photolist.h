#pragma once

#include "image/imageoptions.h"

#include <QAbstractListModel>
#include <QRect>
#include <QVariantList>
#include <QVariantMap>

#include <vector>

class PhotoStore;

// The photos of a session: one row per photo shown, in the order the photos arrived, with
// everything the pages know about it. The image URL and the descriptor URL of a row are derived
// from it, so the pages and the exports name the photo as they always have.
class PhotoList : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        ImageUrlRole = Qt::UserRole + 1,
        PhotoIndexRole,
        FileNameRole,
        CropRole,
        PaddingRole,
        MaxWidthRole,
        SourceRole,
        BoxReadyRole,
        DoubtRole,
        BoxRole,
        // What its tile shows: the source, or the photo uncropped while its object is looked for.
        ShownSourceRole,
    };

    // Photos are looked up in store, and removed from it with their rows.
    explicit PhotoList(PhotoStore *store, QObject *parent = nullptr);

    int count() const { return int(m_rows.size()); }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // A photo of the store, imported from path, listed with its first options (no crop, padding
    // 50, width 400).
    void append(int photoIndex, const QString &path);
    // Its object box is known: cropped previews and exports of it now cost no detection. doubt
    // says why the box deserves a look, empty when it does not.
    void setBoxReady(int photoIndex, const QString &doubt);

    // Takes the rows out of the session and their photos out of the store; the other photos keep
    // their options and their index.
    Q_INVOKABLE void remove(const QVariantList &rows);
    // The image URL of every row, in order.
    QVariantList imageUrls() const;
    // The file a photo of the session was imported from, and its descriptor URL; empty for one
    // not in the session.
    QString pathOf(int photoIndex) const;
    QString sourceOf(int photoIndex) const;

    // Gives the rows the options named in options ("crop", "padding", "maxWidth",
    // "paddingPercent", "originalSize", "noEnlarge", and "box", a box chosen by hand as "x,y,w,h"
    // or empty for the detected one); other keys and rows outside the list are ignored.
    Q_INVOKABLE void setOptions(const QVariantList &rows, const QVariantMap &options);
    // The descriptor URL of every row, in order.
    Q_INVOKABLE QStringList sources() const;
    // What the crop editor needs of a row: the photo's "width" and "height" and its detected
    // object box ("x", "y", "w", "h"), found now if it was not yet.
    Q_INVOKABLE QVariantMap cropGeometry(int row) const;

signals:
    void countChanged();

private:
    struct Photo
    {
        int index = 0;
        QString path;
        // Its crop and sizes; the index and the box are the row's own.
        ImageOptions options;
        // Chosen by hand, in photo pixels; null for the detected one.
        QRect box;
        bool boxReady = false;
        QString doubt;
    };

    // The padding a photo starts with.
    static constexpr int firstPadding = 50;

    static QString source(const Photo &photo);
    static QString shownSource(const Photo &photo);

    PhotoStore *m_store;
    std::vector<Photo> m_rows;
};
