#include "kvaboutview.h"

#include "kvaboutwindow.h"
#include "kvdropshadow.h"
#include "kvfont.h"
#include "kvkittheme.h"
#include "kvlinklabel.h"
#include "kvrnkithost.h"
#include "kvscale.h"
#include "kvscalewatch.h"

#include <QApplication>
#include <QBitmap>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr double kIcon = 96;

// The outline of the label's pixmap where it is at least half opaque, placed
// as the centred label shows it.
QPainterPath opaqueOutline(const QLabel *label)
{
    const QPixmap pixmap = label->pixmap();
    QPainterPath path;
    if (pixmap.isNull())
        return path;
    QImage image = pixmap.toImage();
    const QSizeF size = pixmap.deviceIndependentSize();
    image = image.scaled(size.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRegion opaque(QBitmap::fromImage(image.createAlphaMask(Qt::ThresholdAlphaDither)));
    path.addRegion(opaque);
    const QPointF at((label->width() - size.width()) / 2, (label->height() - size.height()) / 2);
    return path.simplified().translated(at);
}
constexpr double kSpacing = 12;
constexpr double kPadding = 26;
constexpr double kDividerInset = 30;
} // namespace

KVRNAboutView::KVRNAboutView(QWidget *parent)
    : QWidget(parent)
{
    const KVKitTheme theme = KVRNKitHost::theme()();
    auto *column = new QVBoxLayout(this);
    column->addStretch(1);

    const QIcon icon = QApplication::windowIcon();
    auto *iconLabel = new QLabel(this);
    iconLabel->setTextFormat(Qt::PlainText);
    iconLabel->setAlignment(Qt::AlignCenter);
    m_icon = iconLabel;
    if (!icon.isNull()) {
        // The shadow follows the icon's own outline (a round mark casts a
        // round shadow), read from the drawn pixels.
        new KVDropShadow(iconLabel, QColor::fromRgbF(0, 0, 0, 0.5f), 8, QPointF(0, 4),
                         [iconLabel] { return opaqueOutline(iconLabel); });
    }
    column->addWidget(iconLabel, 0, Qt::AlignHCenter);

    addText(KVRNKitHost::appName(), 24, QFont::ExtraBold, theme.text);
    addText(KVRNAbout::version(), 12, QFont::DemiBold, theme.dim);
    for (const QString &line : KVRNAbout::extraLines())
        addText(line, 12, QFont::Normal, theme.dim);

    m_divider = new QWidget(this);
    auto *dividerRow = new QHBoxLayout(m_divider);
    auto *divider = new QFrame(m_divider);
    dividerRow->addWidget(divider);
    divider->setFrameShape(QFrame::NoFrame);
    divider->setFixedHeight(1);
    divider->setAutoFillBackground(true);
    QPalette dp = divider->palette();
    dp.setColor(QPalette::Window, theme.rim);
    divider->setPalette(dp);
    column->addWidget(m_divider);

    addText(KVRNAbout::creditLine(), 13, QFont::Bold, theme.text);

    const QUrl url = KVRNKitHost::creditURL();
    auto *link = new KVLinkLabel(url.host(), url, this);
    link->setAlignment(Qt::AlignHCenter);
    m_styled.append({link, 13, QFont::DemiBold});
    column->addWidget(link, 0, Qt::AlignHCenter);
    column->addStretch(1);

    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

QLabel *KVRNAboutView::addText(const QString &text, double points, QFont::Weight weight, const QColor &color)
{
    auto *label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    m_styled.append({label, points, weight});
    layout()->addWidget(label);
    return label;
}

void KVRNAboutView::applyMetrics()
{
    auto *column = static_cast<QVBoxLayout *>(layout());
    const int pad = KVScale::ipt(kPadding);
    column->setContentsMargins(pad, pad, pad, pad);
    column->setSpacing(KVScale::ipt(kSpacing));
    setMinimumSize(KVScale::ipt(400), KVScale::ipt(340));

    const int side = KVScale::ipt(kIcon);
    m_icon->setFixedSize(side, side);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        static_cast<QLabel *>(m_icon)->setPixmap(icon.pixmap(QSize(side, side)));
    const int inset = KVScale::ipt(kDividerInset);
    m_divider->layout()->setContentsMargins(inset, 0, inset, 0);

    for (const Styled &s : m_styled)
        s.label->setFont(KVFont::rounded(s.points, s.weight));
}

QStringList KVRNAboutView::texts() const
{
    QStringList out;
    for (const Styled &s : m_styled)
        out.append(s.label->text());
    return out;
}
