#pragma once

#include "image/decode.h"
#include "image/export.h"
#include "image/imageoptions.h"
#include "image/objectdetection.h"
#include "image/pair.h"

#include <QByteArray>
#include <QCache>
#include <QString>
#include <opencv2/core.hpp>

#include <memory>
#include <mutex>
#include <vector>

// The photos of a session. Each keeps, for as long as it is in the session, its file's bytes as
// read at import (so that a file changed or deleted since still exports its own pixels), its
// reduced copy for previews, its size and, once found, its object box. Full-size images live in
// a cache of a byte budget, least recently used first out; a miss decodes the kept bytes again.
// An image handed out survives its eviction for as long as its holder keeps it. Indices are
// handed out in order and never reused. Safe to use from any thread.
class PhotoStore
{
public:
    // A 20-megapixel photo, or a few smaller ones. Larger photos are decoded again each time:
    // with 200 of 24 megapixels, the files' bytes and two workers' detections leave no room for
    // one more within the files' size + 512 MB.
    static constexpr qint64 defaultBudget = qint64(64) << 20;

    explicit PhotoStore(qint64 budgetBytes = defaultBudget);

    // A photo made ready to be added, on any thread: the work of an import that can run beside
    // others. An empty preview means it was refused.
    struct Prepared
    {
        QByteArray file;
        // The reduced copy in sRGB, packed.
        QByteArray preview;
        cv::Size size;
        // Given when the decode made it anyway; it goes into the cache.
        cv::Mat image;
        // Why the file, though decoded, is damaged (fileDamage); empty when it is whole.
        QString damage;
        // contentHash of file: a session file tells by it that the file changed since.
        QString hash;
    };
    // A file's bytes decoded for their thumbnail; why as decodeImage gives it.
    static Prepared prepare(const QByteArray &file, QString *why = nullptr);

    // A prepared photo: its index, or -1 when it was refused.
    int add(const Prepared &photo);
    // An image made in memory, kept as a lossless file of itself: its index, or -1 when it is
    // empty or not 8-bit RGB.
    int addImage(const cv::Mat &rgb);
    // Frees everything the photo holds; its index names nothing from now on.
    void remove(int index);

    // The full-size image, from the cache or decoded again; empty for an index that names no
    // photo.
    cv::Mat image(int index);
    cv::Mat preview(int index) const;
    // Why its file is damaged, empty when it is whole.
    QString damage(int index) const;
    // Its file's contentHash and length, as imported; empty and 0 for an image made in memory.
    QString fileHash(int index) const;
    qint64 fileBytes(int index) const;
    // The size the file's header gave until a full decode finds another (a header that
    // disagrees with its pixels), from then on the decoded one.
    cv::Size size(int index) const;
    // The bounding box of the photo's object at full resolution, found once per photo, on the
    // first call (a concurrent caller waits for it). Empty for an index that names no photo.
    cv::Rect objectBox(int index);
    // What the object detector finds in the photo's reduced copy, its box at full resolution,
    // found once per photo (a concurrent caller waits for it). Empty for an index that names no
    // photo.
    ObjectDetection objectDetection(int index);
    // The box the detector finds: objectBox's or objectDetection's.
    cv::Rect detectedBox(int index, Detector detector);
    // Why the box the detector finds deserves a look before it is exported, in a sentence, or an
    // empty text.
    QString detectionDoubt(int index, Detector detector);

    // The processed image a descriptor asks for: the photo as it is, or, with crop, the object
    // grown by the padding and scaled to maxWidth wide. 8-bit RGB, shared with the cache when
    // uncropped (not to be written to), or empty when the descriptor yields no picture.
    cv::Mat render(const QString &descriptor);
    // Two descriptors rendered and joined in style, left first.
    cv::Mat renderPair(const QString &left, const QString &right, const PairStyle &style = {});
    // What an exported file of one descriptor or a pair of them shows (exportPicture): their
    // renders, in one colour space, with the left one's metadata.
    ExportPicture renderExport(const QStringList &descriptors, const PairStyle &style = {},
                               bool srgb = false);
    // What rendering and writing the picture of one descriptor or a pair of them joined in style
    // holds at its height, from the photos' sizes alone: each photo decoded, turned and rendered,
    // and the picture written in its join and its encoding.
    qint64 exportBytes(const QStringList &descriptors, const PairStyle &style = {}) const;
    // What the photo's file carries beside its pixels, read from the kept bytes.
    PhotoMetadata metadata(int index) const;

    void setBudget(qint64 bytes);
    qint64 budget() const;
    // What the cache holds now, and what the photos hold beside it (bytes and reduced copies).
    qint64 cachedBytes() const;
    qint64 keptBytes() const;

private:
    struct Entry;
    std::shared_ptr<Entry> entry(int index) const;
    void cache(int index, const cv::Mat &image);
    // The entry's edge detector box, detected in image when given and not yet known.
    cv::Rect edgesBox(int index, Entry &entry, const cv::Mat &image);

    // A standard mutex, so that race detectors can see it. Decoding and detection run outside
    // it: a lookup only copies handles.
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Entry>> m_entries;
    // Costs in KiB: QCache counts in int.
    QCache<int, cv::Mat> m_cache;
    qint64 m_keptBytes = 0;
};
