#include "ui/monthly_chart/monthly_chart_window.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/statistics/totals_text.h"
#include "core/util/numbers.h"
#include "ui/app_font.h"
#include "ui/monthly_chart/monthly_chart.h"
#include "ui/monthly_chart/print_page.h"
#include "ui/twips.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

MonthlyChartWindow::MonthlyChartWindow(SharedData &shared, QWidget *parent)
    : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"るでら３  [月別グラフ]"_s);
    sums_.Calc(shared_.data, shared_.states.WakeKin);
    createControls();

    JKikan->addItem(u"全期間"_s, 0);
    const QList<qint32> years = sums_.Years();
    for (auto it = years.crbegin(); it != years.crend(); ++it)
        JKikan->addItem(u"%1年"_s.arg(*it), *it);
    if (sums_.Undated() > 0)
        HUndated->setText(u"日付が空または正しくない記録 %1件は含まれていません。"_s.arg(
            FormatGrouped(sums_.Undated())));
    HUndated->setVisible(sums_.Undated() > 0);

    connect(JKikan, &QComboBox::currentIndexChanged, this, &MonthlyChartWindow::JKikan_Change);
    connect(SSave, &QPushButton::clicked, this, &MonthlyChartWindow::SSave_Click);
    connect(SPrint, &QPushButton::clicked, this, &MonthlyChartWindow::SPrint_Click);
    connect(TEnd, &QPushButton::clicked, this, &MonthlyChartWindow::TEnd_Click);

    const qint32 thisYear = shared_.platform.Today().year();
    ShowYear(years.contains(thisYear) ? thisYear : 0);
}

void MonthlyChartWindow::createControls()
{
    setFont(UiFont(9));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    auto *kikanLabel = new QLabel(u"期間"_s, this);
    JKikan = new QComboBox(this);
    JKikan->setFont(UiFont(11));
    SSave = new QPushButton(u"画像で保存..."_s, this);
    SPrint = new QPushButton(u"印刷..."_s, this);
    TEnd = new QPushButton(u"閉じる"_s, this);
    for (QPushButton *b : {SSave, SPrint, TEnd})
        b->setAutoDefault(false);
    Chart = new MonthlyChart(this);
    HTotal = new QLabel(this);
    HTotal->setFont(UiFont(10));
    HUndated = new QLabel(this);
    HUndated->setWordWrap(true);

    auto *top = new QHBoxLayout;
    top->addWidget(kikanLabel);
    top->addWidget(JKikan);
    top->addStretch();
    top->addWidget(SSave);
    top->addWidget(SPrint);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(HUndated, 1);
    bottom->addWidget(TEnd);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Chart, 1);
    layout->addWidget(HTotal);
    layout->addLayout(bottom);

    resize(TwipsSize(kDefaultWidth, kDefaultHeight).expandedTo(minimumSizeHint()));
}

void MonthlyChartWindow::ShowYear(qint32 year)
{
    const int index = JKikan->findData(year);
    if (index < 0)
        return;
    year_ = year;
    {
        const QSignalBlocker blocker(JKikan);
        JKikan->setCurrentIndex(index);
    }
    const QList<MonthPoint> series = sums_.MonthlySeries(year);
    QString period = u"記録なし"_s;
    if (year != 0)
        period = u"%1年"_s.arg(year);
    else if (!series.isEmpty())
        period = u"%1年%2月 ～ %3年%4月"_s.arg(series.first().Year)
                     .arg(series.first().Month)
                     .arg(series.last().Year)
                     .arg(series.last().Month);
    Chart->SetSeries(series, period);

    ResultSum total;
    for (const MonthPoint &m : series)
        total.Add(m.Sum);
    HTotal->setText(
        u"合計  "_s + SeisekiText(qint16(total.Kachi), qint16(total.Make), qint16(total.Wake)) +
        u"    収支 "_s + YenForDisplay(FormatYen(double(total.Balance()))) + u"    回収率 "_s +
        FormatPercent(total.PayoutRatio()) + u"    勝率 "_s + FormatPercent(total.WinRate()));
}

void MonthlyChartWindow::JKikan_Change()
{
    ShowYear(JKikan->currentData().toInt());
}

QImage MonthlyChartWindow::Picture() const
{
    const qreal ratio = std::max<qreal>(1, Chart->devicePixelRatioF());
    QImage image((QSizeF(Chart->size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    Chart->Paint(p, Chart->size());
    return image;
}

void MonthlyChartWindow::SSave_Click()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString name = year_ == 0 ? u"月別グラフ.png"_s : u"月別グラフ_%1年.png"_s.arg(year_);
    QString path = shared_.platform.FileDialog(FileDialogMode::Save, u"月別グラフを画像で保存"_s,
                                               QDir(folder).filePath(name), u"PNG画像 (*.png)"_s);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".png"_s;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Picture().save(&buffer, "PNG") || !ReplaceFileContents(path, bytes))
        shared_.platform.MsgBox(u"画像を保存できませんでした。\n"_s +
                                QDir::toNativeSeparators(path));
}

void MonthlyChartWindow::SPrint_Click()
{
    const PrintPageFn print = LoadPrintPage(PrintModule);
    if (!print) {
        shared_.platform.MsgBox(u"印刷の機能が見つからないため印刷できません。"_s);
        return;
    }
    const QSizeF shown = Chart->size();
    const PrintOutcome outcome = print(shared_.platform, this, u"月別グラフ"_s, shown,
                                       [this, shown](QPainter &p) { Chart->Paint(p, shown); });
    if (outcome == PrintOutcome::Failed)
        shared_.platform.MsgBox(u"印刷できませんでした。"_s);
}

void MonthlyChartWindow::TEnd_Click()
{
    close();
}
