#include "session/photostore.h"

#include "image/colour.h"
#include "image/decode.h"
#include "image/detection.h"
#include "image/failsafe.h"
#include "image/framing.h"
#include "image/imageoptions.h"
#include "image/objectdetection.h"
#include "image/pair.h"
#include "image/photofiles.h"
#include "image/pngwriter.h"
#include "image/turn.h"

#include <algorithm>
#include <limits>

struct PhotoStore::Entry
{
    QByteArray file;
    QByteArray preview;
    QString damage;
    QString hash;
    // Guarded by the store's mutex: a full decode may correct it.
    cv::Size size;
    std::once_flag detected;
    cv::Rect box;
    std::once_flag objectFound;
    ObjectDetection object;
    // One decode of a photo at a time: a second caller waits and finds it in the cache.
    std::mutex decoding;
};

namespace {
int kibibytes(qint64 bytes)
{
    return int(std::min<qint64>((bytes + 1023) / 1024, std::numeric_limits<int>::max()));
}

qint64 imageBytes(const cv::Mat &image)
{
    return qint64(image.total()) * qint64(image.elemSize());
}
} // namespace

PhotoStore::PhotoStore(qint64 budgetBytes)
{
    setBudget(budgetBytes);
}

namespace {
PhotoStore::Prepared prepared(const QByteArray &file, const PhotoPreview &decoded)
{
    if (decoded.preview.empty())
        return {};
    // Shown as the photo looks: screens are taken to be sRGB.
    const cv::Mat shown = toSrgb(decoded.preview, colourProfile(file));
    return {file,          packPreview(shown), decoded.size,
            decoded.image, fileDamage(file),   contentHash(file)};
}
} // namespace

PhotoStore::Prepared PhotoStore::prepare(const QByteArray &file, QString *why)
{
    return prepared(file, decodePreview(file, why));
}

int PhotoStore::add(const Prepared &photo)
{
    if (photo.preview.isEmpty())
        return -1;
    auto entry = std::make_shared<Entry>();
    entry->file = photo.file;
    entry->preview = photo.preview;
    entry->size = photo.size;
    entry->damage = photo.damage;
    entry->hash = photo.hash;
    int index = 0;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        index = int(m_entries.size());
        m_entries.push_back(entry);
        m_keptBytes += photo.file.size() + photo.preview.size();
    }
    cache(index, photo.image);
    return index;
}

int PhotoStore::addImage(const cv::Mat &rgb)
{
    if (rgb.empty() || rgb.type() != CV_8UC3)
        return -1;
    // A copy of its own: the caller may change its pixels afterwards.
    const cv::Mat image = rgb.clone();
    const std::vector<uchar> png = encodePng(image);
    if (png.empty())
        return -1;
    const QByteArray file(reinterpret_cast<const char *>(png.data()), int(png.size()));
    return add(prepared(file, {reducedCopy(image), image.size(), image}));
}

void PhotoStore::remove(int index)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (index < 0 || size_t(index) >= m_entries.size() || !m_entries[size_t(index)])
        return;
    const Entry &entry = *m_entries[size_t(index)];
    m_keptBytes -= entry.file.size() + entry.preview.size();
    m_entries[size_t(index)].reset();
    m_cache.remove(index);
}

std::shared_ptr<PhotoStore::Entry> PhotoStore::entry(int index) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (index < 0 || size_t(index) >= m_entries.size())
        return {};
    return m_entries[size_t(index)];
}

void PhotoStore::cache(int index, const cv::Mat &image)
{
    if (image.empty())
        return;
    const std::lock_guard<std::mutex> lock(m_mutex);
    // A photo removed while it was decoded is not brought back.
    if (!m_entries[size_t(index)])
        return;
    // An image larger than the whole budget is not kept (QCache deletes the copy it was given).
    m_cache.insert(index, new cv::Mat(image), kibibytes(imageBytes(image)));
}

cv::Mat PhotoStore::image(int index)
{
    const std::shared_ptr<Entry> found = entry(index);
    if (!found)
        return {};
    const auto cached = [this, index]() -> cv::Mat {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const cv::Mat *hit = m_cache.object(index);
        return hit ? *hit : cv::Mat();
    };
    if (cv::Mat hit = cached(); !hit.empty())
        return hit;
    const std::lock_guard<std::mutex> decoding(found->decoding);
    if (cv::Mat hit = cached(); !hit.empty())
        return hit;
    const cv::Mat decoded = decodeImage(found->file);
    if (!decoded.empty()) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        found->size = decoded.size();
    }
    cache(index, decoded);
    return decoded;
}

cv::Mat PhotoStore::preview(int index) const
{
    const std::shared_ptr<Entry> found = entry(index);
    return found ? unpackPreview(found->preview) : cv::Mat();
}

QString PhotoStore::damage(int index) const
{
    const std::shared_ptr<Entry> found = entry(index);
    return found ? found->damage : QString();
}

QString PhotoStore::fileHash(int index) const
{
    const std::shared_ptr<Entry> found = entry(index);
    return found ? found->hash : QString();
}

qint64 PhotoStore::fileBytes(int index) const
{
    const std::shared_ptr<Entry> found = entry(index);
    return found && !found->hash.isEmpty() ? found->file.size() : 0;
}

cv::Size PhotoStore::size(int index) const
{
    const std::shared_ptr<Entry> found = entry(index);
    const std::lock_guard<std::mutex> lock(m_mutex);
    return found ? found->size : cv::Size();
}

