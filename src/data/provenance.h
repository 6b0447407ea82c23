#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

class Vorel;

// Which record kinds of a reference database are the agencies' own and which
// are generated sample data, read from its meta rows ("provenance.recalls" =
// "real" or "generated", ...; a missing row reads as real), with the texts
// that say so. The generator writes the same rows and texts.
class Provenance
{
public:
    enum class Kind { Recalls, Investigations, Bulletins, Complaints, Engines };
    static QList<Kind> kinds();
    // "provenance.recalls", "provenance.investigations", ...
    static QString metaKey(Kind kind);
    static QString metaValue(bool generated); // "generated" or "real"
    static QString photosKey();               // "provenance.photos": "drawn" for generated drawings
    static QString keptKey();                 // "provenance.real_records": agency numbers kept real, blank-separated

    Provenance() = default; // everything real
    static Provenance fromMeta(const QHash<QString, QString> &meta);
    // The open database's; everything real without one.
    static Provenance of(const Vorel *data);

    bool generated(Kind kind) const { return m_generated.contains(int(kind)); }
    void setGenerated(Kind kind, bool generated);
    bool drawnPhotos() const { return m_drawnPhotos; }
    void setDrawnPhotos(bool drawn) { m_drawnPhotos = drawn; }
    // Records kept with the agency's own content inside a generated kind.
    void keep(const QString &number) { m_kept.insert(number); }
    bool anyGenerated() const { return !m_generated.isEmpty(); }
    // Whether the record with this agency number is generated sample data.
    bool sample(Kind kind, const QString &number) const { return generated(kind) && !m_kept.contains(number); }

    // The one-line credit for the sidebar, screens and report footer; the
    // agencies' credit when nothing is generated.
    QString dataCredit() const;
    // "The recalls, ... and complaint counts are generated sample data."; empty when nothing is.
    QString generatedSentence() const;
    // The caption of the complaint chart.
    QString complaintsLabel() const;
    // The meta rows that describe this provenance, in a fixed order.
    QList<QPair<QString, QString>> metaRows() const;

    static QString sampleRecord(); // "Sample record"
    // A section's note when its records are generated.
    static QString sampleData(); // "Sample data: generated records, not the agency's."
    // The recall sheet's line for a generated recall.
    static QString sampleRecall();

private:
    QSet<int> m_generated; // Kind values
    QSet<QString> m_kept;
    bool m_drawnPhotos = false;
};
