#include "pdffinisher.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAnnotationObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

// cairo 1.16 writes a damaged file whenever a page holds a link
// (CAIRO_TAG_LINK): it numbers a structure tree it never writes, so the
// cross-reference entry of that object points at another one, and pages and
// link annotations keep /StructParents and /StructParent keys without a
// /StructTreeRoot. cairo has no other way to place a link on a rectangle, so
// the finished bytes go once through qpdf's library, a PDF reader and writer
// Debian maintains: it reads them, the dangling keys are dropped, ModDate is
// set to CreationDate, and the writer renumbers only the objects the document
// reaches, with a fresh cross-reference table. Streams (page contents, fonts)
// are copied as cairo wrote them; text, fonts, links, metadata and pages stay
// as they were.
QByteArray PDFFinisher::finish(const QByteArray &pdf)
{
    try {
        QPDF doc;
        // The damage above is expected; the warnings about it are not news.
        doc.setSuppressWarnings(true);
        doc.processMemoryFile("report.pdf", pdf.constData(), size_t(pdf.size()));
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(doc).getAllPages()) {
            page.getObjectHandle().removeKey("/StructParents");
            for (QPDFAnnotationObjectHelper &annotation : page.getAnnotations())
                annotation.getObjectHandle().removeKey("/StructParent");
        }
        QPDFObjectHandle info = doc.getTrailer().getKey("/Info");
        if (info.isDictionary() && info.hasKey("/CreationDate"))
            info.replaceKey("/ModDate", info.getKey("/CreationDate"));

        QPDFWriter writer(doc);
        writer.setOutputMemory();
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setCompressStreams(false);
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(out->getBuffer()), qsizetype(out->getSize()));
    } catch (const std::exception &) {
        return {};
    }
}
