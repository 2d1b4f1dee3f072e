#pragma once
// Sound playback lives in a module of its own (ledra3_sound), loaded when the
// first sound plays: Qt Multimedia brings two dozen libraries that start-up
// need not wait for.

#include <QString>

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Plays a WAV file (a path, or ":/…" for one built into the program); a
    // new sound replaces one still playing.
    virtual void Play(const QString &path) = 0;
};

// The module's one entry point.
using CreateSoundBackendFn = SoundBackend *(*)();
inline constexpr char kCreateSoundBackend[] = "ledraCreateSoundBackend";
