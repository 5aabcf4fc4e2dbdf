#pragma once

#include "quick/preview.h"
#include "quick/previewprovider.h"

// Serves "image://cv/<descriptor>": the processed image's preview fitted into 200 by 200.
class CvImageProvider : public PreviewProvider
{
public:
    explicit CvImageProvider(Session *session)
        : PreviewProvider(session, previewImage, QSize(200, 200))
    {
    }
};
