#include "searchresultsview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "kit/kvaccessible.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/bezel.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "searchhitrow.h"
#include "searchresultsrules.h"
#include "kit/kvtextlabel.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

SearchResultsView::SearchResultsView(QWidget *parent)
    : SearchResultsView(AppModel::shared(), parent)
{
}

SearchResultsView::SearchResultsView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_column(new QVBoxLayout)
    , m_heading(new KVTextLabel(13))
    , m_emptyPanel(new Bezel)
{
    setObjectName(QStringLiteral("search"));
    auto *column = new QWidget;
    column->setLayout(m_column);
    m_heading->setColor(FVPalette::current().dim);
    m_heading->setWordWrap(true);
    KVAccessible::setHeading(m_heading);
    m_column->addWidget(m_heading);
    auto *empty = new KVTextLabel(SearchResultsRules::emptyText(), 13);
    empty->setWordWrap(true);
    m_emptyPanel->setContent(empty);
    m_column->addWidget(m_emptyPanel);

    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::SearchText});
    // The first rows go into the column before it joins the scroll area, so
    // the area works out its size once, on the first show.
    m_observer->refreshNow();

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    m_scroll = new FVScroll(column);
    box->addWidget(m_scroll);
}

void SearchResultsView::applyMetrics()
{
    const int pad = KVScale::ipt(20);
    m_column->setContentsMargins(pad, pad, pad, pad);
    m_column->setSpacing(KVScale::ipt(10));
}

void SearchResultsView::setVisible(bool visible)
{
    const bool back = visible && m_parked;
    m_parked = !visible;
    if (back) {
        // Filled before it shows, so it is laid out once, at the top.
        if (m_stale)
            m_observer->refreshNow();
        if (QScrollArea *area = m_scroll->scrollArea())
            area->verticalScrollBar()->setValue(0);
    }
    QWidget::setVisible(visible);
}

void SearchResultsView::refresh()
{
    m_stale = m_parked;
    if (m_parked)
        return;
    const QString text = m_model.searchText();
    const QList<SearchHit> hits = SearchResultsRules::hits(m_model.data(), text);
    const Provenance provenance = Provenance::of(m_model.data());
    m_heading->setPlain(SearchResultsRules::heading(hits.size(), text));
    m_emptyPanel->setVisible(hits.isEmpty());

    // Rows are reused in place and never deleted here (a refresh may follow a
    // click on one of them); a row showing the same hit keeps its state.
    while (m_rows.size() < hits.size())
        addRow();
    for (qsizetype i = 0; i < hits.size(); ++i) {
        SearchHitRow *row = m_rows[i];
        row->setProvenance(provenance);
        row->setHit(hits[i]);
        if (i >= m_shown)
            row->setVisible(true);
    }
    for (qsizetype i = hits.size(); i < m_shown; ++i)
        m_rows[i]->hide();
    m_shown = hits.size();
}

SearchHitRow *SearchResultsView::addRow()
{
    auto *row = new SearchHitRow(SearchHit());
    AppModel *m = &m_model;
    connect(row, &SearchHitRow::openHit, this, [m](const SearchHit &hit) { m->open(hit); });
    // Hidden until it shows a hit, and in the Tab order after the row before.
    row->hide();
    m_column->addWidget(row);
    if (!m_rows.isEmpty())
        QWidget::setTabOrder(m_rows.last(), row);
    m_rows.append(row);
    return row;
}

QString SearchResultsView::headingText() const
{
    return m_heading->text();
}

bool SearchResultsView::showsEmptyPanel() const
{
    return !m_emptyPanel->isHidden();
}
