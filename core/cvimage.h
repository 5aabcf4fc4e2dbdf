#pragma once

#include <QObject>
#include <QVariant>
#include <QVariantList>

// The one native object the QML pages talk to: imports images, lists them as image URLs
// ("image://cv/<index>") and exports single images and pairs.
class CvImage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList imageArray READ imageArray NOTIFY imageArrayChanged)

public:
    explicit CvImage(QObject *parent = nullptr);

    QVariantList imageArray() const { return m_imageArray; }

    // A file that cannot be decoded is skipped: nothing is listed and nothing is signalled.
    Q_INVOKABLE void addImage(const QVariant &image);
    // Takes a path as it is, or a folder URL as its local path.
    Q_INVOKABLE void setExportFolder(const QVariant &folder);
    // Exports one descriptor's image; returns whether its file was written.
    Q_INVOKABLE bool save(const QVariant &uri);
    // Exports a pair of descriptors as one image; returns whether its file was written.
    Q_INVOKABLE bool saveStitched(const QVariant &uris);

signals:
    void imageArrayChanged();

private:
    QVariantList m_imageArray;
};
