#include "session/sessionfile.h"

#include "image/photofiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace {
const QString formatName = QStringLiteral("morvick2-session");

QString tooLarge()
{
    return QCoreApplication::translate("SessionFile", "It is far too large to be a session file.");
}

// The options after the descriptor's index: what a photo's choices read as in its URL.
QString optionsText(const ImageOptions &options)
{
    return descriptorText(options).section(QLatin1Char('#'), 1);
}

QString rectText(const QRect &box)
{
    return box.isNull() ? QString()
                        : boxText(cv::Rect(box.x(), box.y(), box.width(), box.height()));
}

// The checksum covers the file's content as JSON writes it compactly, keys sorted: the same
// whatever spacing the file has.
QString checksumOf(const QJsonObject &content)
{
    return contentHash(QJsonDocument(content).toJson(QJsonDocument::Compact));
}

QJsonObject photoObject(const SessionState::Photo &photo, const QDir &folder)
{
    QJsonObject object{{QStringLiteral("path"), photo.path},
                       {QStringLiteral("relativePath"), folder.relativeFilePath(photo.path)},
                       {QStringLiteral("bytes"), photo.bytes},
                       {QStringLiteral("hash"), photo.hash},
                       {QStringLiteral("options"), optionsText(photo.options)}};
    if (!photo.box.isNull()) {
        object.insert(QStringLiteral("box"), rectText(photo.box));
        object.insert(QStringLiteral("boxTurn"), photo.boxQuarters);
        object.insert(QStringLiteral("boxStraighten"), photo.boxDegrees);
    }
    return object;
}

bool readPhoto(const QJsonValue &value, const QDir &folder, SessionState::Photo *photo)
{
    const QJsonObject object = value.toObject();
    const QJsonValue path = object.value(QStringLiteral("path"));
    const QJsonValue options = object.value(QStringLiteral("options"));
    if (!path.isString() || path.toString().isEmpty() || !options.isString())
        return false;
    photo->path = path.toString();
    const QString relative = object.value(QStringLiteral("relativePath")).toString();
    if (!QFileInfo::exists(photo->path) && !relative.isEmpty() &&
        QFileInfo::exists(folder.filePath(relative)))
        photo->path = QDir::cleanPath(folder.absoluteFilePath(relative));
    // Whole numbers a double holds exactly: any other is no file's length.
    photo->bytes = qint64(std::clamp(object.value(QStringLiteral("bytes")).toDouble(), 0.0, 9e15));
    photo->hash = object.value(QStringLiteral("hash")).toString();
    photo->options = parseOptions(QStringLiteral("0#") + options.toString());
    const cv::Rect box = parseBox(object.value(QStringLiteral("box")).toString());
    if (!box.empty()) {
        photo->box = QRect(box.x, box.y, box.width, box.height);
        photo->boxQuarters = std::clamp(object.value(QStringLiteral("boxTurn")).toInt(), 0, 3);
        photo->boxDegrees = std::clamp(object.value(QStringLiteral("boxStraighten")).toDouble(),
                                       -maxStraighten, maxStraighten);
    }
    return true;
}

// Each photo in one pair at most, never with itself.
bool readPairs(const QJsonArray &array, int photoCount, QVector<SessionState::Pair> *pairs)
{
    QVector<bool> paired(photoCount, false);
    for (const QJsonValue &value : array) {
        const QJsonArray halves = value.toArray();
        if (halves.size() != 2)
            return false;
        const int left = halves.at(0).toInt(-1);
        const int right = halves.at(1).toInt(-1);
        if (left < 0 || right < 0 || left >= photoCount || right >= photoCount || left == right ||
            paired[left] || paired[right])
            return false;
        paired[left] = paired[right] = true;
        pairs->append({left, right});
    }
    return true;
}
} // namespace

