#include "ui/app_style.h"

#include "ui/readable_colors.h"

#include <QApplication>
#include <QIconEngine>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// An icon of a style that is asked for only when it is first used.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap which)
        : style_(style), which_(which)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return u"ledra-deferred"_s; }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (!loaded_) {
            loaded_ = true;
            if (style_)
                icon_ = style_->standardIcon(which_);
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    bool loaded_ = false;
    QIcon icon_;
};
} // namespace

AppStyle::AppStyle() : AppStyle(QStyleFactory::create(QApplication::style()->name())) {}

AppStyle::AppStyle(QStyle *base) : QProxyStyle(base) {}

void AppStyle::polish(QPalette &palette)
{
    QProxyStyle::polish(palette);
    KeepInactiveTextsReadable(palette);
}

QIcon AppStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                             const QWidget *widget) const
{
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIconEngine(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}

QSize TextFitSize(const QPushButton &button)
{
    button.ensurePolished(); // a style may set its margins when it polishes
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (button.autoDefault() || button.isDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    // What the style keeps around the contents of a button of any size.
    option.rect = QRect(0, 0, 400, 200);
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const QFontMetrics metrics = button.fontMetrics();
    return QSize(metrics.horizontalAdvance(button.text()), metrics.height()) + option.rect.size() -
           contents.size();
}

QSize TextFitSize(const QLineEdit &edit, const QString &sample)
{
    edit.ensurePolished();
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.rect = QRect(0, 0, 400, 200);
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins text = edit.textMargins();
    const QFontMetrics metrics = edit.fontMetrics();
    // The edit keeps 2 pixels each side of its text, scrolls unless 2 more
    // are left for the cursor, and keeps 1 above and below.
    const QSize inner(metrics.horizontalAdvance(sample) + 2 * 2 + 2 + text.left() + text.right(),
                      std::max(metrics.height(), 14) + 2 + text.top() + text.bottom());
    return inner + option.rect.size() - contents.size();
}

void FitButton(QPushButton *button, QSize design)
{
    button->setFixedSize(design.expandedTo(TextFitSize(*button)));
}
