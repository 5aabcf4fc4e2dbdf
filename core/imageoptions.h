#pragma once

#include <QString>
#include <QStringList>

// What an image request descriptor ("3#crop=1&padding=50&maxWidth=400") asks for.
struct ImageOptions
{
    int index = 0;
    bool crop = false;
    int padding = 0;
    int maxWidth = 400;
};

// The recognised option keys; a key's position in this list is the code the parser dispatches on.
extern const QStringList optionKeys;

// Never fails: unreadable numbers become 0, unknown keys and empty items are skipped.
ImageOptions parseOptions(const QString &descriptor);
