// The store editor opening over a long list (a hand-made file may hold up to
// 32,767 stores, in any order).

#include "core/model/shared_data.h"
#include "quiet_platform.h"
#include "ui/master_editors/master_editor.h"

#include <QCoreApplication>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// Stores in a shuffled order (a fixed sequence), so that the list is sorted on
// opening.
void fillStores(SharedData &shared, int count)
{
    QList<MasterEntry> stores;
    quint32 state = 12345;
    for (int i = 1; i <= count; ++i) {
        state = state * 1103515245u + 12345u;
        stores.append(
            {qint16(1 + (state >> 8) % quint32(count)), u"ホール"_s + QString::number(i)});
    }
    ChangePlayerData(shared, DataChange{{}, stores, {}});
}

// Construction, reading the list and the first event-loop turn.
void BM_StoreEditorOpen(benchmark::State &state)
{
    QuietPlatform platform;
    SharedData shared(platform);
    fillStores(shared, int(state.range(0)));
    for (auto _ : state) {
        auto editor = std::make_unique<MasterEditor>(shared, MasterEditor::Kind::MiseAdd);
        editor->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(editor->findChild<QListWidget *>(u"SList"_s)->count());
        state.PauseTiming(); // closing is not opening
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StoreEditorOpen)->Arg(8192)->Arg(32767)->Unit(benchmark::kMillisecond);
} // namespace
