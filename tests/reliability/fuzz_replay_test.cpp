// Every input the fuzzers once failed on, and their starting inputs, run again as
// ordinary tests (under the sanitizer build too).

#include "fuzz_targets.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::StringLiterals;

// Names the parameter in test listings.
void PrintTo(const FuzzTarget &target, std::ostream *out)
{
    *out << target.name;
}

class FuzzReplay : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzReplay, KeptInputsPassAgain)
{
    const FuzzTarget target = GetParam();
    int replayed = 0;
    for (const QString &kind : {u"crashes"_s, u"corpus"_s}) {
        const QDir folder(QStringLiteral(LEDRA_FUZZ_DIR) + u'/' + kind + u'/' +
                          QString::fromLatin1(target.name));
        for (const QString &name : folder.entryList(QDir::Files)) {
            SCOPED_TRACE(QString(kind + u'/' + name).toStdString());
            const QByteArray input = ReadBytes(folder.filePath(name));
            target.run(input);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kFuzzTargets),
                         [](const auto &info) { return std::string(info.param.name); });
