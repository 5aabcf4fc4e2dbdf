#pragma once

#include "image/imageoptions.h"
#include "image/turn.h"
#include "session/sessionfile.h"

#include <QAbstractListModel>
#include <QRect>
#include <QVariantList>
#include <QVariantMap>

#include <optional>
#include <unordered_map>
#include <vector>

class History;
class PhotoStore;

// The photos of a session: one row per photo shown, in the order the photos arrived, with
// everything the pages know about it. The image URL and the descriptor URL of a row are derived
// from it, so the pages and the exports name the photo as they always have. Every change made
// here is recorded in the history, when there is one.
class PhotoList : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // What a photo starts with ("padding", "maxWidth", "paddingPercent", "originalSize",
    // "noEnlarge", "detect" and the frame's keys): padding 50, width 400, the edge detector and
    // no frame until set.
    Q_PROPERTY(QVariantMap defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)

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
        // "edges" or "object": the detector its crop finds the object with.
        DetectRole,
    };

    // Photos are looked up in store, and removed from it once their rows are gone for good: at
    // once without a history, or when the history forgets their removal.
    explicit PhotoList(PhotoStore *store, History *history = nullptr, QObject *parent = nullptr);

    int count() const { return int(m_rows.size()); }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QVariantMap defaults() const;
    // Keys not named keep their value.
    void setDefaults(const QVariantMap &defaults);

    // A photo of the store, imported from path, listed uncropped with the defaults.
    void append(int photoIndex, const QString &path);
    // A photo of the store listed with the choices a session file kept for it.
    void append(int photoIndex, const PhotoChoices &choices);
    // A row's photo and choices as a session file keeps them.
    PhotoChoices choices(int row) const;
    int photoIndexAt(int row) const;
    // Its object box by detector is known: cropped previews and exports of it now cost no
    // detection. doubt says why the box deserves a look, empty when it does not.
    void setBoxReady(int photoIndex, Detector detector, const QString &doubt);
    // The detector a photo's crop finds its object with; the default's for one not listed.
    Detector detectorOf(int photoIndex) const;

    // Takes the rows out of the session; the other photos keep their options and their index.
    Q_INVOKABLE void remove(const QVariantList &rows);
    // The image URL of every row, in order.
    QVariantList imageUrls() const;
    // The file a photo of the session was imported from, and its descriptor URL; empty for one
    // not in the session.
    QString pathOf(int photoIndex) const;
    QString sourceOf(int photoIndex) const;
    // The file of every row, in order.
    QStringList paths() const;

    // Gives the rows the options named in options ("crop", "padding", "maxWidth",
    // "paddingPercent", "originalSize", "noEnlarge", "straighten", "detect" ("edges" or
    // "object"), the frame's "aspect" ("W:H", empty for none), "fill" (percent, 0 for the
    // padding), "size" ("WxH", empty for none) and "frameColour" ("#rrggbb"), and "box", a box
    // chosen by hand as "x,y,w,h" or empty for the detected one); other keys and rows outside the
    // list are ignored. A box chosen by hand turns with its photo.
    Q_INVOKABLE void setOptions(const QVariantList &rows, const QVariantMap &options);
    // Turns the rows' photos by quarters clockwise (negative: counter-clockwise).
    Q_INVOKABLE void rotate(const QVariantList &rows, int quarters);
    // The options the rows share, by the keys setOptions takes (box aside); a key on which
    // they differ is left out.
    Q_INVOKABLE QVariantMap commonOptions(const QVariantList &rows) const;
    // The descriptor URL of every row, in order.
    Q_INVOKABLE QStringList sources() const;
    // What the crop editor needs of a row: the photo's "width" and "height" and its detected
    // object box ("x", "y", "w", "h"), found now if it was not yet, all as the photo is turned;
    // the "box" chosen by hand as the box role gives it, the turned photo's "source" and its
    // "straighten" angle.
    Q_INVOKABLE QVariantMap cropGeometry(int row) const;

signals:
    void countChanged();
    void defaultsChanged();
    // A listed photo's crop now asks for a box its detector has not found yet.
    void boxWanted(int photoIndex, Detector detector);

private:
    struct Photo : PhotoChoices
    {
        int index = 0;
    };
    // A row as it was, and where.
    struct Placed
    {
        int position;
        Photo photo;
    };

    // The box chosen by hand as it lies on the photo turned as it is now.
    cv::Rect shownBox(const Photo &photo) const;
    QString source(const Photo &photo) const;
    QString shownSource(const Photo &photo) const;
    QString doubtOf(const Photo &photo) const;
    int rowOf(int photoIndex) const;
    bool boxKnown(const Photo &photo) const;
    // Asks for the box of every photo of rows whose detector has not found it.
    void wantBoxes(const std::vector<Placed> &rows);
    // Puts rows back as they were: in their place when they are not listed, over themselves when
    // they are.
    void restore(const std::vector<Placed> &rows);
    // Takes the photos' rows out, their photos kept.
    void takeOut(const std::vector<int> &photoIndices);
    // Records rows before and after a change of options, done already.
    void recordChange(const QString &text, const QString &mergeKey,
                      const std::vector<Placed> &before);

    PhotoStore *m_store;
    History *m_history;
    std::vector<Photo> m_rows;
    ImageOptions m_defaults;
    // The doubt of each photo whose box was found, listed or not (a removal can be undone), by
    // detector.
    std::unordered_map<int, QString> m_doubts[2];
};
