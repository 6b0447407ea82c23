#include "searchhitrow.h"

#include "clampedtext.h"
#include "kit/kvfocusring.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/bezel.h"
#include "look/fvpalette.h"
#include "look/tag.h"
#include "searchresultsrules.h"
#include "kit/kvtextlabel.h"
#include "tonecolor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

SearchHitRow::SearchHitRow(const SearchHit &hit, const Provenance &provenance, QWidget *parent)
    : QAbstractButton(parent)
    , m_row(new QHBoxLayout)
    , m_texts(new QVBoxLayout)
    , m_title(new KVTextLabel(14, QFont::Bold))
    , m_snippet(new ClampedText(12, QFont::Normal, 2))
    , m_hit(hit)
    , m_provenance(provenance)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *bezel = new Bezel(16, 12, this);
    m_panel = bezel;
    // The panel only shows; the whole row takes the click.
    bezel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_tag = new Tag(QString(), QColor());
    m_row->addWidget(m_tag, 0, Qt::AlignTop);
    m_texts->setContentsMargins(0, 0, 0, 0);
    m_title->setWordWrap(true);
    m_texts->addWidget(m_title);
    m_snippet->setColor(FVPalette::current().dim);
    m_snippet->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_texts->addWidget(m_snippet);
    m_row->addLayout(m_texts, 1);
    bezel->contentLayout()->addLayout(m_row);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(bezel);

    setHit(hit);
    KVFocusRing::attach(this, 16);
    connect(this, &QAbstractButton::clicked, this, [this] { emit openHit(m_hit); });
    const auto metrics = [this] {
        m_row->setSpacing(KVScale::ipt(12));
        m_texts->setSpacing(KVScale::ipt(3));
    };
    metrics();
    KVScaleWatch::follow(this, metrics);
}

void SearchHitRow::setHit(const SearchHit &hit)
{
    m_hit = hit;
    m_tag->setLabel(SearchResultsRules::label(hit.kind), ToneColor::color(SearchResultsRules::tone(hit.kind)));
    m_title->setPlain(SearchResultsRules::titleLine(hit, m_provenance));
    m_snippet->setText(hit.snippet);
    m_snippet->setVisible(!hit.snippet.isEmpty());
    setAccessibleName(SearchResultsRules::label(hit.kind) + QStringLiteral(": ") + m_title->text());
    setAccessibleDescription(hit.snippet);
}

QString SearchHitRow::titleText() const
{
    return m_title->text();
}

QString SearchHitRow::snippetText() const
{
    return m_snippet->isHidden() ? QString() : m_snippet->text();
}

QString SearchHitRow::tagText() const
{
    return m_tag->text();
}

QSize SearchHitRow::sizeHint() const
{
    return layout()->sizeHint();
}

QSize SearchHitRow::minimumSizeHint() const
{
    return layout()->minimumSize();
}

int SearchHitRow::heightForWidth(int width) const
{
    return layout()->totalHeightForWidth(width);
}

void SearchHitRow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void SearchHitRow::paintEvent(QPaintEvent *)
{
    // The panel draws everything.
}
