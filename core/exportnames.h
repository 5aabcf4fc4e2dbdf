#pragma once

#include <QString>

// The names exports are written under, without the extension.

// A single image: its index, "3".
QString singleStem(const QString &descriptor);
// A pair: both indices joined by "_", left first: "0_3".
QString pairStem(const QString &left, const QString &right);
