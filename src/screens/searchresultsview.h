#pragma once

#include "data/searchhit.h"

#include <QList>
#include <QWidget>

class AppModel;
class Bezel;
class ModelObserver;
class QVBoxLayout;
class SearchHitRow;
class KVTextLabel;

// The search results: the reference search of the header's search text, one
// clickable panel per hit in the order found, with a count heading and a
// panel of suggestions when nothing is found. It follows the search text as
// the user types; a click opens the hit through the model.
class SearchResultsView : public QWidget
{
    Q_OBJECT

public:
    explicit SearchResultsView(QWidget *parent = nullptr);
    explicit SearchResultsView(AppModel &model, QWidget *parent = nullptr);

    QString headingText() const;
    bool showsEmptyPanel() const;
    QList<SearchHitRow *> rows() const { return m_rows; }

private:
    void refresh();
    void applyMetrics();

    AppModel &m_model;
    ModelObserver *m_observer;
    QVBoxLayout *m_column;
    KVTextLabel *m_heading;
    Bezel *m_emptyPanel;
    QList<SearchHitRow *> m_rows;
};
