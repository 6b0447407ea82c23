// The rules of the trouble-code, guide and OBD-I screens, without a display:
// filtering and selecting codes, the detail's blocks and tags, guide groups
// and walks, source links and OBD-I cards; and the kit's monospaced font and
// window root.
#include "kit/kvfont.h"
#include "kit/kvmono.h"
#include "kit/kvscale.h"
#include "screens/codes/codedetailrules.h"
#include "screens/codes/codelistrules.h"
#include "screens/guides/guidelistrules.h"
#include "screens/guides/guidewalk.h"
#include "screens/obd1/obd1rules.h"
#include "screens/shared/sourcelinks.h"

#include <QFontInfo>
#include <QTest>
#include <QWidget>

namespace {

OBDCode code(const QString &c, const QString &title, const QString &family, const QString &level)
{
    OBDCode o;
    o.code = c;
    o.title = title;
    o.family = family;
    o.seriousness = level;
    return o;
}

QStringList codes(const QList<OBDCode> &list)
{
    QStringList out;
    for (const OBDCode &c : list)
        out << c.code;
    return out;
}

GuideNode node(const QString &id, const QString &kind, const QString &text, std::optional<QString> yes = {},
               std::optional<QString> no = {})
{
    return GuideNode{id, kind, text, QString(), yes, no};
}

Guide walkGuide()
{
    Guide g;
    g.id = QStringLiteral("heat");
    g.nodes = {node("a", "q", "Is the coolant low?", QStringLiteral("b"), QStringLiteral("c")),
               node("b", "do", "Top it up.", QStringLiteral("d")),
               node("c", "q", "Does the fan run?", std::nullopt, QStringLiteral("d")),
               node("d", "end", "Have it pressure-tested."),
               node("s", "q", "Same either way?", QStringLiteral("d"), QStringLiteral("d"))};
    return g;
}

} // namespace

class TestScreensReference : public QObject
{
    Q_OBJECT

private slots:
    void codeFilterMatchesPrefixTitleAndFamily()
    {
        const QList<OBDCode> all = {code("P0400", "EGR flow", "egr", "drive"),
                                    code("P0401", "EGR flow insufficient", "egr", "stop"),
                                    code("P0300", "Random misfire", "Misfire", "stop"),
                                    code("P0442", "EVAP leak (small)", "evap", "drive soon"),
                                    code("U0104", "Lost communication", "network", "stop")};
        const QList<CodeListRules::Folded> folded = CodeListRules::fold(all);
        int differ = 0; // the folded list filtering otherwise than the plain one
        auto match = [&](const QString &filter, std::optional<Seriousness> level = {}) {
            const QString q = CodeListRules::query(filter);
            const QList<OBDCode> plain = CodeListRules::matching(all, level, q);
            differ += plain != CodeListRules::matching(all, folded, level, q);
            return codes(plain);
        };
        QCOMPARE(CodeListRules::query(QStringLiteral(" \tP04 ")), QStringLiteral("p04"));
        QCOMPARE(CodeListRules::query(QStringLiteral("p04\n")), QStringLiteral("p04\n"));
        QCOMPARE(match(QStringLiteral("p04")), (QStringList{"P0400", "P0401", "P0442"}));
        // "04" is no code prefix; only U0104's code holds it, and codes match by prefix.
        QCOMPARE(match(QStringLiteral("04")), QStringList());
        QCOMPARE(match(QStringLiteral("MISFIRE")), QStringList{"P0300"});
        QCOMPARE(match(QStringLiteral("EVAP")), match(QStringLiteral("evap")));
        QCOMPARE(match(QStringLiteral("p0 300")), QStringList());
        QCOMPARE(match(QStringLiteral("  ")).size(), all.size());
        QCOMPARE(match(QStringLiteral("p04"), Seriousness::Stop), QStringList{"P0401"});
        QCOMPARE(match(QString(), Seriousness::Drive), QStringList{"P0400"});
        QCOMPARE(differ, 0);
        QCOMPARE(CodeListRules::countLine(1, 1), QStringLiteral("1 of 1 codes"));
        QCOMPARE(CodeListRules::countLine(1234, 5000), QStringLiteral("1234 of 5000 codes"));
    }

