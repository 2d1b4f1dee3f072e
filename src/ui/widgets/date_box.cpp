#include "ui/widgets/date_box.h"

#include "core/util/numbers.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"

#include <QCalendarWidget>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTextCharFormat>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
// "/", "-" and "."; and what an input method in kana mode types for those
// keys: "・", "ー", "。" (full width or half width).
bool isSeparator(const QString &text)
{
    static const QString kSeparators = u"/-.・･ーｰ。｡"_s;
    return text.size() == 1 && kSeparators.contains(text[0]);
}

// The key a typed character stands for.
int keyOf(QChar c)
{
    if (c.isDigit() && c.unicode() < 0x80)
        return Qt::Key_0 + (c.unicode() - u'0');
    return c == u'/' ? Qt::Key_Slash : Qt::Key_unknown;
}
} // namespace

DateBox::DateBox(QWidget *parent) : QDateEdit(parent)
{
    // The calendar that drops down names months and weekdays in Japanese, its
    // weeks from Sunday, Saturdays blue as everywhere in the program.
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setDisplayFormat(u"yyyy/MM/dd"_s);
    setCalendarPopup(true);
    QCalendarWidget *calendar = calendarWidget();
    calendar->setFirstDayOfWeek(Qt::Sunday);
    QTextCharFormat saturday = calendar->weekdayTextFormat(Qt::Saturday);
    saturday.setForeground(ReadableOn(kSaturdayColor, calendar->palette().color(QPalette::Base)));
    calendar->setWeekdayTextFormat(Qt::Saturday, saturday);
    setAttribute(Qt::WA_InputMethodEnabled);
    setInputMethodHints(Qt::ImhDate | Qt::ImhPreferNumbers);
    lineEdit()->installEventFilter(this);
}

void DateBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = HalfWidthForms(event->text());
    const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (plain && isSeparator(typed)) {
        if (std::exchange(movedOn_, false)) {
            event->accept(); // already on the section this separator leads to
            return;
        }
        QKeyEvent slash(event->type(), Qt::Key_Slash, event->modifiers(), u"/"_s);
        QDateEdit::keyPressEvent(&slash);
        event->setAccepted(slash.isAccepted());
        return;
    }
    const int section = currentSectionIndex();
    if (plain && typed.size() == 1 && typed[0].isDigit())
        selectFullSection();
    if (plain && typed.size() == 1 && typed != event->text()) {
        // A full-width digit typed directly: the ASCII key it stands for.
        QKeyEvent ascii(event->type(), keyOf(typed[0]), event->modifiers(), typed);
        QDateEdit::keyPressEvent(&ascii);
        event->setAccepted(ascii.isAccepted());
    } else {
        QDateEdit::keyPressEvent(event);
    }
    movedOn_ = plain && typed.size() == 1 && typed[0].isDigit() && currentSectionIndex() > section;
}

bool DateBox::event(QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        movedOn_ = false;
    // The spin box passes input method events on to its line edit itself;
    // what a composition commits is typed here instead.
    if (event->type() == QEvent::InputMethod) {
        auto *input = static_cast<QInputMethodEvent *>(event);
        if (!input->preeditString().isEmpty())
            selectFullSection(); // the composition shows in place of the section
        if (!input->commitString().isEmpty()) {
            typeCommitted(input);
            return true;
        }
    }
    return QDateEdit::event(event);
}

bool DateBox::eventFilter(QObject *watched, QEvent *event)
{
    // A click picks a section: a "/" typed next moves on from there.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        movedOn_ = false;
    return QDateEdit::eventFilter(watched, event);
}

void DateBox::selectFullSection()
{
    const QLineEdit *edit = lineEdit();
    if (edit->hasSelectedText()) {
        // A selection across sections (Ctrl+A) would take no digit at all:
        // typing replaces it from its first section on, as in any text box.
        const int start = edit->selectionStart();
        const QString text = edit->text();
        const qsizetype first = text.left(start).count(u'/');
        if (text.mid(start, edit->selectedText().size()).contains(u'/'))
            setSelectedSection(sectionAt(int(first)));
        return;
    }
    // A click leaves the cursor inside a section, where a full section takes
    // no more digits: the digits typed there replace the section instead.
    const Section section = currentSection();
    const int full = section == YearSection ? 4 : 2;
    if (sectionText(section).size() >= full)
        setSelectedSection(section);
}

void DateBox::typeCommitted(QInputMethodEvent *event)
{
    // The composition ends; what it committed is typed key by key, so that it
    // goes through the same sections and separators as the keyboard.
    QInputMethodEvent ended(event->preeditString(), event->attributes());
    QDateEdit::event(&ended);
    for (const QChar c : HalfWidthForms(event->commitString())) {
        QKeyEvent key(QEvent::KeyPress, keyOf(c), Qt::NoModifier, QString(c));
        keyPressEvent(&key);
    }
    event->accept();
}