cv::Rect PhotoStore::objectBox(int index)
{
    const std::shared_ptr<Entry> found = entry(index);
    return found ? edgesBox(index, *found, cv::Mat()) : cv::Rect();
}

ObjectDetection PhotoStore::objectDetection(int index)
{
    const std::shared_ptr<Entry> found = entry(index);
    if (!found)
        return {};
    std::call_once(found->objectFound, [&] {
        const cv::Mat reduced = unpackPreview(found->preview);
        found->object = orEmpty([&] { return detectObjectInCopy(reduced, size(index)); });
    });
    return found->object;
}

cv::Rect PhotoStore::detectedBox(int index, Detector detector)
{
    return detector == Detector::Object ? objectDetection(index).box : objectBox(index);
}

QString PhotoStore::detectionDoubt(int index, Detector detector)
{
    return detector == Detector::Object ? objectDoubt(objectDetection(index))
                                        : cropDoubt(objectBox(index), size(index));
}

cv::Rect PhotoStore::edgesBox(int index, Entry &entry, const cv::Mat &image)
{
    std::call_once(entry.detected, [&] {
        // The full image is let go before detection's own buffers are made, unless the caller
        // holds it.
        cv::Mat gray =
            orEmpty([&] { return detectionGray(image.empty() ? this->image(index) : image); });
        entry.box = orEmpty([&gray] { return detectObjectBoxInGray(std::move(gray)); });
    });
    return entry.box;
}

cv::Mat PhotoStore::render(const QString &descriptor)
{
    const ImageOptions options = parseOptions(descriptor);
    const std::shared_ptr<Entry> found = entry(options.index);
    if (!found)
        return {};
    const cv::Mat photo = image(options.index);
    if (photo.empty())
        return {};
    // Detection looks at the photo as it came; its box is turned with the photo.
    const Turn turn = turnOf(options);
    const auto detected = [&] {
        const cv::Rect box = options.detector == Detector::Object
                                 ? objectDetection(options.index).box
                                 : edgesBox(options.index, *found, photo);
        return turnBox(box, photo.size(), turn);
    };
    const cv::Mat source = orEmpty([&] { return turnImage(photo, turn); });
    if (source.empty())
        return {};
    return processPhoto(source, options,
                        options.crop ? cropBox(options, source.size(), detected) : cv::Rect());
}

cv::Mat PhotoStore::renderPair(const QString &left, const QString &right, const PairStyle &style)
{
    // The left half is rendered before the right one is decoded: a worker holds one full-size
    // photo at a time.
    const cv::Mat leftHalf = render(left);
    return leftHalf.empty() ? cv::Mat() : joinPair(leftHalf, render(right), style);
}

ExportPicture PhotoStore::renderExport(const QStringList &descriptors, const PairStyle &style,
                                       bool srgb)
{
    std::vector<cv::Mat> photos;
    std::vector<PhotoMetadata> sources;
    // One half after the other, each rendered before the next is decoded.
    for (const QString &descriptor : descriptors.mid(0, 2)) {
        photos.push_back(render(descriptor));
        if (photos.back().empty())
            return {};
        sources.push_back(metadata(parseOptions(descriptor).index));
    }
    return exportPicture(std::move(photos), sources, style, srgb);
}

qint64 PhotoStore::exportBytes(const QStringList &descriptors, const PairStyle &style) const
{
    // A detected box is not known before the work: the whole photo stands for it, framed as
    // asked. A box drawn by hand is known.
    const auto pixels = [](const cv::Size &size) { return qint64(size.width) * size.height; };
    qint64 bytes = 0;
    std::vector<cv::Size> pictures;
    for (const QString &descriptor : descriptors.mid(0, 2)) {
        const ImageOptions options = parseOptions(descriptor);
        const cv::Size photo = size(options.index);
        const Turn turn = turnOf(options);
        const cv::Size turned = turnedSize(photo, turn);
        const cv::Rect whole(cv::Point(), turned);
        const cv::Size picture =
            frameImage(options, turned, cropBox(options, turned, [&whole] { return whole; })).size;
        // 3 bytes a pixel decoded, turned when it is, and once more for the render or, when
        // that is the photo itself, a converted copy (sRGB, the encoder's channel order).
        bytes += 3 * (pixels(photo) + (turn.isNone() ? 0 : pixels(turned)) + pixels(picture));
        pictures.push_back(picture);
    }
    if (pictures.empty())
        return 0;
    // The picture written: a photo's render, held again in the encoder's pieces and file, or a
    // pair's join at the size its style gives (a stretched half may grow far beyond its photo),
    // held twice.
    if (pictures.size() == 1)
        return bytes + 3 * pixels(pictures.front());
    return bytes + 6 * pixels(pairGeometry(pictures[0], pictures[1], style).size);
}

PhotoMetadata PhotoStore::metadata(int index) const
{
    const std::shared_ptr<Entry> found = entry(index);
    return found ? readMetadata(found->file) : PhotoMetadata();
}

void PhotoStore::setBudget(qint64 bytes)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_cache.setMaxCost(kibibytes(std::max<qint64>(bytes, 0)));
}

qint64 PhotoStore::budget() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return qint64(m_cache.maxCost()) * 1024;
}

qint64 PhotoStore::cachedBytes() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return qint64(m_cache.totalCost()) * 1024;
}

qint64 PhotoStore::keptBytes() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_keptBytes;
}
