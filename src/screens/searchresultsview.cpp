#include "searchresultsview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/bezel.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "searchhitrow.h"
#include "searchresultsrules.h"
#include "kit/kvtextlabel.h"

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
    box->addWidget(new FVScroll(column));
}

void SearchResultsView::applyMetrics()
{
    const int pad = KVScale::ipt(20);
    m_column->setContentsMargins(pad, pad, pad, pad);
    m_column->setSpacing(KVScale::ipt(10));
}

void SearchResultsView::refresh()
{
    const QString text = m_model.searchText();
    const QList<SearchHit> hits = SearchResultsRules::hits(m_model.data(), text);
    const Provenance provenance = Provenance::of(m_model.data());
    m_heading->setPlain(SearchResultsRules::heading(hits.size(), text));
    m_emptyPanel->setVisible(hits.isEmpty());

    // Rows whose hits keep their ids stay (and keep any pressed or focus
    // state); the rest are replaced. Never deleted at once: a refresh may
    // follow a click on one of them.
    QList<QString> ids;
    for (const SearchHit &h : hits)
        ids << h.id();
    QList<QString> shown;
    for (const SearchHitRow *r : std::as_const(m_rows))
        shown << r->hit().id();
    if (ids == shown) {
        for (qsizetype i = 0; i < hits.size(); ++i) {
            m_rows[i]->setProvenance(provenance);
            m_rows[i]->setHit(hits[i]);
        }
        return;
    }
    for (SearchHitRow *r : std::as_const(m_rows)) {
        m_column->removeWidget(r);
        r->hide();
        r->deleteLater();
    }
    m_rows.clear();
    AppModel *m = &m_model;
    for (const SearchHit &h : hits) {
        auto *row = new SearchHitRow(h, provenance);
        connect(row, &SearchHitRow::openHit, this, [m](const SearchHit &hit) { m->open(hit); });
        m_column->addWidget(row);
        m_rows.append(row);
    }
}

QString SearchResultsView::headingText() const
{
    return m_heading->text();
}

bool SearchResultsView::showsEmptyPanel() const
{
    return !m_emptyPanel->isHidden();
}
