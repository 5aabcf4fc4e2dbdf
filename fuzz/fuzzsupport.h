#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// A small store of generated pictures (an object on a background, a plain picture, a 1x1 and a
// wide strip), filled once per fuzzing process. Returns the number of images.
int fillFuzzStore();

// The input as text, as QML would hand it over.
QString fuzzText(const uint8_t *data, size_t size);

// Whether running the descriptor costs little: results between 16 megapixels and the refusal
// limit are allocated for real, which would only slow the search down. Their size is checked
// by computing it instead.
bool affordable(const QString &descriptor);

// Stops the process so that the fuzzer records the input.
[[noreturn]] void fuzzFailure(const char *what);
