#include "creditsview.h"

#include "app/appmodel.h"
#include "platform/fvinfo.h"
#include "app/modelobserver.h"
#include "creditsrules.h"
#include "data/vorel.h"
#include "divider.h"
#include "kit/kvlinklabel.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "look/gaugelabel.h"
#include "screenbits.h"

#include <QHBoxLayout>
#include <QImageReader>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// Below this width (points) the photo rows stack and long one-line texts wrap.
constexpr double kNarrow = 640;

// A photo scaled to fill 96 by 60 points (cut, not squeezed), in a rounded frame.
class Thumbnail : public QWidget
{
public:
    explicit Thumbnail(const QImage &image)
        : m_image(image)
    {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        KVScaleWatch::follow(this);
    }
    QSize sizeHint() const override { return QSize(KVScale::ipt(96), KVScale::ipt(60)); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF frame(rect());
        p.setClipPath(KVShape::roundedRect(frame, KVScale::pt(8)));
        const QSizeF fill = QSizeF(m_image.size()).scaled(frame.size(), Qt::KeepAspectRatioByExpanding);
        const QRectF target(frame.center().x() - fill.width() / 2, frame.center().y() - fill.height() / 2,
                            fill.width(), fill.height());
        p.drawImage(target, m_image);
    }

private:
    QImage m_image;
};

KVTextLabel *text(QBoxLayout *box, const QString &s, double points, QFont::Weight weight = QFont::Normal,
                  const QColor &color = QColor())
{
    KVTextLabel *label = ScreenBits::wrapped(s, points, weight, color);
    box->addWidget(label);
    return label;
}

KVLinkLabel *link(const QString &s, const QUrl &url, double points)
{
    auto *label = new KVLinkLabel(s, url);
    label->setFont(FVFont::font(points));
    return label;
}

QVBoxLayout *panel(Bezel *bezel, double spacing)
{
    auto *content = new QWidget;
    auto *box = new QVBoxLayout(content);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(KVScale::ipt(spacing));
    bezel->setContent(content);
    return box;
}

} // namespace

CreditsView::CreditsView(QWidget *parent)
    : CreditsView(AppModel::shared(), parent)
{
}

CreditsView::CreditsView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_box(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("credits"));
    m_box->setContentsMargins(0, 0, 0, 0);
    m_observer->watchModel(m_model, {AppModel::Field::Data});
    m_observer->refreshNow();
    // Links and spacings are fixed at build time: a new zoom builds the page anew.
    KVScaleWatch::follow(this, [this] { m_observer->schedule(); });
}

void CreditsView::refresh()
{
    delete m_page;
    m_page = nullptr;
    m_photoRows = 0;
    m_thumbnails = 0;
    m_photoLines.clear();
    m_oneLine.clear();
    if (!m_model.data())
        return;
    auto *column = new QWidget;
    auto *page = new QVBoxLayout(column);
    const int pad = KVScale::ipt(20);
    page->setContentsMargins(pad, pad, pad, pad);
    page->setSpacing(KVScale::ipt(14));
    const auto add = [page](QWidget *panel) { page->addWidget(panel); };
    add(sourcesPanel());
    add(photosPanel());
    add(linksPanel());
    add(footerPanel());
    m_page = new FVScroll(column);
    m_box->addWidget(m_page);
    fitWidth();
}

void CreditsView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitWidth();
}

