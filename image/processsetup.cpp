#include "image/processsetup.h"

#include <opencv2/core.hpp>

#ifdef __GLIBC__
#include <malloc.h>
#endif

void setUpPhotoWorkers()
{
    cv::setNumThreads(1);
#ifdef __GLIBC__
    // Images and detection buffers are larger; a fixed threshold also turns the growing one off.
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
#endif
}
