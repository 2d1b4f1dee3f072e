#include "ui/environment_check.h"

#include "core/file/cp932.h"
#include "core/platform.h"

#include <QFontDatabase>

using namespace Qt::StringLiterals;

void KankyouCheckWith(Platform &platform, bool converterFound, bool japaneseFontFound)
{
    const QString nl = u"\r\n"_s;
    if (!converterFound) {
        platform.MsgBox(u"Qt 6 の文字コード変換 (windows-31j)がシステムフォルダに見つかりません"_s +
                        nl + u"ICU 対応の Qt 6 (libqt6core6)をインストールして下さい"_s);
    }
    if (!japaneseFontFound) {
        platform.MsgBox(u"日本語フォント (IPAPGothic)がシステムフォルダに見つかりません"_s + nl +
                        u"fonts-ipafont-gothicをインストールして下さい"_s + nl +
                        u"日本語が表示出来ない可能性があります"_s);
    }
}

void KankyouCheck(Platform &platform)
{
    KankyouCheckWith(platform, Cp932Available(),
                     !QFontDatabase::families(QFontDatabase::Japanese).isEmpty());
}
