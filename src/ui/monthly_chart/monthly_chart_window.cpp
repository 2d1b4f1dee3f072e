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
    createControls();
    connect(periodBox, &QComboBox::currentIndexChanged, this,
            [this] { ShowYear(periodBox->currentData().toInt()); });
    connect(saveButton, &QPushButton::clicked, this, &MonthlyChartWindow::savePicture);
    connect(printButton, &QPushButton::clicked, this, &MonthlyChartWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &MonthlyChartWindow::close);
    connect(&shared_.notifier, &DataNotifier::changed, this, &MonthlyChartWindow::dataChanged);
    dataChanged();
}

void MonthlyChartWindow::createControls()
{
    setFont(UiFont(9));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    auto *periodLabel = new QLabel(u"期間"_s, this);
    periodBox = new QComboBox(this);
    periodBox->setObjectName(u"periodBox"_s);
    periodBox->setFont(UiFont(11));
    saveButton = new QPushButton(u"画像で保存..."_s, this);
    saveButton->setObjectName(u"saveButton"_s);
    printButton = new QPushButton(u"印刷..."_s, this);
    printButton->setObjectName(u"printButton"_s);
    closeButton = new QPushButton(u"閉じる"_s, this);
    closeButton->setObjectName(u"closeButton"_s);
    for (QPushButton *b : {saveButton, printButton, closeButton})
        b->setAutoDefault(false);
    chart = new MonthlyChart(this);
    chart->setObjectName(u"chart"_s);
    totalsLine = new QLabel(this);
    totalsLine->setObjectName(u"totalsLine"_s);
    totalsLine->setFont(UiFont(10));
    undatedNote = new QLabel(this);
    undatedNote->setObjectName(u"undatedNote"_s);
    undatedNote->setWordWrap(true);

    auto *top = new QHBoxLayout;
    top->addWidget(periodLabel);
    top->addWidget(periodBox);
    top->addStretch();
    top->addWidget(saveButton);
    top->addWidget(printButton);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(undatedNote, 1);
    bottom->addStretch(0);
    bottom->addWidget(closeButton, 0, Qt::AlignRight);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(chart, 1);
    layout->addWidget(totalsLine);
    layout->addLayout(bottom);

    resize(TwipsSize(kDefaultWidth, kDefaultHeight).expandedTo(minimumSizeHint()));
}

// The records, the lists or the draw threshold changed (or the window opens):
// the years offered and the chart follow; the year shown stays when it can.
void MonthlyChartWindow::dataChanged()
{
    sums_.Calc(shared_.data, shared_.states.WakeKin);
    const QList<qint32> years = sums_.Years();
    {
        const QSignalBlocker blocker(periodBox);
        periodBox->clear();
        periodBox->addItem(u"全期間"_s, 0);
        for (auto it = years.crbegin(); it != years.crend(); ++it)
            periodBox->addItem(u"%1年"_s.arg(*it), *it);
    }
    if (sums_.Undated() > 0)
        undatedNote->setText(u"日付が空または正しくない記録 %1件は含まれていません。"_s.arg(
            FormatGrouped(sums_.Undated())));
    undatedNote->setVisible(sums_.Undated() > 0);

    const qint32 thisYear = shared_.platform.Today().year();
    const qint32 wanted = year_ >= 0 ? year_ : thisYear;
    ShowYear(years.contains(wanted) ? wanted : 0);
}

void MonthlyChartWindow::ShowYear(qint32 year)
{
    const int index = periodBox->findData(year);
    if (index < 0)
        return;
    year_ = year;
    {
        const QSignalBlocker blocker(periodBox);
        periodBox->setCurrentIndex(index);
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
    chart->SetSeries(series, period);

    ResultSum total;
    for (const MonthPoint &m : series)
        total.Add(m.Sum);
    totalsLine->setText(u"合計  "_s +
                        SeisekiText(qint16(total.Kachi), qint16(total.Make), qint16(total.Wake)) +
                        u"    収支 "_s + YenForDisplay(FormatYen(double(total.Balance()))) +
                        u"    回収率 "_s + FormatPercent(total.Kaishuu, total.Toushi) +
                        u"    勝率 "_s + FormatPercent(total.Kachi, total.Visits));
    chart->SetPageHeader(shared_.states.UserName, totalsLine->text());
}

QImage MonthlyChartWindow::Picture() const
{
    const qreal ratio = std::max<qreal>(1, chart->devicePixelRatioF());
    const QSizeF page(chart->width(), chart->height() + chart->PageHeaderHeight());
    QImage image((page * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    chart->PaintPage(p, page);
    return image;
}

// Through a temporary file renamed into place, like every file: a failure
// leaves what was there before, a link in the file's place is replaced.
void MonthlyChartWindow::writeOut(const QString &path, const QByteArray &bytes,
                                  const QString &failure)
{
    if (!ReplaceFileContents(path, bytes, writeFile))
        shared_.platform.MsgBox(failure + u'\n' + QDir::toNativeSeparators(path));
}

void MonthlyChartWindow::savePicture()
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
    const QString failure = u"画像を保存できませんでした。"_s;
    if (Picture().save(&buffer, "PNG"))
        writeOut(path, bytes, failure);
    else
        shared_.platform.MsgBox(failure + u'\n' + QDir::toNativeSeparators(path));
}

void MonthlyChartWindow::print()
{
    const PrintPageFn printPage = LoadPrintPage(PrintModule);
    if (!printPage) {
        shared_.platform.MsgBox(u"印刷の機能が見つからないため印刷できません。"_s);
        return;
    }
    PrintFile file;
    const PrintOutcome outcome = printPage(
        shared_.platform, this, u"月別グラフ"_s,
        [this](QPainter &p, const QSizeF &page) { chart->PaintPage(p, page); }, file);
    if (outcome == PrintOutcome::Failed)
        shared_.platform.MsgBox(u"印刷できませんでした。"_s);
    else if (outcome == PrintOutcome::Printed && !file.Name.isEmpty())
        writeOut(file.Name, file.Bytes, u"PDFファイルを保存できませんでした。"_s);
}
