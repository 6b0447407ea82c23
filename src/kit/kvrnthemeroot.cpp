#include "kvrnthemeroot.h"

#include "kvfont.h"
#include "kvkittheme.h"
#include "kvrnthemes.h"
#include "kvscalewatch.h"
#include "kvwindowbackground.h"
#include "platform/prefs.h"

#include <QPainter>
#include <QVBoxLayout>

KVRNThemeRoot::KVRNThemeRoot(Builder build, QWidget *parent)
    : KVRNThemeRoot(std::move(build), &KVWindowBackground::paint, [] { return KVKitTheme::current().accent; },
                    parent)
{
}

KVRNThemeRoot::KVRNThemeRoot(Builder build, BackgroundPainter background, TintSource tint, QWidget *parent)
    : KVRNThemeRoot(build ? RootBuilder([build = std::move(build)](QWidget *) { return build(); }) : RootBuilder(),
                    std::move(background), std::move(tint), parent)
{
}

KVRNThemeRoot::KVRNThemeRoot(RootBuilder build, BackgroundPainter background, TintSource tint, QWidget *parent)
    : QWidget(parent)
    , m_build(std::move(build))
    , m_background(std::move(background))
    , m_tint(std::move(tint))
    , m_default(KVRNThemes::defaultID())
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    // The body text of everything inside that sets no font of its own.
    setFont(KVFont::rounded(kBodySize));
    KVScaleWatch::follow(this, [this] { setFont(KVFont::rounded(kBodySize)); });
    m_themeID = boundID();
    rebuild();
    connect(&Prefs::shared(), &Prefs::changed, this, &KVRNThemeRoot::settingChanged);
}

QString KVRNThemeRoot::boundID() const
{
    const QVariant v = Prefs::shared().value(KVRNThemes::key());
    if (v.isValid() && v.typeId() == QMetaType::QString)
        return v.toString();
    return m_default;
}

void KVRNThemeRoot::settingChanged(const QString &key)
{
    if (key != KVRNThemes::key())
        return;
    const QString id = boundID();
    if (id == m_themeID)
        return;
    m_themeID = id;
    rebuild();
}

void KVRNThemeRoot::rebuild()
{
    setPalette(KVKitTheme::current().widgetPalette(m_tint()));
    if (m_content) {
        // The old content may be running the very action that changed the
        // theme: take it away now, delete it once control is back in the loop.
        layout()->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
        m_content = nullptr;
    }
    if (m_build)
        m_content = m_build(this);
    if (m_content) {
        layout()->addWidget(m_content);
        if (isVisible())
            m_content->show();
    }
    update();
}

void KVRNThemeRoot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_background)
        m_background(p, QRectF(rect()));
}
