#include "ui/main_menu/about.h"

#include "ui/app_font.h"
#include "ui/widgets/picture_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

About::About(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(u"バージョン情報"_s);
    setFont(UiFont(10));

    auto *picture = new PictureButton(this);
    picture->setPicture(u":/pictures/main_title.svg"_s, QSize(96, 96));
    picture->setCursor(Qt::ArrowCursor);
    auto *name = new QLabel(u"るでら３"_s, this);
    name->setFont(UiFont(18));
    lblVersion = new QLabel(VersionText(), this);
    auto *description =
        new QLabel(u"パチンコの収支を記録して分析するソフトです。"
                   "\n来店ごとに日付・投資・回収・店・台・コメントを記録し、"
                   "\n勝敗・通算収支・ランキング・収支グラフ・次回の予想を表示します。"_s,
                   this);
    OK = new QPushButton(u"OK"_s, this);
    OK->setDefault(true);
    OK->setMinimumWidth(90);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(OK, 3, 0, 1, 2, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

QString About::VersionText()
{
    return u"Version %1.%2%3"_s.arg(LEDRA_VERSION_MAJOR)
        .arg(LEDRA_VERSION_MINOR)
        .arg(LEDRA_VERSION_PATCH);
}
