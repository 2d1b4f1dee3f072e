#include "core/file/csv_exchange.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "ui/app_font.h"
#include "ui/app_style.h"
#include "ui/calendar/calendar_window.h"
#include "ui/csv_exchange/csv_dialogs.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/main_form.h"
#include "ui/master_editors/master_editor.h"
#include "ui/monthly_chart/monthly_chart_window.h"
#include "ui/player_select/player_select.h"
#include "ui/readable_colors.h"
#include "ui/statistics/toukei.h"
#include "ui/summary_table/summary_table.h"
#include "ui/widgets/data_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTableView>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
QImage pixels(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}
} // namespace

// The menu bar's "more" icon is only read when used, and is then the style's
// own; other icons come straight from the style.
TEST(AppStyle, DeferredIconsAreTheStylesOwn)
{
    AppStyle style;
    EXPECT_EQ(style.baseStyle()->name(), QApplication::style()->name());
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                       QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        const QIcon icon = style.standardIcon(which);
        const QIcon own = style.baseStyle()->standardIcon(which);
        ASSERT_FALSE(own.isNull());
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(pixels(icon), pixels(own));
        EXPECT_EQ(icon.actualSize(QSize(16, 16)), own.actualSize(QSize(16, 16)));
    }
}

TEST(AppStyle, DeferredIconOutlivingItsStyleIsEmpty)
{
    QIcon icon;
    {
        AppStyle style;
        icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    }
    EXPECT_TRUE(icon.isNull());
    EXPECT_TRUE(icon.pixmap(QSize(16, 16)).isNull());
}

