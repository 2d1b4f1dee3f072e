#include "core/util/numbers.h"
#include "fuzz_targets.h"

#include <cmath>
#include <cstring>

namespace {
bool sameValue(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void checkText(const QString &text)
{
    const double v = Val(text);
    FUZZ_CHECK(!std::isnan(v));

    // Blanks are ignored wherever they stand.
    for (qsizetype at : {qsizetype(0), text.size() / 2, text.size()}) {
        QString spaced = text;
        spaced.insert(at, u' ');
        FUZZ_CHECK(sameValue(Val(spaced), v));
    }

    qint16 small = 0;
    if (ToInt16(v, small))
        FUZZ_CHECK(small == std::nearbyint(v));
    else
        FUZZ_CHECK(!std::isfinite(v) || std::fabs(std::nearbyint(v)) > 32767);
    qint32 large = 0;
    if (ToInt32(v, large)) {
        FUZZ_CHECK(large == std::nearbyint(v));
        // What the number patterns write reads back as the same number.
        FUZZ_CHECK(Val(FormatPlain(large)) == large);
        FUZZ_CHECK(Val(FormatAtLeastOne(large)) == large);
        FUZZ_CHECK(Val(FormatZeroPad(large, 4)) == large);
    } else {
        FUZZ_CHECK(!std::isfinite(v) || std::fabs(std::nearbyint(v)) > 2147483647.0);
    }
    FormatBlankZero(v);
    FormatGrouped(v);
    YenForDisplay(FormatYen(v));
}
} // namespace

void FuzzNumbers(QByteArrayView input)
{
    // The bytes as Latin-1 text (short number-like strings) and as UTF-16.
    checkText(QString::fromLatin1(input));
    QString wide(input.size() / 2, Qt::Uninitialized);
    if (!wide.isEmpty())
        std::memcpy(wide.data(), input.data(), static_cast<size_t>(wide.size()) * 2);
    checkText(wide);
}
