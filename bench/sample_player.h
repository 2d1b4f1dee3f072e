#pragma once
// The benchmarks' player: records over 50 stores and 80 machines, made here
// by a fixed random sequence so that every run measures the same data.

#include "quiet_platform.h"

#include <QString>

struct SharedData;

// The sizes every figure is measured at (32767 is the table's limit).
inline constexpr int kSmallPlayer = 100;
inline constexpr int kMediumPlayer = 2000;
inline constexpr int kFullPlayer = 32767;

inline constexpr int kSampleStores = 50;
inline constexpr int kSampleMachines = 80;

// Replaces the player's lists and records by the sample: dates from 1990 on in
// order, up to a few visits a day, amounts in steps of 500 yen (so that many
// balances are equal), a comment on every third visit. Sound is off.
void FillSamplePlayer(SharedData &shared, int records);

// Writes the sample player's file "<name>.pcd" into dir through the ordinary
// save; false on failure.
bool WriteSamplePlayer(const QString &dir, const QString &name, int records);
