// The sound module: QSoundEffect per file, asynchronous, one at a time.

#include "sound/sound_backend.h"

#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
class EffectBackend : public SoundBackend {
public:
    void Play(const QString &path) override
    {
        for (const auto &[name, effect] : effects_)
            effect->stop();
        std::unique_ptr<QSoundEffect> &effect = effects_[path];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(path.startsWith(u':') ? QUrl(u"qrc"_s + path)
                                                    : QUrl::fromLocalFile(path));
            effect->setVolume(0.8f);
        }
        effect->play();
    }

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};
} // namespace

extern "C" Q_DECL_EXPORT SoundBackend *ledraCreateSoundBackend()
{
    return new EffectBackend;
}
