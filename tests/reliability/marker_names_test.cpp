// Files decoded in pieces once changed a player's data on the way back in.
// (Names and comments spelled like section markers, the other such fault:
// UserDataFileTest.SavedFileReadsAndWritesBackByteForByte.)

#include "core/file/cp932.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PiecewiseDecoding, SameTextWhereverThePiecesAreCut)
{
    // Two-byte characters, a lead byte without trail at the end, stray bytes.
    const QByteArray bytes = QByteArray("\x82\xa0\x82\xa2,abc\r\n\x81\x5c\x95\x5c\xff\x80\x81", 17);
    const QString whole = DecodeCp932(bytes);
    for (qsizetype step = 1; step <= bytes.size(); ++step) {
        Cp932Decoder decoder;
        QString text;
        for (qsizetype i = 0; i < bytes.size(); i += step)
            text += decoder.decode(bytes.mid(i, step));
        text += decoder.finish();
        EXPECT_EQ(text, whole) << "pieces of " << step;
    }
    EXPECT_TRUE(whole.startsWith(u"あい,abc\r\n―表"_s));
}
