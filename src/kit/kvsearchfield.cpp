#include "kvsearchfield.h"

#include "kvfocusring.h"
#include "kvkittheme.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"
#include "kvsymbolbutton.h"
#include "kvsymbolview.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>

KVSearchField::KVSearchField(const QString &prompt, QWidget *parent)
    : QWidget(parent)
    , m_magnifier(new KVSymbolView(QStringLiteral("magnifyingglass"), this))
    , m_edit(new QLineEdit(this))
    , m_clear(new KVSymbolButton(QStringLiteral("xmark.circle.fill"), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *row = new QHBoxLayout(this);
    row->addWidget(m_magnifier, 0, Qt::AlignVCenter);
    row->addWidget(m_edit, 1, Qt::AlignVCenter);
    row->addWidget(m_clear, 0, Qt::AlignVCenter);

    m_magnifier->setColorSource([] { return KVKitTheme::current().dim; });
    m_clear->setColorSource([] { return KVKitTheme::current().dim; });
    m_clear->setToolTip(QStringLiteral("Clear search"));
    m_clear->setAccessibleName(QStringLiteral("Clear search"));
    m_clear->setVisible(false);

    m_edit->setFrame(false);
    m_edit->setMaxLength(maxLength);
    m_edit->setPlaceholderText(prompt);
    // The prompt names the field until the owner names its purpose; cut
    // short, it shows whole as the tooltip.
    m_edit->setAccessibleName(prompt);
    m_edit->installEventFilter(this);
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_edit->setAutoFillBackground(false);

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString &t) {
        m_clear->setVisible(!t.isEmpty());
        emit textChanged(t);
    });
    connect(m_clear, &QAbstractButton::clicked, this, [this] { m_edit->setText(QString()); });

    applyMetrics();
    syncColors();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void KVSearchField::setFieldName(const QString &name)
{
    m_edit->setAccessibleName(name);
    m_edit->setAccessibleDescription(m_edit->placeholderText());
}

QString KVSearchField::text() const
{
    return m_edit->text();
}

void KVSearchField::setText(const QString &text)
{
    if (m_edit->text() != text)
        m_edit->setText(text);
}

QString KVSearchField::prompt() const
{
    return m_edit->placeholderText();
}

void KVSearchField::applyMetrics()
{
    auto *row = static_cast<QHBoxLayout *>(layout());
    row->setSpacing(KVScale::ipt(6));
    row->setContentsMargins(KVScale::ipt(12), KVScale::ipt(7), KVScale::ipt(12), KVScale::ipt(7));
}

void KVSearchField::syncColors()
{
    const KVKitTheme theme = KVKitTheme::current();
    QPalette pal = m_edit->palette();
    if (pal.color(QPalette::Text) == theme.text && pal.color(QPalette::PlaceholderText) == theme.dim
        && pal.color(QPalette::Base) == QColor(Qt::transparent))
        return;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Text, theme.text);
        pal.setColor(g, QPalette::Base, Qt::transparent);
        pal.setColor(g, QPalette::Window, Qt::transparent);
        pal.setColor(g, QPalette::PlaceholderText, theme.dim);
        pal.setColor(g, QPalette::Highlight, theme.accent);
        pal.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    m_edit->setPalette(pal);
}

bool KVSearchField::showsFocus() const
{
    return m_edit->hasFocus();
}

void KVSearchField::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCapsule(p, 0.35, {QColor::fromRgbF(0, 0, 0, 0.6f), KVShape::white(1, 0.25)});
}

void KVSearchField::paintCapsule(QPainter &p, double fill, const QList<QColor> &rim)
{
    using namespace KVShape;
    syncColors();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    p.fillPath(capsule(r), QColor::fromRgbF(0, 0, 0, float(fill)));
    if (showsFocus())
        strokeCapsuleInside(p, r, KVFocusRing::lineWidth(), QBrush(KVFocusRing::color()));
    else
        strokeCapsuleInside(p, r, KVScale::pt(1), vertical(r, rim));
}

bool KVSearchField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update(); // the rim shows the focus
    if (watched == m_edit && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)) {
        const QString prompt = m_edit->placeholderText();
        const int room = m_edit->contentsRect().width() - m_edit->textMargins().left() - m_edit->textMargins().right()
                         - 4; // the line edit's own inset
        m_edit->setToolTip(m_edit->fontMetrics().horizontalAdvance(prompt) > room ? prompt : QString());
    }
    return QWidget::eventFilter(watched, event);
}