    void returnShownCodeAndChips()
    {
        const QList<OBDCode> some = {code("P0171", "Lean", "fuel", "drive"), code("P0174", "Lean 2", "fuel", "drive")};
        QCOMPARE(CodeListRules::submit(some, QStringLiteral("p017")), QStringLiteral("P0171"));
        QCOMPARE(CodeListRules::submit({}, QStringLiteral("hello")), QStringLiteral("HELLO"));
        QCOMPARE(CodeListRules::submit({}, QString()), std::nullopt);
        QCOMPARE(CodeListRules::shownCode(QStringLiteral("P1234"), some), QStringLiteral("P1234"));
        QCOMPARE(CodeListRules::shownCode(std::nullopt, some), QStringLiteral("P0171"));
        QCOMPARE(CodeListRules::shownCode(std::nullopt, {}), QStringLiteral("P0300"));
        QVERIFY(CodeListRules::chipActive(std::nullopt, std::nullopt));
        QVERIFY(CodeListRules::chipActive(Seriousness::Stop, Seriousness::Stop));
        QVERIFY(!CodeListRules::chipActive(std::nullopt, Seriousness::Drive));
        QVERIFY(!CodeListRules::chipActive(Seriousness::Drive, std::nullopt));
        QCOMPARE(CodeListRules::chipTitle(Seriousness::Soon), QStringLiteral("Drive soon"));
    }

    void detailBlocksScopeAndContent()
    {
        using B = CodeDetailRules::Block;
        QCOMPARE(CodeDetailRules::block(QStringLiteral("worn plugs; a bad coil.")), (B{true, {"Worn plugs", "A bad coil"}}));
        QCOMPARE(CodeDetailRules::block(QStringLiteral("one sentence.")), (B{false, {"One sentence."}}));
        QCOMPARE(CodeDetailRules::block(QStringLiteral("item; \t ;second")), (B{true, {"Item", "Second"}}));
        QCOMPARE(CodeDetailRules::block(QString()), (B{false, {}}));
        // Only one final full stop goes; inner ones stay.
        QCOMPARE(CodeDetailRules::block(QStringLiteral("e.g. this..; that")).lines,
                 (QStringList{"E.g. this.", "That"}));

        QCOMPARE(CodeDetailRules::scopeTag(QStringLiteral("P0300")), QStringLiteral("Generic (all makes)"));
        QCOMPARE(CodeDetailRules::scopeTag(QStringLiteral("U2100")), QStringLiteral("Generic (all makes)"));
        QCOMPARE(CodeDetailRules::scopeTag(QStringLiteral("P1234")), QStringLiteral("Generic range"));
        QCOMPARE(CodeDetailRules::scopeTag(QStringLiteral("C0035")), QStringLiteral("Generic range"));
        QCOMPARE(CodeDetailRules::scopeTag(QStringLiteral("P")), QStringLiteral("Generic range"));

        using C = CodeDetailRules::Content;
        QCOMPARE(CodeDetailRules::content(true, false), C::Explanation);
        QCOMPARE(CodeDetailRules::content(false, true), C::Structure);
        QCOMPARE(CodeDetailRules::content(false, false), C::Prompt);
        QVERIFY(CodeDetailRules::showsGarageRow(false, true, true));
        QVERIFY(!CodeDetailRules::showsGarageRow(false, false, true));
        QVERIFY(!CodeDetailRules::showsGarageRow(true, false, false));
        QVERIFY(CodeDetailRules::closingNote().startsWith(QStringLiteral("Draft \u2014 under technician review. Written")));
    }

