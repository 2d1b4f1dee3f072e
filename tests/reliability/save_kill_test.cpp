// A save loop in a child process killed at random moments: after every kill
// the player's file, its backup and the play-times file each hold one
// complete state, never a mixture or a cut-off file; each child takes over
// the lock its killed predecessor left on the player; and the next opening
// removes the temporary files the killed saves left.

#include "core/model/shared_data.h"
#include "save_variants.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <chrono>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <signal.h>
#include <thread>

using namespace Qt::StringLiterals;

TEST(SaveKill, FileIsAlwaysOneCompleteStateAfterSigkill)
{
    TempDataFolder dir;
    const QByteArray states[2] = {VariantBytes(0), VariantBytes(1)};
    ASSERT_NE(states[0].size(), states[1].size());
    const QByteArray timesOfState1 = VariantTimes(1);
    WriteBytes(dir.file(u"taro.pcd"_s), states[0]);

    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayUs(0, 40000);
    int kills = 0, changes = 0;
    QByteArray last = states[0];
    QElapsedTimer clock;
    clock.start();
    for (; kills < 200 && clock.elapsed() < 60000; ++kills) {
        QProcess child;
        child.start(QStringLiteral(LEDRA_RELIABILITY_HELPER), {u"save-loop"_s, dir.path()});
        ASSERT_TRUE(child.waitForStarted(10000));
        ASSERT_TRUE(child.waitForReadyRead(20000)) << child.readAllStandardError().toStdString();
        ASSERT_EQ(child.readLine().trimmed(), "ready");
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) // killed, not failed
            << child.readAllStandardError().toStdString();

        const QByteArray now = ReadBytes(dir.file(u"taro.pcd"_s));
        ASSERT_TRUE(now == states[0] || now == states[1])
            << "after kill " << kills + 1 << ": " << now.size() << " bytes";
        if (QFile::exists(dir.file(u"taro.Bak"_s))) {
            const QByteArray backup = ReadBytes(dir.file(u"taro.Bak"_s));
            ASSERT_TRUE(backup == states[0] || backup == states[1])
                << "after kill " << kills + 1 << ": backup of " << backup.size() << " bytes";
        }
        const QByteArray times = ReadBytes(dir.file(u"taro.times"_s));
        ASSERT_TRUE(times.isEmpty() || times == timesOfState1)
            << "after kill " << kills + 1 << ": times file of " << times.size() << " bytes";
        changes += now != last;
        last = now;
    }
    std::cout << kills << " kills, the file changed " << changes << " times between kills\n";
    EXPECT_GE(kills, 20);
    EXPECT_GT(changes, 0); // the kills did land while saves were happening

    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    ASSERT_TRUE(OpenPlayer(shared, u"taro"_s).opened);
    EXPECT_EQ(QDir(dir.path()).entryList({u".*"_s}, QDir::Files | QDir::Hidden),
              QStringList{u".taro.pcd.lock"_s});
    EXPECT_EQ(QDir(dir.file(u"backup/taro"_s)).entryList({u".*"_s}, QDir::Files | QDir::Hidden),
              QStringList());
}
