#include "wordingcorpus.h"

#include "platform/fvinfo.h"
#include "data/vorel.h"
#include "report/repairestimate.h"

namespace WordingCorpus {

QString build(const KVRNHelpTopics &help, const Vorel &vorel, const QString &reportText)
{
    QStringList parts;
    for (const KVRNHelpTopic &t : help)
        parts.append(t.title + u'\n' + t.body);
    for (const OBDCode &c : vorel.allCodes())
        parts.append(c.title + c.meaning + c.causes + c.symptoms + c.checkFirst + c.note);
    for (const Guide &g : vorel.guides()) {
        QString text = g.title + g.summary;
        for (const GuideNode &n : g.nodes)
            text += n.text + n.detail;
        text += g.proWhen.join(QString());
        parts.append(text);
    }
    for (const OBD1Section &s : vorel.obd1Sections())
        parts.append(s.makes + s.connector + s.steps.join(QString()) + s.reading + s.notes);
    parts << FVInfo::appName() << FVInfo::creditLine() << FVInfo::disclaimer();
    parts << reportText << RepairEstimate::costNote() << RepairEstimate::diagnosticNote();
    return parts.join(u'\n');
}

} // namespace WordingCorpus
