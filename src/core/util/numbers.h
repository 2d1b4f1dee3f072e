#pragma once
// Number values of cell texts, checked conversions to 16/32-bit integers and the
// number patterns used on screen. One helper each, used everywhere.

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

// Number value of a text: blanks, tabs and line feeds are ignored wherever they
// stand; then sign, digits, decimal point and exponent as far as they go.
// A text without a leading number is 0. Full-width digits, signs and points
// (what a Japanese input method types) count as their ASCII forms.
double Val(QStringView text);

// The number a person typed or pasted into a field that takes a number: the
// whole text must be one, read as Val reads it, and may also have grouping
// commas ("1,500"), a yen sign before it ("¥500", "-¥500") and "円" after it,
// in ASCII or full-width forms ("－１，０００"); a minus may also be the long
// vowel mark "ー" that an input method in kana mode types for "-". A blank text
// is 0. std::nullopt when anything else stands in the text ("12a", "1.2.3",
// "1,00"): such a text must be refused, never read as 0 or as its start.
std::optional<double> ReadTypedNumber(QStringView text);

// The text with full-width ASCII forms (U+FF01..U+FF5E) and the ideographic
// space as their ASCII forms, for readers of typed numbers and times. Texts
// that are kept as typed (names, comments) are never passed through it.
QString HalfWidthForms(QStringView text);

// Real → whole number, halves to the even neighbour. False (and out untouched)
// when the value does not fit or is not a number.
bool ToInt16(double value, qint16 &out);
bool ToInt32(double value, qint32 &out);

// Whole-number patterns. Reals are rounded halves away from zero.
QString FormatPlain(qint64 value);               // "12", "-5"
QString FormatBlankZero(double value);           // "####" / "##": 0 gives ""
QString FormatAtLeastOne(double value);          // "##0"
QString FormatZeroPad(double value, int digits); // "0000", "00"
QString FormatGrouped(double value);             // "###,##0", "#,###,##0"
QString FormatYen(double value);                 // "\\#,###,##0": "\12,345", "-\12,345"

// An amount in 万 (10,000) or from 1億 (100,000,000) on in 億, with one
// decimal rounded halves away from zero and its sign: 123,450 → "+12.3万",
// −2,147,483,647 → "-21.5億", 0 → "0". For places too small for the exact
// figure, which is then shown beside it (a tooltip).
QString FormatShortAmount(qint64 value);

// numerator × scale ÷ denominator, computed in whole numbers and rounded
// halves away from zero; std::nullopt when the denominator is 0.
std::optional<qint64> ScaledRatio(qint64 numerator, qint64 denominator, qint64 scale);
// Tenths of a percent of numerator ÷ denominator (ScaledRatio by 1,000):
// 1,001 ÷ 2,000 (50.05 %) gives 501.
std::optional<qint64> PercentTenths(qint64 numerator, qint64 denominator);
// Tenths as a grouped number with one decimal: 12345 → "1,234.5", -5 →
// "-0.5"; "—" for none.
QString FormatTenths(std::optional<qint64> tenths);

// A percentage with one decimal, grouped: numerator ÷ denominator exactly
// (1,001 ÷ 2,000 → "50.1%", 25 ÷ 2 → "1,250.0%"); "—" when the denominator is
// 0 (nothing put in, no visit).
QString FormatPercent(qint64 numerator, qint64 denominator);
// The same for a ratio given as a real: rounded as its shortest decimal form
// reads (0.5005 → "50.1%", although the binary value lies just below).
QString FormatPercent(std::optional<double> ratio);

// Shows the yen texts' backslash as the yen sign, as the Japanese fonts did.
QString YenForDisplay(const QString &text);
