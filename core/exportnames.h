#pragma once

#include <QSet>
#include <QString>

// The names exports are written under, without the extension.

// A single image: its index, "3".
QString singleStem(const QString &descriptor);
// A pair: both indices joined by "_", left first: "0_3".
QString pairStem(const QString &left, const QString &right);

// An original photo's name: its file name without the extension, "IMG_1234".
QString originalStem(const QString &path);
// A pair of originals: "IMG_1234+IMG_1240".
QString originalPairStem(const QString &leftPath, const QString &rightPath);

// Hands out the names of one export: a name already handed out gets "-2", "-3", ... appended.
class UniqueNames
{
public:
    QString take(const QString &stem);

private:
    // Compared without case: on some file systems "A.png" and "a.png" are one file.
    QSet<QString> m_taken;
};
