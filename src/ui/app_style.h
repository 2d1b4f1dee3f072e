#pragma once

#include <QProxyStyle>
#include <QSize>

class QLineEdit;
class QPushButton;

// The program's style: the one Qt chose (platform or -style), except that
// - the icon of the "more" button at the end of a menu bar is read only when
//   that button is first drawn. Qt reads it for every menu bar it makes, and
//   reading it loads every image format plugin: a tenth of the start-up time;
// - the texts of inactive windows stay readable (KeepInactiveTextsReadable).
class AppStyle : public QProxyStyle {
public:
    // Wraps a new instance of the style the application uses now.
    AppStyle();
    // Wraps base (and owns it).
    explicit AppStyle(QStyle *base);

    void polish(QPalette &palette) override;
    using QProxyStyle::polish;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

// Sizes from the style in use, so that a style with wider frames or margins
// never cuts a text. The style's size hint may ask for more (a minimum width
// for every button); these are the least that shows the text whole.

// A button's text and the style's frame around it.
QSize TextFitSize(const QPushButton &button);
// A line edit that shows sample whole: the text, the edit's margins and
// cursor, and the style's frame.
QSize TextFitSize(const QLineEdit &edit, const QString &sample);

// Gives a button the size of the design (pixels at the default look), or
// more where its text needs it.
void FitButton(QPushButton *button, QSize design);
