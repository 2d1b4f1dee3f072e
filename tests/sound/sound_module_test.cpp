#include "sound/sound_backend.h"

#include <QCoreApplication>
#include <QLibrary>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

// The sound module is found by name, creates its player and plays the built-in
// sounds (silently where the machine has no sound device) without a crash.
TEST(SoundModule, LoadsAndPlays)
{
    QLibrary module(QStringLiteral(LEDRA_SOUND_MODULE));
    auto create = reinterpret_cast<CreateSoundBackendFn>(module.resolve(kCreateSoundBackend));
    ASSERT_NE(create, nullptr) << module.errorString().toStdString();
    std::unique_ptr<SoundBackend> sound(create());
    sound->Play(u":/sounds/sentaku.wav"_s);
    sound->Play(u":/sounds/supura.wav"_s);
    sound->Play(u":/sounds/supura.wav"_s);
    sound->Play(u"/no/such/file.wav"_s);
    QCoreApplication::processEvents();
}
