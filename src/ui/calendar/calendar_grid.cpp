#include "ui/calendar/calendar_grid.h"

#include "core/model/record_table.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/app_font.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const QColor kDrawColor(0, 0, 0);
const QColor kDrawTint(128, 128, 128);
const QColor kVisitsColor(80, 80, 80);
// Squares outside the month: grey and hatched, so that no day (a draw day's
// grey included) looks like one of them.
const QColor kOutsideBack(236, 236, 236);
const QColor kOutsideHatch(208, 208, 208);
constexpr qreal kHatchStep = 6; // pixels between the hatch lines
constexpr QColor kTodayFrame = kScreenGreen;
const QColor kChosenFrame(255, 140, 0);

constexpr qreal kPadding = 4;        // pixels inside a cell
constexpr qreal kMinPoints = 5;      // the short amounts shrink down to this size
constexpr qreal kReadablePoints = 8; // the exact amounts, down to this size at least
constexpr qreal kBasePoints = 9;     // the window's font
constexpr qreal kMaxPoints = 16;     // cells of a maximised window
constexpr qreal kAmountScale = 1.3;
// The widest short amount there is.
const QString kWidestShort = u"-9,999.9万"_s;

// White tinted towards base by amount (0..1).
QColor tint(const QColor &base, qreal amount)
{
    const auto mix = [amount](int c) { return int(std::lround(255 - amount * (255 - c))); };
    return QColor(mix(base.red()), mix(base.green()), mix(base.blue()));
}

QFont fontAt(qreal points, bool bold = false)
{
    QFont f = UiFont(9);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

qreal widthAt(const QString &text, qreal points, bool bold = false)
{
    return QFontMetricsF(fontAt(points, bold)).horizontalAdvance(text);
}

QString yen(qint64 v)
{
    return YenForDisplay(FormatYen(double(v)));
}
} // namespace

QColor OutcomeColor(qint64 balance, qint32 WakeKin)
{
    switch (Classify(balance, WakeKin)) {
    case Outcome::Win: return kWinColor;
    case Outcome::Loss: return kLossColor;
    case Outcome::Draw: break;
    }
    return kDrawColor;
}

DayCell MakeDayCell(const DaySum *day, qint32 WakeKin, qint64 maxAbs)
{
    DayCell cell{{}, {}, {}, {}, kDrawColor, Qt::white};
    if (!day || day->Sum.Visits == 0)
        return cell;
    const ResultSum &sum = day->Sum;
    const qint64 b = sum.Balance();
    cell.Balance = yen(b);
    cell.Short = FormatShortAmount(b);
    cell.Visits = FormatPlain(sum.Visits) + u"回"_s;
    QString youbi;
    YoubiGet(youbi, qint16(day->Date.year()), qint16(day->Date.month()), qint16(day->Date.day()));
    cell.Tip = u"%1月%2日 (%3)\n"_s.arg(day->Date.month()).arg(day->Date.day()).arg(youbi) +
               cell.Visits + u"  収支 "_s + cell.Balance + u"\n投資 "_s + yen(sum.Toushi) +
               u"  回収 "_s + yen(sum.Kaishuu);
    if (day->Time.TimedVisits > 0)
        cell.Tip += u"\n稼働時間 "_s + PlayTimeText(day->Time) + u"  時給 "_s +
                    YenForDisplay(HourlyText(day->Time));
    if (Classify(b, WakeKin) == Outcome::Draw) {
        cell.Back = tint(kDrawTint, 0.12);
        return cell;
    }
    cell.Fore = OutcomeColor(b, WakeKin);
    // The square root spreads the tints, so that one huge day in a month does
    // not leave every other day white.
    const qreal strength =
        maxAbs > 0 ? std::sqrt(std::min(1.0, qreal(std::abs(b)) / qreal(maxAbs))) : 0;
    cell.Back = tint(cell.Fore, 0.05 + 0.25 * strength);
    return cell;
}