void CreditsView::fitWidth()
{
    const bool narrow = width() < KVScale::ipt(kNarrow);
    for (QBoxLayout *line : std::as_const(m_photoLines)) {
        if (line)
            line->setDirection(narrow ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    }
    for (QLabel *label : std::as_const(m_oneLine)) {
        if (auto *link = qobject_cast<KVLinkLabel *>(label))
            link->setWraps(narrow);
        else if (label)
            label->setWordWrap(narrow);
    }
}

QWidget *CreditsView::sourcesPanel()
{
    const FVPalette palette = FVPalette::current();
    auto *bezel = new Bezel(24, 18);
    bezel->setObjectName(QStringLiteral("sources"));
    QVBoxLayout *box = panel(bezel, 8);
    const Provenance provenance = Provenance::of(m_model.data());
    text(box, provenance.dataCredit(), 18, QFont::ExtraBold);
    text(box, CreditsRules::statement(provenance), 13);
    if (!m_model.data()->checksummed())
        text(box, CreditsRules::uncheckedData(), 13, QFont::DemiBold);
    for (const DataSource &source : m_model.data()->dataSources()) {
        const CreditsRules::SourceRow row = CreditsRules::sourceRow(source);
        auto *line = new QHBoxLayout;
        auto *bullet = new KVTextLabel(QStringLiteral("\u2022"), 13);
        bullet->setColor(palette.accentText());
        line->addWidget(bullet, 0, Qt::AlignTop);
        auto *col = new QVBoxLayout;
        col->setSpacing(0);
        text(col, row.name, 12.5, QFont::DemiBold);
        if (row.link) {
            KVLinkLabel *address = link(source.url, *row.link, 11);
            address->setElided(true); // a narrow page shortens a long address
            col->addWidget(address, 0, Qt::AlignLeft);
        }
        if (!row.retrieved.isEmpty())
            text(col, row.retrieved, 10.5, QFont::Normal, palette.dim);
        line->addLayout(col, 1);
        box->addLayout(line);
    }
    return bezel;
}

QWidget *CreditsView::photosPanel()
{
    auto *bezel = new Bezel;
    bezel->setObjectName(QStringLiteral("photos"));
    QVBoxLayout *box = panel(bezel, 10);
    box->addWidget(new GaugeLabel(CreditsRules::photosHeading()));
    text(box, CreditsRules::photosIntro(Provenance::of(m_model.data())), 12, QFont::Normal, FVPalette::current().dim);
    const Vorel &data = *m_model.data();
    for (const PhotoCredit &photo : data.photos()) {
        const CreditsRules::PhotoRow row = CreditsRules::photoRow(photo);
        auto *line = new QHBoxLayout;
        line->setSpacing(KVScale::ipt(12));
        // photoURL names files inside the photos folder only (empty otherwise).
        const QString file = data.photoURL(photo);
        QImageReader reader(file);
        reader.setAutoTransform(true);
        const QImage image = file.isEmpty() ? QImage() : reader.read();
        if (!image.isNull()) {
            line->addWidget(new Thumbnail(image), 0, Qt::AlignTop | Qt::AlignLeft);
            ++m_thumbnails;
        }
        auto *col = new QVBoxLayout;
        col->setSpacing(KVScale::ipt(2));
        text(col, row.title, 13, QFont::Bold);
        QLabel *attribution = text(col, row.attribution, 11.5);
        if (!row.attribution.isEmpty()) // an empty one is nothing to select or read
            attribution->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto *links = new QHBoxLayout;
        links->setSpacing(KVScale::ipt(12));
        QLabel *licence = row.licenseLink ? static_cast<QLabel *>(link(row.licenseText, *row.licenseLink, 11))
                                          : new KVTextLabel(row.licenseText, 11);
        links->addWidget(licence);
        m_oneLine << licence;
        if (row.sourcePage)
            links->addWidget(link(QStringLiteral("Source page"), *row.sourcePage, 11));
        links->addStretch(1);
        col->addLayout(links);
        line->addLayout(col, 1);
        box->addLayout(line);
        m_photoLines << line;
        box->addWidget(new Divider(0.2));
        ++m_photoRows;
    }
    return bezel;
}

QWidget *CreditsView::linksPanel()
{
    auto *bezel = new Bezel;
    bezel->setObjectName(QStringLiteral("links"));
    QVBoxLayout *box = panel(bezel, 6);
    box->addWidget(new GaugeLabel(CreditsRules::linksHeading()));
    for (const RefLink &ref : m_model.data()->refs()) {
        if (const auto row = CreditsRules::refRow(ref)) {
            KVLinkLabel *label = link(row->text, row->link, 12);
            box->addWidget(label, 0, Qt::AlignLeft);
            m_oneLine << label;
        }
    }
    return bezel;
}

QWidget *CreditsView::footerPanel()
{
    auto *bezel = new Bezel;
    bezel->setObjectName(QStringLiteral("footer"));
    QVBoxLayout *box = panel(bezel, 4);
    text(box, FVInfo::appName(), 16, QFont::ExtraBold);
    text(box, FVInfo::creditLine(), 13, QFont::Normal, FVPalette::current().dim);
    const QUrl site = FVInfo::website();
    box->addWidget(link(CreditsRules::websiteText(site), site, 13), 0, Qt::AlignLeft);
    return bezel;
}
