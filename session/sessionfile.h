#pragma once

#include "image/imageoptions.h"

#include <QRect>
#include <QString>
#include <QVariantMap>
#include <QVector>

// What a person chose for a photo of a session: its file, its options and a box drawn by hand.
struct PhotoChoices
{
    QString path;
    // Every choice but the box chosen by hand (index 0, box empty).
    ImageOptions options;
    // Chosen by hand, in pixels of the photo turned by boxQuarters and boxDegrees; null for the
    // detected one. Kept as drawn, so that turning back and forth never grows it.
    QRect box;
    int boxQuarters = 0;
    double boxDegrees = 0;
};

// A session as it is written to a file: what a person chose, never what can be found again.
struct SessionState
{
    struct Photo : PhotoChoices
    {
        // The file as it was imported: its length and contentHash, to tell it changed since.
        qint64 bytes = 0;
        QString hash;
    };
    struct Pair
    {
        // Positions in photos, left first.
        int left = 0;
        int right = 0;
    };

    QVector<Photo> photos;
    QVector<Pair> pairs;
    // The export's options as ExportJob::start takes them.
    QVariantMap exportSettings;
    // A recovery file's: the session file the session was last saved as, if any.
    QString savedAs;

    bool operator==(const SessionState &other) const;
};

// How a session file's name ends.
const QString sessionFileSuffix = QStringLiteral(".morvick2");
// The version this build writes; files of a later one are refused.
constexpr int sessionFileVersion = 1;
// A session of ten thousand photos takes a few megabytes: anything far larger is not one.
constexpr qint64 maxSessionFileBytes = qint64(64) << 20;

// The file's text: JSON, with the photos' paths also relative to folder (the session file's) so
// that a session moved with its photos still finds them, and a checksum over the rest.
QByteArray sessionFileText(const SessionState &state, const QString &folder);
// Reads a file's text; false and why, in a sentence, when it is damaged, not a session, or of a
// later version. Relative paths are taken against folder where the absolute one is missing.
bool parseSessionFile(const QByteArray &text, const QString &folder, SessionState *state,
                      QString *why);

// Whole or not at all: an existing file stays as it was when the write fails.
bool writeSessionFile(const QString &path, const SessionState &state, QString *why);
bool readSessionFile(const QString &path, SessionState *state, QString *why);
