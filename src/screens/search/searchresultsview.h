#pragma once

#include "data/searchhit.h"

#include <QList>
#include <QWidget>

class AppModel;
class Bezel;
class FVScroll;
class ModelObserver;
class QVBoxLayout;
class SearchHitRow;
class KVTextLabel;

// The search results: the reference search of the header's search text, one
// clickable panel per hit in the order found, with a count heading and a
// panel of suggestions when nothing is found. It follows the search text as
// the user types; a click opens the hit through the model. The view may be
// kept while another screen shows: hidden, it searches again only when shown,
// then at the top. Its rows are reused from search to search.
class SearchResultsView : public QWidget
{
    Q_OBJECT

public:
    explicit SearchResultsView(QWidget *parent = nullptr);
    explicit SearchResultsView(AppModel &model, QWidget *parent = nullptr);

    QString headingText() const;
    bool showsEmptyPanel() const;
    // The rows of the hits shown, in order.
    QList<SearchHitRow *> rows() const { return m_rows.mid(0, m_shown); }

    void setVisible(bool visible) override;

private:
    void refresh();
    SearchHitRow *addRow();
    void applyMetrics();

    AppModel &m_model;
    ModelObserver *m_observer;
    QVBoxLayout *m_column;
    KVTextLabel *m_heading;
    Bezel *m_emptyPanel;
    FVScroll *m_scroll = nullptr;
    // Every row made so far; the first m_shown show hits, the rest are hidden.
    QList<SearchHitRow *> m_rows;
    qsizetype m_shown = 0;
    bool m_parked = false; // hidden by the caller
    bool m_stale = false;  // a refresh waits for the next show
};
