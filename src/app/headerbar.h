#pragma once

#include <QWidget>

class AppModel;
class KVChromeButton;
class KVSearchField;
class ModelObserver;
class NetStatus;
class QHBoxLayout;
class QLabel;
class Tag;

// The bar across the top of the content column: the title of what is on
// screen, the search box bound to the model's search text, the Search button
// and the online tag. Return in the box and the button both run the search;
// the box's clear button only empties the text.
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

private:
    void refresh();
    void refreshTag();
    void applyMetrics();

    AppModel &m_model;
    NetStatus &m_net;
    QHBoxLayout *m_row;
    QLabel *m_title;
    KVSearchField *m_search;
    KVChromeButton *m_button;
    Tag *m_tag = nullptr;
    bool m_tagOnline = false;
    ModelObserver *m_observer;
};
