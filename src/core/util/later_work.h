#pragma once
// Work that nobody waits for, done on a thread of its own: letting go of
// what is no longer used (the files a save replaced), which costs the system
// time the person would otherwise wait through. Done in the order given;
// what is still waiting when the program ends is done then.

#include <functional>

// Where no thread can be had, work is done at once, here.
void DoLater(std::function<void()> work);

// While one exists, the work given waits: a save syncs its folder without
// the freeing of the files it replaced in the same commit.
class LaterWorkHeld {
public:
    LaterWorkHeld();
    ~LaterWorkHeld();
    LaterWorkHeld(const LaterWorkHeld &) = delete;
    LaterWorkHeld &operator=(const LaterWorkHeld &) = delete;
};

// Returns once the work given so far is done (unless something holds it).
// The benchmarks start each measure from a settled machine with it.
void WaitForLaterWork();
