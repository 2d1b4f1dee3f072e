#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "fuzz_targets.h"
#include "quiet_platform.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QUndoStack>

using namespace Qt::StringLiterals;

void FuzzEntryPaste(QByteArrayView input)
{
    // Two bytes choose the cell pasted into; the rest is the clipboard text.
    if (input.size() < 2)
        return;
    QuietPlatform platform;
    SharedData shared(platform);
    ChangePlayerData(shared,
                     DataChange{QList<PlayRecord>{{2001, 4, 1, 10000, 8500, 3, 7, u"初打ち"_s},
                                                  {2001, 4, 2, 2000, 0, 0, 0, QString()}},
                                QList<MasterEntry>{{3, u"駅前"_s}, {5, u"本町"_s}},
                                QList<MasterEntry>{{7, u"海物語"_s}}});

    Nyuuryoku window(shared);
    DataGrid &grid = *window.IGrid;
    const int rows = grid.Rows();
    const int row = 1 + static_cast<unsigned char>(input[0]) % (rows - 1);
    const int col = static_cast<unsigned char>(input[1]) % grid.Cols();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(input.sliced(2)));
    grid.SetRow(row);
    grid.SetCol(col);
    grid.SetRowSel(row);
    grid.SetColSel(col);
    window.EPaste_Click();
    FUZZ_CHECK(grid.Rows() >= rows);

    // Undo brings back the grid as it was opened.
    window.undoStack()->undo();
    FUZZ_CHECK(grid.Rows() == rows);
    FUZZ_CHECK(grid.TextMatrix(1, 0) + grid.TextMatrix(1, 11) == u"2001初打ち"_s);
    window.undoStack()->redo();

    // Storing takes only complete, valid rows, or refuses with a message.
    const int messages = platform.messages;
    window.ISave_Click();
    if (platform.messages > messages)
        return;
    FUZZ_CHECK(shared.data.ListCount() <= Data::kMaxRecords);
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n) {
        const PlayRecord &r = shared.data.Record(n);
        FUZZ_CHECK(QDate(r.DYear, r.DMonth, r.DDay).isValid());
        FUZZ_CHECK(r.DToushi != 0 || r.DKaishuu != 0);
        for (qint16 minute : {r.startMinute, r.endMinute})
            FUZZ_CHECK(minute == kNoTime || (minute >= 0 && minute < 24 * 60));
        // Details as their readers give them: in range, tags in their one form.
        FUZZ_CHECK(!r.rate.IsSet() || (r.rate.price > 0 && r.rate.price <= kMaxRatePrice));
        FUZZ_CHECK(r.spins == kNoCount || (r.spins >= 0 && r.spins <= kMaxSpins));
        FUZZ_CHECK(r.jackpots == kNoCount || (r.jackpots >= 0 && r.jackpots <= kMaxJackpots));
        FUZZ_CHECK(TagsFromText(TagsText(r.tags)) == r.tags);
    }
}
