#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class PhotoStore;

// Previews cut from the photos' reduced copies: the region and aspect the export will have,
// fitted into bounds keeping the aspect ratio. Milliseconds whatever the photo's size; a null
// image where the export would yield no picture.

// One image request descriptor ("3#crop=1&padding=50&maxWidth=400").
QImage previewImage(PhotoStore &store, const QString &descriptor, const QSize &bounds);
// A stitch request id: two descriptors joined by "*", shown as their joined pair.
QImage previewPair(PhotoStore &store, const QString &id, const QSize &bounds);
