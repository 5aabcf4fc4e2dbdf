#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The names exports are written under, without the extension.

// A single image: its index, "3".
QString singleStem(const QString &descriptor);
// A pair: both indices joined by "_", left first: "0_3".
QString pairStem(const QString &left, const QString &right);

// The names of one export's files, in order. Each output is one photo (a single) or two (a pair,
// left first), given by its number. By number: "3", "0_3". By original name (originalPath gives
// a number's file): the file name without its extension, "IMG_1234", pairs "IMG_1234+IMG_1240".
// A name already given in this export gets "-2", "-3", ... appended; names are compared without
// case, since on some file systems "A.png" and "a.png" are one file.
QStringList exportStems(const QVector<QVector<int>> &outputs, bool originalNames,
                        const std::function<QString(int)> &originalPath);
