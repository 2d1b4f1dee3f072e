#pragma once
// A layout of one widget that keeps the proportions of the widget's size hint:
// the widget takes the largest such size that fits, never below the hint, and
// stands in the middle of the room left over.

#include <QLayout>

class ProportionalLayout : public QLayout {
public:
    explicit ProportionalLayout(QWidget *widget);
    ~ProportionalLayout() override;

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect &rect) override;

private:
    QLayoutItem *item_ = nullptr;
};
