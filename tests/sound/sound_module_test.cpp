#include "sound/sound_backend.h"
#include "support/qt_warnings.h"

#include <QLibrary>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

// The sound module is found by name, creates its player and plays the built-in
// sounds (silently where the machine has no sound device) without a crash,
// once the samples have loaded and reached the audio output too.
TEST(SoundModule, LoadsAndPlays)
{
    QLibrary module(QStringLiteral(LEDRA_SOUND_MODULE));
    auto create = reinterpret_cast<CreateSoundBackendFn>(module.resolve(kCreateSoundBackend));
    ASSERT_NE(create, nullptr) << module.errorString().toStdString();
    std::unique_ptr<SoundBackend> sound(create());
    sound->Play(u":/sounds/sentaku.wav"_s);
    sound->Play(u":/sounds/supura.wav"_s);
    sound->Play(u":/sounds/supura.wav"_s);
    const ExpectedQtWarning missing(u"QSoundEffect(qaudio): Error decoding source"_s);
    sound->Play(u"/no/such/file.wav"_s);
    // Long enough for the samples to load and reach the audio output.
    QTest::qWait(500);
}
