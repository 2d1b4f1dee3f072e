#pragma once
// Two different states of one player, for the save tests: what the helper
// program saves in turns and what the test expects to find on disk.

#include <QByteArray>

struct SharedData;

// Replaces the lists and records by state 0 or 1 (of clearly different sizes).
void FillVariant(SharedData &shared, int variant);
// The complete user data file of that state, as a save writes it.
QByteArray VariantBytes(int variant);
// Its play-times file (state 0 has none).
QByteArray VariantTimes(int variant);
