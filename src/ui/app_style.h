#pragma once

#include <QProxyStyle>

// The program's style: the one Qt chose (platform or -style), except that the
// icon of the "more" button at the end of a menu bar is read only when that
// button is first drawn. Qt reads it for every menu bar it makes, and reading
// it loads every image format plugin: a tenth of the start-up time.
class AppStyle : public QProxyStyle {
public:
    // Wraps a new instance of the style the application uses now.
    AppStyle();

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
