#pragma once

#include <QList>
#include <QWidget>

// A row of chips that wraps onto further lines when the width runs out,
// each line centred vertically, `spacing` points between chips and lines.
class TagFlow final : public QWidget
{
    Q_OBJECT

public:
    explicit TagFlow(double spacing, QWidget *parent = nullptr);

    // The flow takes the chip.
    void add(QWidget *chip);
    // All chips, hidden ones too; a hidden chip takes no place.
    QList<QWidget *> chips() const { return m_chips; }
    // Places the chips again after they changed size or visibility.
    void relayout();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Places the chips for `width` (when `apply`) and returns the height.
    int place(int width, bool apply) const;

    double m_spacing;
    QList<QWidget *> m_chips;
};