    void guideGroupsByCodePointAndShownGuide()
    {
        Guide a{QStringLiteral("g1"), QStringLiteral("brakes"), QStringLiteral("A"), {}, {}, {}, {}, {}};
        Guide b{QStringLiteral("g2"), QStringLiteral("Engine"), QStringLiteral("B"), {}, {}, {}, {}, {}};
        Guide c{QStringLiteral("g3"), QStringLiteral("Brakes"), QStringLiteral("C"), {}, {}, {}, {}, {}};
        Guide d{QStringLiteral("g4"), QStringLiteral("Engine"), QStringLiteral("D"), {}, {}, {}, {}, {}};
        Guide e{QStringLiteral("g5"), QStringLiteral("\U0001F697 Cars"), QStringLiteral("E"), {}, {}, {}, {}, {}};
        Guide f{QStringLiteral("g6"), QStringLiteral("\uFF21 wide"), QStringLiteral("F"), {}, {}, {}, {}, {}};
        const auto groups = GuideListRules::groups({a, b, c, d, e, f});
        QStringList keys;
        for (const auto &g : groups)
            keys << g.system;
        // Code points: U+FF21 sorts before U+1F697, though its UTF-16 unit is larger.
        QCOMPARE(keys, (QStringList{"Brakes", "Engine", "brakes", "\uFF21 wide", "\U0001F697 Cars"}));
        QCOMPARE(groups[1].guides.size(), 2);
        QCOMPARE(groups[1].guides[1].id, QStringLiteral("g4"));
        QCOMPARE(GuideListRules::heading(QStringLiteral("brakes")), QStringLiteral("BRAKES"));

        QCOMPARE(GuideListRules::shown({a, b}, QStringLiteral("g2"))->id, QStringLiteral("g2"));
        QCOMPARE(GuideListRules::shown({a, b}, QStringLiteral("nope"))->id, QStringLiteral("g1"));
        QCOMPARE(GuideListRules::shown({a, b}, std::nullopt)->id, QStringLiteral("g1"));
        QVERIFY(!GuideListRules::shown({}, QStringLiteral("g1")));
    }

    void guideWalkPathCurrentNodeAndLabels()
    {
        const Guide g = walkGuide();
        QCOMPARE(GuideWalk::path(g, {}), QStringList{"a"});
        QCOMPARE(GuideWalk::path(g, {"x", "b"}), QStringList{"a"});
        // Only the first id is checked.
        QCOMPARE(GuideWalk::path(g, {"a", "zz"}), (QStringList{"a", "zz"}));
        QCOMPARE(GuideWalk::path(Guide{}, {"a"}), QStringList{""});
        QVERIFY(!GuideWalk::current(Guide{}, {""}));

        // A last id that names no node falls back to the start, numbered by the whole path.
        const QStringList lost = {"a", "zz"};
        QCOMPARE(GuideWalk::current(g, lost)->nodeID, QStringLiteral("a"));
        QCOMPARE(GuideWalk::stepLabel(*GuideWalk::current(g, lost), lost), QStringLiteral("Step 2"));
        QCOMPARE(GuideWalk::stepLabel(*g.node(QStringLiteral("d")), {"a", "b", "d"}), QStringLiteral("Most likely"));
        QCOMPARE(GuideWalk::stepLabel(node("u", "odd", "?"), {"a"}), QStringLiteral("Step 1"));
        QCOMPARE(GuideWalk::answerKind(node("u", "odd", "?")), GuideWalk::Answers::End);

        QCOMPARE(GuideWalk::go({"a"}, QStringLiteral("b")), (QStringList{"a", "b"}));
        QCOMPARE(GuideWalk::go({"a"}, std::nullopt), std::nullopt);
        QCOMPARE(GuideWalk::back({"a", "b"}), QStringList{"a"});
        QVERIFY(!GuideWalk::canGoBack({"a"}));
    }

    void guideAnswersLine()
    {
        const Guide g = walkGuide();
        QCOMPARE(GuideWalk::answers(g, {"a"}), QStringLiteral("Your answers: "));
        QCOMPARE(GuideWalk::answers(g, {"a", "b", "d"}),
                 QStringLiteral("Your answers: Is the coolant low? \u2192 Yes   \u203a   Top it up. \u2192 Done"));
        // A question without a yes is summed up as No; one whose yes and no agree as Yes;
        // an id that names no node gets no item.
        QCOMPARE(GuideWalk::answers(g, {"c", "d"}), QStringLiteral("Your answers: Does the fan run? \u2192 No"));
        QCOMPARE(GuideWalk::answers(g, {"s", "d"}), QStringLiteral("Your answers: Same either way? \u2192 Yes"));
        QCOMPARE(GuideWalk::answers(g, {"a", "zz", "d"}),
                 QStringLiteral("Your answers: Is the coolant low? \u2192 No"));

        const QString s44 = QString(44, u'x');
        QCOMPARE(GuideWalk::shortStep(s44), s44);
        QCOMPARE(GuideWalk::shortStep(s44 + u'y'), s44 + QStringLiteral("\u2026"));
        // User-perceived characters: an accent or a flag counts as one, never split.
        const QString accented = QString(43, u'a') + QStringLiteral("e\u0301");
        QCOMPARE(GuideWalk::shortStep(accented), accented);
        const QString flags = QString(43, u'a') + QStringLiteral("\U0001F1FA\U0001F1F8\U0001F1FA\U0001F1F8");
        QCOMPARE(GuideWalk::shortStep(flags), QString(43, u'a') + QStringLiteral("\U0001F1FA\U0001F1F8\u2026"));
    }

