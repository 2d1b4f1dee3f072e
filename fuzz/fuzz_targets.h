#pragma once
// The fuzz targets. Each takes arbitrary bytes, must neither crash nor hang,
// and stops the program (FUZZ_CHECK) when a property of the code under test
// does not hold. The fuzzer programs and the replay tests call them alike.

#include <QByteArrayView>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The item reader on decoded text, and piecewise decoding against whole.
void FuzzItemReader(QByteArrayView input);
// A player file (and the same bytes as its play times) opened, saved and
// opened again.
void FuzzPlayerFile(QByteArrayView input);
// The previous version's "Name.Dat" and "Data.Dat", read and converted.
void FuzzOldFiles(QByteArrayView input);
// Number values of cell texts and the whole-number conversions.
void FuzzNumbers(QByteArrayView input);
// Clipboard text pasted into the entry grid, the rows recomputed and stored.
void FuzzEntryPaste(QByteArrayView input);

struct FuzzTarget {
    const char *name; // also the folder name under fuzz/corpus and fuzz/crashes
    void (*run)(QByteArrayView input);
};

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"item_reader", FuzzItemReader}, {"player_file", FuzzPlayerFile}, {"old_files", FuzzOldFiles},
    {"numbers", FuzzNumbers},        {"entry_paste", FuzzEntryPaste},
};
