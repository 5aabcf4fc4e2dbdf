#include "core/exportnames.h"

#include "core/imageoptions.h"

#include <QFileInfo>

QString singleStem(const QString &descriptor)
{
    return QString::number(parseOptions(descriptor).index);
}

QString pairStem(const QString &left, const QString &right)
{
    return singleStem(left) + QLatin1Char('_') + singleStem(right);
}

QString originalStem(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

QString originalPairStem(const QString &leftPath, const QString &rightPath)
{
    return originalStem(leftPath) + QLatin1Char('+') + originalStem(rightPath);
}

QString UniqueNames::take(const QString &stem)
{
    QString name = stem;
    for (int n = 2; m_taken.contains(name.toLower()); ++n)
        name = stem + QLatin1Char('-') + QString::number(n);
    m_taken.insert(name.toLower());
    return name;
}
