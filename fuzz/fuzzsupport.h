#pragma once

#include <QString>

class Session;

#include <cstddef>
#include <cstdint>

// A session of generated pictures (an object on a background, a plain picture, a 1x1 and a wide
// strip, indices 0 to 3), made on the first call; libFuzzer gives a target no other place to
// keep it.
Session &fuzzSession();

// The input as text, as QML would hand it over.
QString fuzzText(const uint8_t *data, size_t size);

// Whether running the descriptor costs little: results between 16 megapixels and the refusal
// limit are allocated for real, which would only slow the search down. Their size is checked
// by computing it instead.
bool affordable(const QString &descriptor);
// Whether writing the pair of two descriptors costs little: both halves are, and their joined
// picture is either small or refused before it is allocated.
bool affordablePair(const QString &left, const QString &right);

// Stops the process so that the fuzzer records the input.
[[noreturn]] void fuzzFailure(const char *what);
