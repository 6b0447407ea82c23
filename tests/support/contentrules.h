#pragma once

// Rules that the hand-written reference content (trouble codes, guides,
// safety notes, sources, OBD-I notes and eras) must obey, shared by the tests
// that read it straight from its JSON files and the test that reads it back
// from the generated database. Each check returns the problems it found, one
// text each (empty when there are none), so one run lists them all.

#include "data/guide.h"
#include "data/obd1section.h"
#include "data/obdcode.h"
#include "data/reflink.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ContentRules {

// ---- Fixed lists ------------------------------------------------------------

// The 43 family keys that price a code and pick its recalls and guides.
const QStringList &familyKeys();
// The guide ids the app, the report's links and the self-test rely on, in order.
const QStringList &guideIds();
// Safety notes that must exist and that the guides, taken together, must cite.
const QStringList &requiredSafetyIds();
// The OBD-I sections, in order.
const QStringList &obd1Ids();
// The years of the three diagnostic eras, in order (en dashes).
const QStringList &eraYears();
// The review status every code carries.
QString reviewStatus();

// A family key of the table, or "sensor: <part>" / "actuator: <part>".
bool isKnownFamily(const QString &family);

// The problems as one readable text for a failure message.
QString describe(const QStringList &problems);

// ---- The content files --------------------------------------------------------

// The folder of the hand-written content.
QString contentDir();
// The top-level array of <contentDir>/<name>; empty with *error set when the
// file is missing, not JSON or not an array.
QJsonArray readArray(const QString &name, QString *error = nullptr);

// Records as the content files write them (the field names of the files).
OBDCode codeFromJson(const QJsonObject &o);
Guide guideFromJson(const QJsonObject &o);
SafetyNote safetyFromJson(const QJsonObject &o);
SourceRef sourceFromJson(const QJsonObject &o);
OBD1Section obd1FromJson(const QJsonObject &o);
EraNote eraFromJson(const QJsonObject &o);
RefLink refFromJson(const QJsonObject &o);

// ---- Trouble codes ----------------------------------------------------------------

// Each code on its own: the structure ^[PBCU][0-9][0-9A-F]{3}$, the system of
// its letter, a known family, no thin field (2 characters or fewer once blanks
// are trimmed), a stored seriousness and the review status.
QStringList codeProblems(const QList<OBDCode> &codes);
// The list as a whole: no duplicates, enough codes per group (650 in all,
// P0 420, P2 60, U0 25, some B0 and C0), only generic groups (no P1), and an
// electronic-throttle code.
QStringList codeListProblems(const QList<OBDCode> &codes);
// The pinned examples (P0300, P0301, P0457, P0171, P0420, P0872, C0031; no P1234), looked
// up through `lookup`.
QStringList pinnedCodeProblems(const std::function<std::optional<OBDCode>(const QString &)> &lookup);

// ---- Guides ---------------------------------------------------------------------------

// One guide's step tree: "start" first, unique step ids, a question with two
// different existing answers, an action with exactly one next step, an end
// without branches that says what to do, and every path from the start walked:
// no loops, no dead ends, every step reachable.
QStringList guideTreeProblems(const Guide &guide);
// The guide list: exactly the expected ids once each, distinct titles, enough
// steps (250 in all, 10 per guide) and the overheating walk start -> cool -> hybrid -> fan.
QStringList guideListProblems(const QList<Guide> &guides);
// What the guides cite: at least one known safety note, see-a-professional
// point and known https source each, no repeats, and the required safety
// notes cited among them.
QStringList citationProblems(const QList<Guide> &guides, const QHash<QString, SafetyNote> &safety,
                             const QHash<QString, SourceRef> &sources);
// The required safety notes exist; every source has an https address.
QStringList safetyAndSourceProblems(const QHash<QString, SafetyNote> &safety, const QHash<QString, SourceRef> &sources);

// ---- OBD-I and eras -----------------------------------------------------------------------

// Exactly the expected sections once each; every one but "not-covered" cites
// known https sources; "not-covered" reads "Not covered".
QStringList obd1Problems(const QList<OBD1Section> &sections, const QHash<QString, SourceRef> &sources);
// Exactly the three eras in order, each with a real note.
QStringList eraProblems(const QList<EraNote> &eras);

// ---- Wording ------------------------------------------------------------------------------

// One owner-facing text: no bare "Kestrelby" (only as part of "Brackenfold"
// text), no outside company, no placeholder word, no blanks at its ends, no
// double space, no broken character. `where` prefixes each problem.
QStringList wordingProblems(const QString &where, const QString &text);

} // namespace ContentRules
