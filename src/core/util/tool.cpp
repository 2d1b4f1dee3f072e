#include "core/util/tool.h"

#include "core/model/player_settings.h"
#include "core/platform.h"

#include <QDate>
#include <QFileInfo>

using namespace Qt::StringLiterals;

bool FileCheck(const QString &path)
{
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?'))
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

void SoundPlay(Platform &platform, const States &states, qint16 n)
{
    if (!states.Sound)
        return;
    switch (n) {
    case 1: platform.PlaySound(u"sentaku.wav"_s); break;
    case 2: platform.PlaySound(u"supura.wav"_s); break;
    case 3: platform.Beep(); break;
    default: break;
    }
}

void TimeWait(Platform &platform, double seconds)
{
    platform.TimeWait(seconds);
}

bool YoubiGet(QString &youbi, qint16 year, qint16 month, qint16 day)
{
    static const char16_t *const kNames[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    if (year >= 1950 && year <= 2100 && month >= 1 && month <= 12 && day >= 1 && day <= 31) {
        const QDate date(year, month, day);
        if (date.isValid()) {
            youbi = QString::fromUtf16(kNames[date.dayOfWeek() - 1]);
            return true;
        }
    }
    youbi = u"--"_s;
    return false;
}