// The font names only the installed family Qt would pick from the whole list,
// so the text looks as before.
TEST(UiFont, NamesTheInstalledFamilyQtWouldPick)
{
    const QFont font = UiFont(12);
    EXPECT_EQ(font.pointSizeF(), 12.0);
    QFont listed;
    listed.setFamilies({u"MS PGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s, u"sans-serif"_s});
    listed.setPointSizeF(12);
    EXPECT_EQ(QFontInfo(font).family(), QFontInfo(listed).family());
    if (font.families().size() == 1)
        EXPECT_TRUE(QFontDatabase::hasFamily(font.families().front()));
    else
        EXPECT_EQ(font.families(), listed.families()); // none installed: the whole list
}

// A grid of a fixed size (the entry window's) shows as many rows in every
// style, whatever room the style wants around its titles.
TEST(GridLook, AsManyRowsInEveryStyle)
{
    FakePlatform platform;
    SharedData shared{platform};
    const auto rows = [&] {
        Nyuuryoku entry(shared);
        entry.show();
        QCoreApplication::processEvents();
        const QTableView &grid = *entry.IGrid;
        return std::pair(grid.rowHeight(0), grid.viewport()->height() / grid.rowHeight(0));
    };
    const auto plain = rows();
    EXPECT_EQ(plain.first, QFontMetrics(UiFont(9)).height() + 4);
    const QString style = QApplication::style()->name();
    for (const QString &other : QStyleFactory::keys()) {
        QApplication::setStyle(other);
        EXPECT_EQ(rows(), plain) << other.toStdString();
    }
    QApplication::setStyle(style);
}

// ------------------------------------------------------------ dark desktops

namespace {
// qt6ct's "darker" colour scheme: light text on dark windows and boxes. Its
// inactive windows get the texts of disabled controls, as some dark styles
// give them (Adwaita-Dark), which the program's style keeps readable.
QPalette darkPalette()
{
    QPalette p;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::WindowText, QColor(0xffffff)},   {QPalette::Button, QColor(0x424245)},
        {QPalette::Light, QColor(0x979797)},        {QPalette::Midlight, QColor(0x5e5c5b)},
        {QPalette::Dark, QColor(0x302f2e)},         {QPalette::Mid, QColor(0x4a4947)},
        {QPalette::Text, QColor(0xffffff)},         {QPalette::BrightText, QColor(0xffffff)},
        {QPalette::ButtonText, QColor(0xffffff)},   {QPalette::Base, QColor(0x3d3d3d)},
        {QPalette::Window, QColor(0x222020)},       {QPalette::Shadow, QColor(0xe7e4e0)},
        {QPalette::Highlight, QColor(0x12608a)},    {QPalette::HighlightedText, QColor(0xf9f9f9)},
        {QPalette::AlternateBase, QColor(0x5c5b5a)}};
    for (const auto &[role, colour] : roles)
        p.setColor(role, colour);
    for (const QPalette::ColorGroup group : {QPalette::Disabled, QPalette::Inactive})
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(group, role, QColor(0x808080));
    return p;
}

// A desktop whose colour scheme comes with its platform theme (qt6ct): the
// palette the program's style is given to polish.
class SchemeStyle : public QProxyStyle {
public:
    SchemeStyle(const QString &style, const QPalette &scheme) : QProxyStyle(style), scheme_(scheme)
    {}
    void polish(QPalette &palette) override { palette = scheme_; }
    using QProxyStyle::polish;

private:
    QPalette scheme_;
};

// The program's style over a desktop's style, with the desktop's palette.
void useDesktop(QStyle *desktop)
{
    QApplication::setStyle(new AppStyle(desktop));
    QApplication::setPalette(QPalette()); // nothing of our own: the desktop's
}

QImage drawn(QWidget *widget)
{
    QImage image(widget->size() * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(4); // the glyphs' inner pixels are the text colour itself
    widget->render(&image);
    return image;
}

// The contrast of a widget's text as drawn: each pixel the text changes
// against the same pixel drawn without the text; the best of them. 0 when the
// text changes nothing.
double drawnContrast(QWidget *widget)
{
    const QVariant text = widget->property("text");
    const QImage with = drawn(widget);
    widget->setProperty("text", QString());
    const QImage without = drawn(widget);
    widget->setProperty("text", text);
    double best = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                best =
                    std::max(best, ContrastRatio(with.pixelColor(x, y), without.pixelColor(x, y)));
    return best;
}

// A text drawn in a rectangle (logical pixels) of an image: the rectangle's
// commonest colour (the background) and the best contrast of a pixel against
// it. A pixel's margin is left out, where focus frames and lines are drawn.
std::pair<QRgb, double> cellContrast(const QImage &image, const QRect &cell)
{
    const QRect r = QRect(cell.topLeft() * 4, cell.size() * 4).adjusted(4, 4, -4, -4);
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb back = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(back, most) = std::pair(it.key(), it.value());
    double best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, ContrastRatio(QColor(it.key()), QColor(back)));
    return {back, best};
}

// How well one text of a window reads.
struct Reading {
    std::string what;
    double contrast;
    QRgb back = 0; // a table's cell: its background; 0 for other texts
};
using Readings = std::vector<Reading>;

// Every title and every cell with a text of a table or a list (its first rows).
void readItems(QAbstractItemView *view, Readings &out)
{
    QAbstractItemModel *model = view->model();
    auto *table = qobject_cast<QTableView *>(view);
    QHeaderView *titles = table ? table->horizontalHeader() : nullptr;
    const bool titled = titles && titles->isVisible() && !titles->size().isEmpty();
    const QImage header = titled ? drawn(titles) : QImage(), cells = drawn(view->viewport());
    for (int c = 0; c < model->columnCount(); ++c) {
        if (table && (table->isColumnHidden(c) || table->columnWidth(c) < 8))
            continue;
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        if (titled && !title.isEmpty()) {
            const QRect r(titles->sectionViewportPosition(c), 0, titles->sectionSize(c),
                          titles->height());
            if (titles->rect().contains(r)) // not scrolled out of sight
                out.push_back({"title " + title.toStdString(), cellContrast(header, r).second});
        }
        for (int row = 0; row < std::min(model->rowCount(), 6); ++row) {
            const QModelIndex index = model->index(row, c);
            const QRect r = view->visualRect(index);
            if (index.data().toString().isEmpty() || !view->viewport()->rect().contains(r))
                continue;
            const auto [back, contrast] = cellContrast(cells, r);
            out.push_back({index.data().toString().toStdString(), contrast, back});
        }
    }
}

// A control that shows a text: a label (0), a button (1) or a text box (2);
// -1 for others.
int textKind(QWidget *w)
{
    const QVariant text = w->property("text");
    if (text.typeId() != QMetaType::QString || text.toString().isEmpty())
        return -1;
    return qobject_cast<QLabel *>(w)            ? 0
           : qobject_cast<QAbstractButton *>(w) ? 1
           : qobject_cast<QLineEdit *>(w)       ? 2
                                                : -1;
}

// Every enabled label, button, text box, table and list of a window. A
// disabled text recedes: it reads clearly less than the best enabled text of
// its kind in the window; an enabled button reads clearly better than the
// desktop's disabled ones.
Readings readWindow(QWidget *window, const std::string &where)
{
    Readings out;
    std::map<int, double> best;
    std::vector<std::pair<QWidget *, double>> disabled;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *items = qobject_cast<QAbstractItemView *>(w); items && w->isEnabled()) {
            readItems(items, out);
            continue;
        }
        const int kind = textKind(w);
        if (kind < 0)
            continue;
        const double contrast = drawnContrast(w);
        if (!w->isEnabled()) {
            disabled.emplace_back(w, contrast);
            continue;
        }
        const std::string text = w->property("text").toString().toStdString();
        out.push_back({text, contrast});
        best[kind] = std::max(best[kind], contrast);
        // A button that reads hardly better than the desktop's disabled ones
        // looks disabled.
        const QPalette p = QApplication::palette(w);
        if (kind == 1) {
            EXPECT_GE(contrast,
                      1.5 * ContrastRatio(p.color(QPalette::Disabled, w->foregroundRole()),
                                          p.color(QPalette::Disabled, w->backgroundRole())))
                << where << ", looks disabled: " << text;
        }
    }
    for (const auto &[w, contrast] : disabled) {
        if (!best.count(textKind(w)))
            continue;
        EXPECT_LE(contrast * 1.5, best[textKind(w)])
            << where << ", disabled: " << w->property("text").toString().toStdString();
    }
    return out;
}

class DarkDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        style = QApplication::style()->name();
        SetStores(shared, {{1, u"駅前店"_s}});
        SetMachines(shared, {{1, u"海物語"_s}});
        AddRecord(shared, 2001, 3, 4, 10000, 8500, 1, 1, u"朝から"_s);
        AddRecord(shared, 2001, 3, 10, 5000, 12000, 1, 1, QString()); // a Saturday's win
        // Rows already there, one that cannot be read and a store the list lacks.
        preview = CsvExchange::PreviewImport(
            (CsvExchange::RecordsCsv(shared.data, shared.Stores, shared.Machines) +
             u"2001/02/30,,1000,0,,駅前店,海物語,,,\r\n2001/03/11,,1000,0,,新店,海物語,,,\r\n"_s)
                .toUtf8(),
            shared.data, shared.Stores, shared.Machines);
    }
    void TearDown() override
    {
        QApplication::setStyle(style);
        QApplication::setPalette(QPalette());
    }

    QString style;
    FakePlatform platform;
    SharedData shared{platform};
    CsvExchange::ImportPreview preview;
};
} // namespace

// Every text of the windows reads on what is drawn behind it, in the active
// window and in one behind another (a dialog's owner); disabled texts recede.
// Add a row for each window.
TEST_F(DarkDesktop, EveryTextReadsOnItsBackground)
{
    using Open = std::function<std::unique_ptr<QWidget>()>;
    const std::pair<const char *, Open> windows[] = {
        {"main menu",
         [&]() -> std::unique_ptr<QWidget> {
             auto form = std::make_unique<MainForm>(shared);
             form->Form_Activate(); // no player: the save label in grey
             return form;
         }},
        {"main menu, data modified",
         [&]() -> std::unique_ptr<QWidget> {
             auto form = std::make_unique<MainForm>(shared);
             shared.states.Corrected = true;
             form->Form_Activate();
             return form;
         }},
        {"player selection", [&] { return std::make_unique<PSelect>(shared); }},
        {"entry", [&] { return std::make_unique<Nyuuryoku>(shared); }},
        {"statistics", [&] { return std::make_unique<Toukei>(shared); }},
        {"store editor",
         [&] { return std::make_unique<MasterEditor>(shared, MasterEditor::Kind::MiseAdd); }},
        {"summary table", [&] { return std::make_unique<Shuukei>(shared); }},
        {"calendar",
         [&]() -> std::unique_ptr<QWidget> {
             auto calendar = std::make_unique<CalendarWindow>(shared);
             calendar->ShowMonth(2001, 3, 4);
             return calendar;
         }},
        {"calendar, a day without visits",
         [&]() -> std::unique_ptr<QWidget> {
             auto calendar = std::make_unique<CalendarWindow>(shared);
             calendar->ShowMonth(2001, 3, 5);
             return calendar;
         }},
        {"monthly chart",
         [&]() -> std::unique_ptr<QWidget> {
             auto chart = std::make_unique<MonthlyChartWindow>(shared);
             chart->ShowYear(2001);
             return chart;
         }},
        {"csv character set",
         [&] { return std::make_unique<CsvEncodingDialog>(u"CSVファイルに書き出す"_s); }},
        {"csv import preview",
         [&] { return std::make_unique<ImportPreviewDialog>(shared, preview, u"a.csv"_s); }},
    };
    // The same window on a light desktop first: a cell whose colours the
    // program fixes (black, red and blue on white) looks the same on both, and
    // may read less than 4.5 : 1 on both.
    const auto compare = [&](const std::string &light, const std::function<QStyle *()> &lightLook,
                             const std::string &dark, const std::function<QStyle *()> &darkLook) {
        for (const auto &window : windows) {
            const Open &open = window.second;
            // Active, then behind another window.
            const auto read = [&open](QStyle *look, const std::string &name) {
                useDesktop(look);
                const std::unique_ptr<QWidget> window = open();
                window->show();
                window->activateWindow();
                QCoreApplication::processEvents();
                EXPECT_TRUE(window->isActiveWindow()) << name;
                Readings both = readWindow(window.get(), name);
                QWidget front;
                front.show();
                front.activateWindow();
                QCoreApplication::processEvents();
                EXPECT_FALSE(window->isActiveWindow()) << name;
                for (Reading &r : readWindow(window.get(), name + " (inactive)")) {
                    r.what += " (inactive)";
                    both.push_back(r);
                }
                return both;
            };
            const std::string name = dark + ", " + window.first;
            const Readings onLight = read(lightLook(), light + ", " + window.first),
                           onDark = read(darkLook(), name);
            ASSERT_EQ(onDark.size(), onLight.size()) << name;
            EXPECT_GT(onDark.size(), 3u) << name;
            for (size_t i = 0; i < onDark.size(); ++i) {
                const bool fixed = onDark[i].back && onDark[i].back == onLight[i].back;
                const double least =
                    fixed ? std::min(kReadableContrast, onLight[i].contrast) : kReadableContrast;
                EXPECT_GE(onDark[i].contrast, least) << name << ": " << onDark[i].what;
            }
        }
    };
    const auto fusion = [] { return QStyleFactory::create(u"Fusion"_s); };
    compare("Fusion", fusion, "dark palette",
            [] { return new SchemeStyle(u"Fusion"_s, darkPalette()); });
    // A style with dark colours of its own (which fades some texts), where installed.
    if (QStyleFactory::keys().contains(u"Adwaita-Dark"_s))
        compare(
            "Adwaita", [] { return QStyleFactory::create(u"Adwaita"_s); }, "Adwaita-Dark",
            [] { return QStyleFactory::create(u"Adwaita-Dark"_s); });
}
