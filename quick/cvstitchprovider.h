#pragma once

#include "quick/preview.h"
#include "quick/previewprovider.h"

// Serves "image://stitch/<left descriptor>*<right descriptor>": the joined pair's preview fitted
// into 400 by 200.
class CvStitchProvider : public PreviewProvider
{
public:
    explicit CvStitchProvider(Session *session)
        : PreviewProvider(session, previewPair, QSize(400, 200))
    {
    }
};