CalendarGrid::CalendarGrid(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFont(UiFont(9));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QStringList CalendarGrid::WeekdayNames()
{
    QStringList names;
    for (qint16 d = 2; d <= 8; ++d) { // 2 January 2000 was a Sunday
        QString youbi;
        YoubiGet(youbi, 2000, 1, d);
        names.append(youbi);
    }
    return names;
}

void CalendarGrid::SetMonth(const MonthGrid &grid, const QList<DaySum> &days, qint32 WakeKin,
                            const QDate &today)
{
    grid_ = grid;
    today_ = today;
    qint64 maxAbs = 0;
    for (const DaySum &d : days)
        maxAbs = std::max(maxAbs, std::abs(d.Sum.Balance()));
    cells_ = QList<DayCell>(grid.Days + 1, MakeDayCell(nullptr, WakeKin, 0));
    for (const DaySum &d : days) {
        if (d.Date.year() == grid.Year && d.Date.month() == grid.Month)
            cells_[d.Date.day()] = MakeDayCell(&d, WakeKin, maxAbs);
    }
    selected_ = std::clamp(selected_, 1, std::max(1, grid.Days));
    fitAmounts();
    update();
}

void CalendarGrid::SetSelectedDay(qint32 day)
{
    selected_ = std::clamp(day, 1, std::max(1, grid_.Days));
    update();
}

DayCell CalendarGrid::Cell(qint32 day) const
{
    return day >= 1 && day < cells_.size() ? cells_[day] : MakeDayCell(nullptr, 0, 0);
}

ShownAmount CalendarGrid::Amount(qint32 day) const
{
    return day >= 1 && day < shown_.size() ? shown_[day] : ShownAmount();
}

qreal CalendarGrid::titleHeight() const
{
    return QFontMetricsF(fontAt(kBasePoints)).height() + 6;
}

QRectF CalendarGrid::CellRect(qint32 cell) const
{
    const qint32 weeks = std::max<qint32>(grid_.Weeks(), 1);
    const qreal top = titleHeight();
    const qreal w = width() / 7.0;
    const qreal h = (height() - top) / weeks;
    return QRectF((cell % 7) * w, top + (cell / 7) * h, w, h);
}

// The day numbers' size: grows with the cells up to kMaxPoints, as long as a
// day number line and an amount line fit one above the other.
qreal CalendarGrid::basePointSize() const
{
    const qreal cellHeight = CellRect(0).height();
    // About a sixth of the cell's height (in pixels, 0.75 point each).
    qreal points = std::clamp(std::floor(cellHeight * 0.75 / 6 * 2) / 2, kBasePoints, kMaxPoints);
    while (points > kBasePoints && QFontMetricsF(fontAt(points)).height() +
                                           QFontMetricsF(fontAt(points * kAmountScale)).height() +
                                           3 * kPadding >
                                       cellHeight)
        points -= 0.5;
    return points;
}

// The amounts of the month share the largest size at which all of them fit,
// down to three quarters of the full size: an amount that would need less (a
// huge one beside ordinary ones) is written short instead, and does not make
// the others small.
void CalendarGrid::fitAmounts()
{
    basePoints_ = basePointSize();
    const qreal room = CellRect(0).width() - 2 * kPadding;
    const qreal largest = basePoints_ * kAmountScale;
    const qreal readable = std::max(kReadablePoints, largest * 0.75);
    const auto fit = [&](const QString &text, qreal from, qreal smallest) {
        qreal points = from;
        while (points > smallest && widthAt(text, points, true) > room)
            points -= 0.5;
        return points;
    };
    shown_ = QList<ShownAmount>(cells_.size());
    qreal common = largest;
    for (qsizetype day = 1; day < cells_.size(); ++day) {
        const DayCell &c = cells_[day];
        if (c.Balance.isEmpty())
            continue;
        const qreal points = fit(c.Balance, common, readable);
        if (widthAt(c.Balance, points, true) <= room) {
            shown_[day].Text = c.Balance;
            common = points;
        } else {
            shown_[day].Text = c.Short;
        }
    }
    for (qsizetype day = 1; day < cells_.size(); ++day) {
        ShownAmount &a = shown_[day];
        if (!a.Text.isEmpty())
            a.Points = a.Text == cells_[day].Balance ? common : fit(a.Text, common, kMinPoints);
    }
}

QSize CalendarGrid::minimumSizeHint() const
{
    const qreal line = QFontMetricsF(fontAt(kBasePoints)).height();
    const qreal amount = QFontMetricsF(fontAt(kBasePoints * kAmountScale)).height();
    const int cellHeight = int(std::ceil(line + amount + 3 * kPadding));
    const qreal widest = widthAt(kWidestShort, kReadablePoints, true);
    const int cellWidth = std::max(60, int(std::ceil(widest + 2 * kPadding)) + 1);
    return QSize(7 * cellWidth, int(std::ceil(titleHeight())) + 6 * cellHeight);
}

QSize CalendarGrid::sizeHint() const
{
    return minimumSizeHint() * 1.25;
}

void CalendarGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitAmounts();
}

qint32 CalendarGrid::dayAt(const QPointF &pos) const
{
    const qint32 weeks = std::max<qint32>(grid_.Weeks(), 1);
    for (qint32 cell = 0; cell < weeks * 7; ++cell) {
        if (CellRect(cell).contains(pos))
            return grid_.DayAt(cell);
    }
    return 0;
}

