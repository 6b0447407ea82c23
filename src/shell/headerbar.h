#pragma once

#include <QWidget>

class AppModel;
class KVChromeButton;
class KVSearchField;
class KVTextLabel;
class ModelObserver;
class NetStatus;
class QHBoxLayout;
class QVBoxLayout;
class Tag;

// The bar across the top of the content column: the title of what is on
// screen, the search box bound to the model's search text, the Search button
// and the online tag. Return in the box and the button both run the search;
// the box's clear button only empties the text. In a narrow window the box
// gets shorter, and then the title moves to a line of its own, with the
// online tag at its end.
class Header : public QWidget
{
    Q_OBJECT

public:
    explicit Header(AppModel &m, NetStatus &net, QWidget *parent = nullptr);

    QString title() const;
    KVSearchField *searchField() const { return m_search; }
    KVChromeButton *searchButton() const { return m_button; }
    Tag *onlineTag() const { return m_tag; }

    static QString searchPrompt();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void refreshTag();
    void applyMetrics();
    // Shortens the search box, or puts the title on its own line, to fit the width.
    void fitWidth();

    AppModel &m_model;
    NetStatus &m_net;
    QVBoxLayout *m_outer;
    QHBoxLayout *m_titleLine; // empty unless the title has its own line
    QHBoxLayout *m_row;
    KVTextLabel *m_title;
    KVSearchField *m_search;
    KVChromeButton *m_button;
    Tag *m_tag = nullptr;
    bool m_tagOnline = false;
    ModelObserver *m_observer;
};
