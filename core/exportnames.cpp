#include "core/exportnames.h"

#include "core/imageoptions.h"

QString singleStem(const QString &descriptor)
{
    return QString::number(parseOptions(descriptor).index);
}

QString pairStem(const QString &left, const QString &right)
{
    return singleStem(left) + QLatin1Char('_') + singleStem(right);
}
