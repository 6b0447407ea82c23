#include "platform/pdfdocument.h"

#include <poppler-qt6.h>

#include <QPainter>

namespace {

Poppler::Page::Rotation turn(bool rotate)
{
    return rotate ? Poppler::Page::Rotate90 : Poppler::Page::Rotate0;
}

class PopplerDocument final : public PDFDocument
{
public:
    explicit PopplerDocument(std::unique_ptr<Poppler::Document> doc)
        : m_doc(std::move(doc))
    {
        m_doc->setRenderHint(Poppler::Document::Antialiasing);
        m_doc->setRenderHint(Poppler::Document::TextAntialiasing);
    }

    int pageCount() const override { return m_doc->numPages(); }

    QSizeF pageSize(int page) const override
    {
        const std::unique_ptr<Poppler::Page> p = m_doc->page(page);
        return p ? p->pageSizeF() : QSizeF();
    }

    QString pageText(int page) const override
    {
        const std::unique_ptr<Poppler::Page> p = m_doc->page(page);
        return p ? p->text(QRectF()) : QString();
    }

    std::optional<QString> title() const override
    {
        if (!m_doc->infoKeys().contains(QStringLiteral("Title")))
            return std::nullopt;
        return m_doc->info(QStringLiteral("Title"));
    }

    bool drawVectors(int page, QPainter &painter, bool rotate) override
    {
        const std::unique_ptr<Poppler::Page> p = m_doc->page(page);
        m_doc->setRenderBackend(Poppler::Document::QPainterBackend);
        return p && p->renderToPainter(&painter, 72.0, 72.0, -1, -1, -1, -1, turn(rotate));
    }

    QImage picture(int page, double dpi, bool rotate) override
    {
        const std::unique_ptr<Poppler::Page> p = m_doc->page(page);
        m_doc->setRenderBackend(Poppler::Document::SplashBackend);
        return p ? p->renderToImage(dpi, dpi, -1, -1, -1, -1, turn(rotate)) : QImage();
    }

private:
    std::unique_ptr<Poppler::Document> m_doc;
};

} // namespace

extern "C" Q_DECL_EXPORT PDFDocument *fvOpenPDFDocument(const QByteArray &data)
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::loadFromData(data);
    if (!doc || doc->isLocked())
        return nullptr;
    return new PopplerDocument(std::move(doc));
}
