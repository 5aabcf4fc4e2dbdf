#include "image/exportnames.h"

#include "image/imageoptions.h"

#include <QFileInfo>
#include <QSet>

QString singleStem(const QString &descriptor)
{
    return exportStems({{parseOptions(descriptor).index}}, false, {}).first();
}

QString pairStem(const QString &left, const QString &right)
{
    return exportStems({{parseOptions(left).index, parseOptions(right).index}}, false, {}).first();
}

QStringList exportStems(const QVector<QVector<int>> &outputs, bool originalNames,
                        const std::function<QString(int)> &originalPath)
{
    QSet<QString> taken;
    QStringList stems;
    for (const QVector<int> &photos : outputs) {
        QStringList parts;
        for (const int photo : photos) {
            const QString original =
                originalNames ? QFileInfo(originalPath(photo)).completeBaseName() : QString();
            // A photo without a known original (or a file named ".png") keeps its number.
            parts << (original.isEmpty() ? QString::number(photo) : original);
        }
        const QString stem = parts.join(originalNames ? QLatin1Char('+') : QLatin1Char('_'));
        QString name = stem;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = stem + QLatin1Char('-') + QString::number(n);
        taken.insert(name.toLower());
        stems << name;
    }
    return stems;
}