bool SessionState::operator==(const SessionState &other) const
{
    if (photos.size() != other.photos.size() || exportSettings != other.exportSettings ||
        savedAs != other.savedAs)
        return false;
    for (int i = 0; i < photos.size(); ++i) {
        const Photo &a = photos[i];
        const Photo &b = other.photos[i];
        if (a.path != b.path || a.bytes != b.bytes || a.hash != b.hash ||
            optionsText(a.options) != optionsText(b.options) || a.box != b.box ||
            (!a.box.isNull() && (a.boxQuarters != b.boxQuarters || a.boxDegrees != b.boxDegrees)))
            return false;
    }
    return std::equal(
        pairs.begin(), pairs.end(), other.pairs.begin(), other.pairs.end(),
        [](const Pair &a, const Pair &b) { return a.left == b.left && a.right == b.right; });
}

QByteArray sessionFileText(const SessionState &state, const QString &folder)
{
    const QDir dir(folder);
    QJsonArray photos;
    for (const SessionState::Photo &photo : state.photos)
        photos.append(photoObject(photo, dir));
    QJsonArray pairs;
    for (const SessionState::Pair &pair : state.pairs)
        pairs.append(QJsonArray{pair.left, pair.right});
    QJsonObject content{
        {QStringLiteral("format"), formatName},
        {QStringLiteral("version"), sessionFileVersion},
        {QStringLiteral("photos"), photos},
        {QStringLiteral("pairs"), pairs},
        {QStringLiteral("export"), QJsonObject::fromVariantMap(state.exportSettings)}};
    if (!state.savedAs.isEmpty())
        content.insert(QStringLiteral("savedAs"), state.savedAs);
    content.insert(QStringLiteral("checksum"), checksumOf(content));
    return QJsonDocument(content).toJson(QJsonDocument::Indented);
}

bool parseSessionFile(const QByteArray &text, const QString &folder, SessionState *state,
                      QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (text.size() > maxSessionFileBytes)
        return refuse(tooLarge());
    QJsonParseError error;
    QJsonObject content = QJsonDocument::fromJson(text, &error).object();
    if (error.error != QJsonParseError::NoError || content.isEmpty())
        return refuse(QCoreApplication::translate(
            "SessionFile", "It is damaged or not a session file: it cannot be read."));
    if (content.value(QStringLiteral("format")).toString() != formatName)
        return refuse(QCoreApplication::translate("SessionFile", "It is not a session file."));
    const int version = content.value(QStringLiteral("version")).toInt();
    if (version > sessionFileVersion)
        return refuse(QCoreApplication::translate(
            "SessionFile",
            "It was saved by a later version of the application: update to open it."));
    const QString checksum = content.take(QStringLiteral("checksum")).toString();
    if (version < 1 || checksum != checksumOf(content))
        return refuse(QCoreApplication::translate(
            "SessionFile", "It is damaged: its content does not match its checksum."));
    const QDir dir(folder);
    SessionState read;
    for (const QJsonValue &value : content.value(QStringLiteral("photos")).toArray()) {
        SessionState::Photo photo;
        if (!readPhoto(value, dir, &photo))
            return refuse(QCoreApplication::translate(
                "SessionFile", "It is damaged: a photo is not described whole."));
        read.photos.append(photo);
    }
    if (!readPairs(content.value(QStringLiteral("pairs")).toArray(), read.photos.size(),
                   &read.pairs))
        return refuse(QCoreApplication::translate(
            "SessionFile", "It is damaged: a pair names photos it does not hold."));
    read.exportSettings = content.value(QStringLiteral("export")).toObject().toVariantMap();
    read.savedAs = content.value(QStringLiteral("savedAs")).toString();
    *state = read;
    return true;
}

bool writeSessionFile(const QString &path, const SessionState &state, QString *why)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray text = sessionFileText(state, QFileInfo(path).absolutePath());
        if (file.write(text) == text.size() && file.commit())
            return true;
    }
    if (why)
        *why = file.errorString();
    return false;
}

bool readSessionFile(const QString &path, SessionState *state, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (why)
            *why = file.errorString();
        return false;
    }
    // Refused before it is read: a huge file is not loaded into memory.
    if (file.size() > maxSessionFileBytes) {
        if (why)
            *why = tooLarge();
        return false;
    }
    return parseSessionFile(file.readAll(), QFileInfo(path).absolutePath(), state, why);
}