    void sourceLinksAndNotes()
    {
        const QHash<QString, SourceRef> sources = {
            {"ok", SourceRef{"ok", "Cooling", "NHTSA", "https://www.nhtsa.gov/cooling"}},
            {"empty", SourceRef{"empty", "Nothing", "X", ""}},
            {"script", SourceRef{"script", "Bad", "X", "javascript:alert(1)"}},
            {"file", SourceRef{"file", "Local", "X", "file:///etc/passwd"}},
            {"nohost", SourceRef{"nohost", "No host", "X", "https://"}}};
        const auto links = SourceLinks::listed({"missing", "empty", "ok", "script", "file", "nohost"}, sources);
        QCOMPARE(links.size(), 1);
        QCOMPARE(links[0].text, QStringLiteral("NHTSA: Cooling"));
        QCOMPARE(links[0].url, QUrl(QStringLiteral("https://www.nhtsa.gov/cooling")));

        const QHash<QString, SafetyNote> safety = {{"hot", SafetyNote{"hot", "Hot", "Wait.", QStringLiteral("ok")}},
                                                   {"bad", SafetyNote{"bad", "Bad", "x", QStringLiteral("script")}}};
        const auto notes = SourceLinks::notes({"bad", "gone", "hot"}, safety);
        QCOMPARE(notes.size(), 2);
        QCOMPARE(notes[1].id, QStringLiteral("hot"));
        QCOMPARE(SourceLinks::noteSource(notes[1], sources)->text, QStringLiteral("Source: NHTSA \u2014 Cooling"));
        QVERIFY(!SourceLinks::noteSource(notes[0], sources));
        QVERIFY(SourceLinks::guideClosing().contains(QStringLiteral("any model. General information")));
    }

    void obd1Cards()
    {
        OBD1Section s;
        s.id = QStringLiteral("not-covered");
        s.makes = QStringLiteral("Others");
        s.system = QStringLiteral("Various");
        QCOMPARE(OBD1Rules::title(s), QStringLiteral("What we don't cover yet"));
        QVERIFY(!OBD1Rules::showsSystem(s));
        QCOMPARE(OBD1Rules::tagTone(s), Tone::Accent);
        QCOMPARE(OBD1Rules::readingTitle(s), QString());
        s.id = QStringLiteral("pre-computer");
        s.steps = {QStringLiteral("Look")};
        QCOMPARE(OBD1Rules::title(s), QStringLiteral("Others"));
        QVERIFY(OBD1Rules::showsSystem(s));
        QCOMPARE(OBD1Rules::tagTone(s), Tone::Grey);
        QCOMPARE(OBD1Rules::readingTitle(s), QStringLiteral("Reading the codes"));
        QCOMPARE(OBD1Rules::stepLine(0, QStringLiteral("Look")), QStringLiteral("1. Look"));
        QVERIFY(OBD1Rules::footer().contains(QStringLiteral("when you're done. General information")));
    }

    void kitMonoFont()
    {
        KVScale::shared().setFactor(1.5);
        const QFont f = KVMono::font(10, QFont::Black);
        KVScale::shared().setFactor(1.0);
        QVERIFY(QFontInfo(f).fixedPitch());
        QCOMPARE(f.weight(), QFont::Bold);
        QCOMPARE(qRound(KVFont::pixelSizeOf(f)), 15);
    }
};

QTEST_MAIN(TestScreensReference)
#include "test_screens_reference.moc"