bool CalendarGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = Cell(dayAt(help->pos())).Tip;
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void CalendarGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QStringList names = WeekdayNames();
    const qreal top = titleHeight();
    p.setFont(fontAt(kBasePoints));
    for (int col = 0; col < 7; ++col) {
        const QRectF r(col * width() / 7.0, 0, width() / 7.0, top);
        p.fillRect(r, kGridTitleBack);
        const QColor colour = col == 0 ? kSundayColor : col == 6 ? kSaturdayColor : Qt::black;
        p.setPen(ReadableOn(colour, kGridTitleBack));
        p.drawText(r, Qt::AlignCenter, names[col]);
    }
    const qint32 cells = std::max<qint32>(grid_.Weeks(), 1) * 7;
    for (qint32 cell = 0; cell < cells; ++cell)
        paintCell(p, cell);

    p.setPen(QPen(kGridLines, 1));
    for (int col = 1; col < 7; ++col)
        p.drawLine(QPointF(col * width() / 7.0, 0), QPointF(col * width() / 7.0, height()));
    for (qint32 row = 0; row <= cells / 7; ++row) {
        const qreal y = row == 0 ? top : CellRect(row * 7).top();
        p.drawLine(QPointF(0, y), QPointF(width(), y));
    }

    // Frames last, so that the lines between the cells do not cut them.
    const auto frame = [&](qint32 day, const QColor &colour, qreal w) {
        const QRectF r = CellRect(grid_.CellOf(day)).adjusted(w / 2, w / 2, -w / 2, -w / 2);
        p.setPen(QPen(colour, w));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    };
    if (today_.year() == grid_.Year && today_.month() == grid_.Month)
        frame(today_.day(), kTodayFrame, 2);
    if (grid_.DayAt(grid_.CellOf(selected_)) != 0)
        frame(selected_, hasFocus() ? kChosenFrame : kChosenFrame.lighter(130), 3);
}

void CalendarGrid::paintCell(QPainter &p, qint32 cell) const
{
    const QRectF r = CellRect(cell);
    const qint32 day = grid_.DayAt(cell);
    if (day == 0) {
        p.fillRect(r, kOutsideBack);
        // Lines x + y = c for every step of c, so that they run on unbroken
        // from one square to the next.
        p.save();
        p.setClipRect(r);
        p.setPen(QPen(kOutsideHatch, 1));
        for (qreal c = std::ceil((r.left() + r.top()) / kHatchStep) * kHatchStep;
             c < r.right() + r.bottom(); c += kHatchStep)
            p.drawLine(QPointF(c - r.top(), r.top()), QPointF(c - r.bottom(), r.bottom()));
        p.restore();
        return;
    }
    const DayCell &c = cells_[day];
    p.fillRect(r, c.Back);
    const QRectF inner = r.adjusted(kPadding, kPadding / 2, -kPadding, -kPadding / 2);

    // Day number and number of visits share the top line; the visits give way
    // in size when a day has very many of them.
    const qreal base = basePoints_;
    const int column = cell % 7;
    p.setFont(fontAt(base));
    const QColor dayColour = column == 0   ? kSundayColor
                             : column == 6 ? kSaturdayColor
                                           : QColor(Qt::black);
    p.setPen(ReadableOn(dayColour, c.Back));
    const QString number = QString::number(day);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, number);
    if (!c.Visits.isEmpty()) {
        const qreal room = inner.width() - widthAt(number + u"  "_s, base);
        qreal points = base * 0.9;
        while (points > kMinPoints && widthAt(c.Visits, points) > room)
            points -= 0.5;
        p.setFont(fontAt(points));
        p.setPen(ReadableOn(kVisitsColor, c.Back));
        p.drawText(inner, Qt::AlignRight | Qt::AlignTop, c.Visits);
    }
    const ShownAmount &amount = shown_[day];
    if (!amount.Text.isEmpty()) {
        p.setFont(fontAt(amount.Points, true));
        p.setPen(ReadableOn(c.Fore, c.Back));
        const qreal top = inner.top() + QFontMetricsF(fontAt(base)).height();
        p.drawText(QRectF(inner.left(), top, inner.width(), inner.bottom() - top), Qt::AlignCenter,
                   amount.Text);
    }
}

void CalendarGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (const qint32 day = dayAt(event->position()))
        emit dayClicked(day);
}

void CalendarGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
        emit keyPress(event->key());
        event->accept();
        return;
    default: QWidget::keyPressEvent(event);
    }
}
