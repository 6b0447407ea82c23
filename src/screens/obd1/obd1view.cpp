#include "obd1view.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "data/vorel.h"
#include "kit/kvlinklabel.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "monodigitstext.h"
#include "obd1rules.h"
#include "ptlayout.h"
#include "screenbits.h"
#include "sourcelinks.h"
#include "tonecolor.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using ScreenBits::wrapped;

namespace {

// A labelled paragraph: the heading (when there is one) and the text, selectable.
QWidget *labeled(const QString &title, const QString &text)
{
    auto *w = new QWidget;
    auto *column = PtLayout::column(w, 2);
    if (!title.isEmpty())
        column->addWidget(new GaugeLabel(title));
    auto *body = wrapped(text, 13);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(body);
    return w;
}

} // namespace

OBD1View::OBD1View(QWidget *parent)
    : OBD1View(AppModel::shared(), parent)
{
}

OBD1View::OBD1View(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("obd1"));
    auto *page = new QWidget;
    m_column = PtLayout::column(page, 14);
    PtLayout::margins(m_column, page, 20, 20, 20, 20);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(new FVScroll(page));
    m_observer->watchModel(m_model, {AppModel::Field::Data});
    m_observer->refreshNow();
}

void OBD1View::refresh()
{
    const Vorel *data = m_model.data();
    if (m_built && data == m_shownData)
        return;
    m_built = true;
    m_shownData = data;
    ScreenBits::clear(m_column);
    if (!data)
        return;
    const QHash<QString, SourceRef> sources = data->sources();
    m_column->addWidget(erasPanel());
    for (const OBD1Section &s : data->obd1Sections())
        m_column->addWidget(card(s, sources));
    auto *footer = wrapped(OBD1Rules::footer(), 11, QFont::Normal, FVPalette::current().dim);
    footer->setObjectName(QStringLiteral("obd1Footer"));
    m_column->addWidget(footer);
}

QWidget *OBD1View::erasPanel() const
{
    const FVPalette pal = FVPalette::current();
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 8);
    column->addWidget(new GaugeLabel(QStringLiteral("Diagnostic eras")));
    for (const EraNote &era : m_model.data()->eraNotes()) {
        auto *row = PtLayout::row(12, content);
        auto *years = new MonoDigitsText(era.years, 14, QFont::ExtraBold);
        QPalette yp = years->palette();
        yp.setColor(QPalette::WindowText, pal.accentText());
        years->setPalette(yp);
        years->setFixedWidth(KVScale::ipt(110));
        KVScaleWatch::follow(years, [years] { years->setFixedWidth(KVScale::ipt(110)); });
        row->addWidget(years, 0, Qt::AlignTop);
        row->addWidget(wrapped(era.note, 12.5), 1);
        column->addLayout(row);
    }
    auto *panel = ScreenBits::bezel(content);
    panel->setObjectName(QStringLiteral("eras"));
    return panel;
}

QWidget *OBD1View::card(const OBD1Section &s, const QHash<QString, SourceRef> &sources) const
{
    const FVPalette pal = FVPalette::current();
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 7);

    auto *header = PtLayout::row(8, content);
    auto *title = wrapped(OBD1Rules::title(s), 18, QFont::ExtraBold);
    title->setObjectName(QStringLiteral("cardTitle"));
    header->addWidget(title, 1);
    if (!s.years.isEmpty())
        header->addWidget(new Tag(s.years, ToneColor::color(OBD1Rules::tagTone(s))), 0, Qt::AlignTop);
    column->addLayout(header);

    if (OBD1Rules::showsSystem(s)) {
        auto *system = wrapped(s.system, 13, QFont::DemiBold, pal.dim);
        system->setObjectName(QStringLiteral("systemLine"));
        column->addWidget(system);
    }
    if (!s.connector.isEmpty())
        column->addWidget(labeled(QStringLiteral("Connector"), s.connector));
    if (!s.steps.isEmpty()) {
        column->addWidget(new GaugeLabel(QStringLiteral("Steps")));
        for (qsizetype i = 0; i < s.steps.size(); ++i)
            column->addWidget(wrapped(OBD1Rules::stepLine(i, s.steps[i]), 13));
    }
    if (!s.reading.isEmpty())
        column->addWidget(labeled(OBD1Rules::readingTitle(s), s.reading));
    if (!s.clearing.isEmpty())
        column->addWidget(labeled(QStringLiteral("Clearing codes"), s.clearing));
    if (!s.notes.isEmpty())
        column->addWidget(wrapped(s.notes, 12, QFont::Normal, pal.dim));
    if (!s.sources.isEmpty()) {
        auto *heading = new KVTextLabel(QStringLiteral("Sources"), 10.5, QFont::Black);
        heading->setColor(pal.dim);
        heading->setContentsMargins(0, KVScale::ipt(2), 0, 0);
        column->addWidget(heading);
        for (const SourceLinks::Link &l : SourceLinks::listed(s.sources, sources))
            column->addWidget(ScreenBits::link(l.text, l.url, 11.5));
    }
    auto *panel = ScreenBits::bezel(content);
    panel->setObjectName(QStringLiteral("obd1Card"));
    panel->setAccessibleName(OBD1Rules::title(s));
    return panel;
}

QList<QWidget *> OBD1View::cards() const
{
    QList<QWidget *> out;
    for (int i = 0; i < m_column->count(); ++i) {
        QWidget *w = m_column->itemAt(i)->widget();
        if (w && w->objectName() == QStringLiteral("obd1Card"))
            out.append(w);
    }
    return out;
}
