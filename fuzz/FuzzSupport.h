#pragma once

// Shared by the fuzz targets: the input as text, and a failed property as a crash that
// libFuzzer records with the input that caused it.
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline QString fuzzText(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

#define FUZZ_CHECK(condition, ...)                                                                           \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "property failed: %s\n", #condition);                                       \
            std::fprintf(stderr, __VA_ARGS__);                                                               \
            std::fputc('\n', stderr);                                                                        \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)
