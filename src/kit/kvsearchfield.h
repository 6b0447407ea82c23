#pragma once

#include <QList>
#include <QWidget>

class QPainter;

class QLineEdit;
class KVSymbolView;
class KVSymbolButton;

// The kit's search box: a sunken capsule with a magnifier, a borderless
// one-line field showing `prompt` while empty, and a clear button that shows
// exactly while there is text. It performs no search: the owner listens to
// textChanged() and sets the text with setText().
class KVSearchField : public QWidget
{
    Q_OBJECT

public:
    explicit KVSearchField(const QString &prompt, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    QString prompt() const;
    // What a screen reader calls the field (its purpose); the prompt becomes
    // its description.
    void setFieldName(const QString &name);

    // Characters the field takes at most: far beyond any useful search.
    static constexpr int maxLength = 200;

    QLineEdit *lineEdit() const { return m_edit; }
    // The clear button (visible exactly while the text is not empty).
    KVSymbolButton *clearButton() const { return m_clear; }
    // Whether the rim shows the focus: while the field is being typed in.
    bool showsFocus() const;

signals:
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    // The sunken capsule: black at `fill` opacity, rimmed by the `rim`
    // gradient, or by the focus colour while the field has the focus.
    void paintCapsule(QPainter &p, double fill, const QList<QColor> &rim);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyMetrics();
    void syncColors();

    KVSymbolView *m_magnifier;
    QLineEdit *m_edit;
    KVSymbolButton *m_clear;
};
