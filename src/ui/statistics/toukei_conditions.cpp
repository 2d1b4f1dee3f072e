// The condition controls of the statistics window and the condition they give.

#include "ui/statistics/toukei.h"

#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "ui/statistics/toukei_labels.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// The year spin stays among four-digit years: a smaller number would be taken
// by the record table as "the last N records", a larger one would not fit.
constexpr int kFirstYear = 1000;
constexpr int kLastYear = 9999;

qint16 captionNumber(const QLabel *label)
{
    qint16 v = 0;
    ToInt16(Val(label->text()), v);
    return v;
}

// The ID of the selected entry; entry 0 ("all") and anything else without an
// entry give 0, no condition.
qint16 selectedId(const QComboBox *combo, const QList<qint16> &ids)
{
    const int k = combo->currentIndex();
    return k >= 1 && k < ids.size() ? ids[k - 1] : qint16(0);
}

void fillCombo(QComboBox *combo, const QString &all, const QList<QString> &names)
{
    combo->clear();
    combo->addItem(all);
    // The last element is the spare that ends every list.
    for (qsizetype i = 0; i + 1 < names.size(); ++i)
        combo->addItem(names[i]);
    combo->setCurrentIndex(0);
}
} // namespace

void Toukei::MasterRead()
{
    SId = QList<qint16>(1);
    SName = QList<QString>(1);
    MId = QList<qint16>(1);
    MName = QList<QString>(1);
    shared_.Stores.ReadData(SId, SName);
    shared_.Machines.ReadData(MId, MName);
}

void Toukei::ComboSet()
{
    fillCombo(JStore, u"すべての店"_s, SName);
    fillCombo(JMachine, u"すべての台"_s, MName);
}

void Toukei::JoukenSet()
{
    if (SAll->isChecked()) {
        shared_.data.JoukenSet(0, 0, 0, 0);
        return;
    }
    qint16 year = 0, month = 0;
    if (JYear->isChecked()) {
        year = captionNumber(JSYear);
    } else if (JMonth->isChecked()) {
        year = captionNumber(JSYear);
        month = captionNumber(JSMonth);
    } else if (J10->isChecked()) {
        year = 10; // the last ten records
    }
    shared_.data.JoukenSet(year, month, selectedId(JStore, SId), selectedId(JMachine, MId));
}

void Toukei::JoukenEnabled(bool En)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{Jouken, JAll, JYear, JMonth, J10, JStore, JMachine})
        w->setEnabled(En);
    const bool year = En && !JAll->isChecked() && !J10->isChecked();
    const bool month = year && JMonth->isChecked();
    JSYear->setEnabled(year);
    JSYearLabel->setEnabled(year);
    JSMonth->setEnabled(month);
    JSMonthLabel->setEnabled(month);
}

void Toukei::SAll_Click()
{
    JoukenEnabled(false);
}

void Toukei::SJouken_Click()
{
    JoukenEnabled(true);
}

void Toukei::JAll_Click()
{
    for (QWidget *w : std::initializer_list<QWidget *>{JSYear, JSYearLabel, JSMonth, JSMonthLabel})
        w->setEnabled(false);
}

void Toukei::JYear_Click()
{
    JSYear->setEnabled(true);
    JSYearLabel->setEnabled(true);
    JSMonth->setEnabled(false);
    JSMonthLabel->setEnabled(false);
}

void Toukei::JMonth_Click()
{
    for (QWidget *w : std::initializer_list<QWidget *>{JSYear, JSYearLabel, JSMonth, JSMonthLabel})
        w->setEnabled(true);
}

void Toukei::J10_Click()
{
    JAll_Click();
}

void Toukei::JSYear_MouseDown(qint16 Button)
{
    const int year = int(Val(JSYear->text())) + (Button == 1 ? -1 : 1);
    JSYear->setText(QString::number(std::clamp(year, kFirstYear, kLastYear)));
}

void Toukei::JSMonth_MouseDown(qint16 Button)
{
    const int year = int(Val(JSYear->text()));
    int month = int(Val(JSMonth->text()));
    if (Button == 1) {
        if (month != 1) {
            --month;
        } else if (year > kFirstYear) {
            month = 12;
            JSYear_MouseDown(1);
        }
    } else {
        if (month != 12) {
            ++month;
        } else if (year < kLastYear) {
            month = 1;
            JSYear_MouseDown(2);
        }
    }
    JSMonth->setText(QString::number(month));
}
