#include "pdfcheck.h"

#include <QFile>

#include <qpdf/Pl_Discard.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace {

struct IgnoreContents : QPDFObjectHandle::ParserCallbacks
{
    void handleObject(QPDFObjectHandle) override {}
    void handleEOF() override {}
};

} // namespace

namespace PdfCheck {

QStringList problems(const QByteArray &pdf)
{
    QStringList out;
    try {
        QPDF doc;
        doc.setSuppressWarnings(true);
        doc.processMemoryFile("report.pdf", pdf.constData(), size_t(pdf.size()));
        if (doc.isLinearized() && !doc.checkLinearization())
            out.append(QStringLiteral("linearization data is wrong"));
        Pl_Discard discard;
        QPDFWriter writer(doc);
        writer.setOutputPipeline(&discard);
        writer.setDecodeLevel(qpdf_dl_all);
        writer.write();
        IgnoreContents contents;
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(doc).getAllPages())
            page.parseContents(&contents);
        for (const QPDFExc &warning : doc.getWarnings())
            out.append(QString::fromStdString(warning.what()));
    } catch (const std::exception &e) {
        out.append(QString::fromStdString(e.what()));
    }
    return out;
}

QStringList fileProblems(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + path};
    return problems(file.readAll());
}

} // namespace PdfCheck
