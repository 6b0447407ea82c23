#pragma once

#include <QList>
#include <QPushButton>
#include <functional>

// The model-year menu of the vehicle header: "Model year <year>" in bold on
// a dark capsule with a faint rim; a click drops down the years, newest
// first, and picking one calls `pick` with it.
class YearMenuButton : public QPushButton
{
    Q_OBJECT

public:
    explicit YearMenuButton(std::function<void(qint64)> pick, QWidget *parent = nullptr);

    // The year on the label and the years of the menu, in menu order.
    void setYears(qint64 shown, const QList<qint64> &years);
    QList<qint64> years() const { return m_years; }
    // Acts as picking that year in the menu (for tests and keyboard use).
    void pick(qint64 year);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyFont();

    std::function<void(qint64)> m_pick;
    QList<qint64> m_years;
};
