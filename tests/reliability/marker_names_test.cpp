// Names and comments that look like section markers, and files decoded in
// pieces: both once lost or changed a player's data on the way back in.

#include "core/file/cp932.h"
#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MarkerNames, NamesAndCommentsSpelledLikeMarkersComeBackAsTheyWere)
{
    TempWorkDir dir;
    FakePlatform platform;
    SharedData shared(platform);
    shared.Stores.WriteData({1, 2, 0}, {u"<Data>"_s, u"<MachineData>"_s, QString()});
    shared.Machines.WriteData({1, 0}, {u"<States>"_s, QString()});
    shared.data.DataWrite(2001, 1, 1, 100, 300, 1, 1, u"<StoreData>"_s);
    shared.data.DataWrite(2001, 1, 2, 100, 0, 2, 1, u"<Data>"_s);
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));

    SharedData again(platform);
    OpenPlayer(again, u"taro"_s);
    EXPECT_EQ(again.Stores.Entries(), shared.Stores.Entries());
    EXPECT_EQ(again.Machines.Entries(), shared.Machines.Entries());
    ASSERT_EQ(again.data.ListCount(), 2);
    EXPECT_EQ(again.data.Record(1), shared.data.Record(1));
    EXPECT_EQ(again.data.Record(2), shared.data.Record(2));
    EXPECT_TRUE(platform.messages.isEmpty());
}

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
