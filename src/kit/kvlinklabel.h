#pragma once

#include <QLabel>
#include <QUrl>

// A one-line text that opens a web address when clicked (or activated with
// Space or Return while focused), drawn in the palette's link colour with a
// pointing-hand cursor. The text is shown exactly as given. The address goes
// through Opener, which opens only http(s) addresses; when no browser takes
// it, a note beside the label offers to copy it.
class KVLinkLabel : public QLabel
{
    Q_OBJECT

public:
    KVLinkLabel(const QString &text, const QUrl &url, QWidget *parent = nullptr);

    QUrl url() const { return m_url; }

    // Wraps onto as many lines as the width needs (as tall as those lines,
    // asking for its whole text on one line), or keeps to one line.
    void setWraps(bool wraps);
    QSize sizeHint() const override;
    // A one-line link that may be narrower than its text (an address): it
    // then shows the text's two ends around an ellipsis; the whole text stays
    // its accessible name and joins the address in its tooltip.
    void setElided(bool elided);
    // Whether the text is shortened now.
    bool isCut() const;
    QSize minimumSizeHint() const override;

    // Opens the address (what a click does).
    Q_INVOKABLE void activate();

signals:
    void activated(const QUrl &url);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyLinkColor();

    QUrl m_url;
    bool m_pressed = false;
    bool m_elided = false;
};
