#pragma once

// What a process that works on one photo per worker sets once at start-up, before any thread
// starts: OpenCV's own threads off, since they would only compete with the workers; and large
// buffers given back to the system as soon as they are freed. glibc otherwise raises its mmap
// threshold to the largest block freed (up to 32 MB), after which image-sized buffers come from
// per-thread arenas and stay in the process when freed: hundreds of megabytes over a session.
void setUpPhotoWorkers();
