#include "ui/calendar/year_box.h"

#include "core/util/numbers.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

using namespace Qt::StringLiterals;

YearBox::YearBox(QWidget *parent) : QSpinBox(parent)
{
    setSuffix(u"年"_s);
    // The month follows the year when it is committed, not at every digit.
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

std::optional<int> YearBox::yearOf(const QString &text) const
{
    QString number = text.trimmed();
    if (number.endsWith(suffix()))
        number.chop(suffix().size());
    if (number.trimmed().isEmpty())
        return std::nullopt; // a blank is no year, not 0
    const std::optional<double> value = ReadTypedNumber(number);
    if (!value || *value != std::floor(*value) || *value < minimum() || *value > maximum())
        return std::nullopt;
    return int(*value);
}

// Anything may stand in the box while it is typed: what is no year is refused
// at the commit, with a message, instead of being dropped key by key.
QValidator::State YearBox::validate(QString &text, int &) const
{
    return yearOf(text) ? QValidator::Acceptable : QValidator::Intermediate;
}

int YearBox::valueFromText(const QString &text) const
{
    return yearOf(text).value_or(value());
}

template <typename Commit> void YearBox::committing(Commit &&commit)
{
    const QString typed = lineEdit()->text();
    const bool blank = typed.trimmed() == suffix() || typed.trimmed().isEmpty();
    const bool wrong = !blank && !yearOf(typed);
    commit(); // shows the year the box had when the text is none
    if (wrong)
        emit refused(typed);
}

void YearBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        committing([&] { QSpinBox::keyPressEvent(event); });
    else
        QSpinBox::keyPressEvent(event);
}

void YearBox::focusOutEvent(QFocusEvent *event)
{
    committing([&] { QSpinBox::focusOutEvent(event); });
}
