#include "fvhelp.h"

#include "data/nhtsatext.h"
#include "fvinfo.h"
#include "platform/maker.h"

namespace FVHelp {

namespace {

QString lines(const QStringList &list)
{
    return list.join(u'\n');
}

QStringList words(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *w : list)
        out.append(QString::fromUtf8(w));
    return out;
}

// A spliced value stays on its own line of help text.
QString oneLine(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(u'\n', u' ');
    out.replace(u'\r', u' ');
    return out;
}

QString startBody()
{
    return lines({
        QStringLiteral("KVRN Fenwhistle Vorel is a troubleshooting reference for cars, SUVs, vans and light trucks "
                       "from 1970 to 2026. Everything works offline except the online VIN decode and opening service "
                       "bulletins at NHTSA."),
        QString(),
        QStringLiteral("## Step by step"),
        QStringLiteral("\u2022 Step 1: Pick the year, make and model under Find a Vehicle."),
        QStringLiteral("\u2022 Step 2: Read \"What it is known for\" at the top of the vehicle page."),
        QStringLiteral("\u2022 Step 3: Look at the \"Most-reported problem areas\" chart, and click a bar to see "
                       "what owners reported in that area."),
        QStringLiteral("\u2022 Step 4: Scroll down for safety recalls, NHTSA defect investigations, manufacturer "
                       "service bulletins, and engines and transmissions."),
        QStringLiteral("\u2022 Step 5: Check-engine light on? Read the codes with any OBD-II scan tool (1996 and "
                       "newer vehicles) and look them up under Trouble Codes."),
        QStringLiteral("\u2022 Step 6: A symptom but no code? Open Troubleshooting Guides and answer the questions."),
        QStringLiteral("\u2022 Step 7: An older vehicle (1981-1995)? Open OBD-I & Older Vehicles. Vehicles from the "
                       "1970s have no computer: see the guide for carbureted engines."),
        QStringLiteral("\u2022 Step 8: Save your vehicles in My Garage."),
        QStringLiteral("\u2022 Step 9: Make a Trouble Code Report (PDF) from the File menu or from My Garage."),
        QString(),
        QStringLiteral("The Search box at the top takes a vehicle (\"2002 Navigator\"), a code (\"P0420\"), a "
                       "symptom (\"overheating\") or a recall number (\"05V388\")."),
    });
}

QString findBody()
{
    return lines({
        QStringLiteral("The three columns work left to right: Year, then Make, then Model. The number next to each "
                       "make is how many models it has that year. Click a model to open its page."),
        QString(),
        QStringLiteral("## Heavy and commercial trucks"),
        QStringLiteral("Medium-duty chassis (for example the F-650 or cutaway vans) are hidden unless \"Show heavy / "
                       "commercial trucks\" is turned on."),
        QString(),
        QStringLiteral("## 1970-1980"),
        QStringLiteral("The official US model catalog (NHTSA vPIC) starts with 1981. Models for 1970-1980 come only "
                       "from NHTSA recall, complaint and bulletin records and are marked \"low confidence\". Their "
                       "years are the years in which the model was mentioned, not exact production years."),
        QString(),
        QStringLiteral("## Try these"),
        QStringLiteral("The buttons under the picker open well-known examples."),
    });
}

QString vehicleBody()
{
    return lines({
        QStringLiteral("## Header"),
        QStringLiteral("The header shows a photo when a licensed one exists, or else a drawn outline, with the make "
                       "and model, a model-year menu and the years in which the model is listed in the reference "
                       "data. The photo is representative and may show another generation of the model."),
        QStringLiteral("\u2022 \"Add to My Garage\" saves the vehicle in My Garage."),
        QStringLiteral("\u2022 \"Check open recalls by VIN\" opens NHTSA's recall look-up."),
        QString(),
        QStringLiteral("## What it is known for"),
        QStringLiteral("Three separate signals side by side: problem areas that stand out in owner complaints, "
                       "safety recalls, and the topics of the maker's service bulletins. A problem can appear in one "
                       "and not the others."),
        QString(),
        QStringLiteral("## Most-reported problem areas"),
        QStringLiteral("See the next help topic."),
        QString(),
        QStringLiteral("## Safety recalls"),
        QStringLiteral("Every recall that NHTSA links to the model year. Click a recall to see its summary, "
                       "consequence and remedy, and the other vehicles it covers. Equipment recalls are for parts "
                       "sold for the vehicle rather than for the vehicle itself."),
        QStringLiteral("Confirm open recalls for your own vehicle by its VIN on NHTSA's recall web page."),
        QString(),
        QStringLiteral("## NHTSA defect investigations"),
        QStringLiteral("Investigations that NHTSA opened into the model year. Click one to see its summary and "
                       "whether it led to a recall."),
        QString(),
        QStringLiteral("## Manufacturer service bulletins (TSBs)"),
        QStringLiteral("The maker's communications to its dealers, each with NHTSA's short summary. The filter box "
                       "narrows the list (for example \"transmission\"). \"Open at NHTSA\" looks for the public copy "
                       "online and needs the internet."),
        QStringLiteral("The full bulletins belong to the maker and are never stored in the app."),
        QString(),
        QStringLiteral("## Engines and transmissions (EPA)"),
        QStringLiteral("The engine, transmission and drive combinations that the EPA lists for the model year on its "
                       "fuel-economy labels, from 1984 on."),
    });
}

QString complaintsBody(const Provenance &provenance)
{
    const bool sample = provenance.generated(Provenance::Kind::Complaints);
    return lines({
        QStringLiteral("The chart counts ") + (sample ? provenance.complaintsLabel() : FVInfo::complaintsLabel())
            + (sample ? QStringLiteral(". Each bar is a part of the vehicle, sized the way owners' complaints to NHTSA "
                                       "would size it. Click a bar to see the sub-areas.")
                      : QStringLiteral(". Each bar is a part of the vehicle owners named when they filed a complaint with "
                                       "NHTSA. Click a bar to see the sub-areas.")),
        QString(),
        QStringLiteral("## What \"notably high\" means"),
        QStringLiteral("A bar is marked NOTABLY HIGH only when all four are true:"),
        QStringLiteral("\u2022 The area's share of the vehicle's complaints is at least 3 times its usual share for "
                       "all vehicles of the same model year."),
        QStringLiteral("\u2022 At least 20 complaints name the area."),
        QStringLiteral("\u2022 The vehicle and model year have at least 50 complaints in all."),
        QStringLiteral("\u2022 The difference is statistically strong (a z-score of 4 or more)."),
        QString(),
        QStringLiteral("## Read it carefully"),
        QStringLiteral("\u2022 These are counts of complaints, not failure rates and not a reliability rating."),
        QStringLiteral("\u2022 The counts are not adjusted for how many vehicles were sold."),
        QStringLiteral("\u2022 One complaint can name several areas, so the bars can add up to more than the total."),
        QStringLiteral("\u2022 NHTSA's file holds complaints from 1995 on, so older model years are under-counted."),
        QStringLiteral("Wording we use: \"owners reported transmission problems to NHTSA about 3x as often as for "
                       "other vehicles of that year\" \u2014 never \"fails 3x as often\"."),
    });
}

QString codesBody()
{
    return lines({
        QStringLiteral("Type a code (for example P0420) or words (for example \"misfire\"). The colored dot shows "
                       "how serious a code is. Each code shows:"),
        QStringLiteral("\u2022 What it means."),
        QStringLiteral("\u2022 Common causes (general, not specific to one model)."),
        QStringLiteral("\u2022 Symptoms."),
        QStringLiteral("\u2022 What to check first."),
        QStringLiteral("\u2022 A seriousness dial: Drive (fix when convenient), Drive soon (get it checked soon) or "
                       "Stop (don't keep driving)"),
        QString(),
        QStringLiteral("## Draft label"),
        QStringLiteral("Every code is marked \"") + FVInfo::draftLabel()
            + QStringLiteral("\". The texts were written by Brackenfold in our own words and are being reviewed by "
                             "an automotive technician."),
        QString(),
        QStringLiteral("## Codes not in the list"),
        QStringLiteral("For any code, the app explains what its letters and digits mean. Codes whose second "
                       "character is 1 (P1xxx, B1xxx, C1xxx, U1xxx) are defined by each vehicle maker."),
        QString(),
        QStringLiteral("## Reading codes"),
        QStringLiteral("US vehicles from 1996 on have a 16-pin OBD-II port under the dashboard, and any OBD-II scan "
                       "tool reads it."),
        QStringLiteral("Write down every code before clearing anything."),
    });
}

QString guidesBody()
{
    return lines({
        QStringLiteral("Pick a guide on the left. The guides are grouped by system: engine, cooling, transmission, "
                       "brakes, steering, suspension, electrical and wiring, differentials and 4WD, climate, leaks, "
                       "older vehicles and more."),
        QString(),
        QStringLiteral("## Using a guide"),
        QStringLiteral("\u2022 Read the Safety first box before you begin."),
        QStringLiteral("\u2022 Answer Yes or No, or press \"Done \u2014 next\" after a step."),
        QStringLiteral("\u2022 \"Back\" goes one step back, and \"Start over\" returns to the first question."),
        QStringLiteral("\u2022 The last step shows the most likely cause and what to do about it."),
        QStringLiteral("\u2022 \"See a professional when\u2026\" lists the situations that call for a qualified "
                       "technician."),
        QStringLiteral("\u2022 Public references are listed at the bottom."),
        QString(),
        QStringLiteral("The guides are general and never replace the maker's service procedures."),
    });
}

QString obd1Body()
{
    return lines({
        QStringLiteral("Before 1996 every maker had its own diagnostic system. This screen explains how stored codes "
                       "were read on GM, Ford, Chrysler/Jeep, Toyota/Lexus, Honda/Acura and Nissan/Infiniti "
                       "vehicles, and what is not covered yet (including the code-number tables)."),
        QString(),
        QStringLiteral("## 1970s vehicles"),
        QStringLiteral("Most have no computer and no codes. Use the \"1970s and carbureted engines\" guide and its "
                       "tools: a timing light, a vacuum gauge and a compression gauge."),
    });
}

QString vinBody()
{
    return lines({
        QStringLiteral("Type or paste the 17-character VIN."),
        QString(),
        QStringLiteral("## Offline (always)"),
        QStringLiteral("The model year comes from the 10th character, and the check digit (the 9th character) "
                       "catches most typing mistakes. Vehicles made before 1981 have shorter serial numbers that "
                       "these rules cannot decode."),
        QString(),
        QStringLiteral("## Online"),
        QStringLiteral("Decode Online asks NHTSA's free vPIC service for the make, model, engine, plant and more. "
                       "When the vehicle is in the reference data, a button opens its page. \"Save to My Garage\" "
                       "stores it with its VIN."),
        QStringLiteral("When the computer is offline the app says so and the offline results still work."),
    });
}

QString garageBody()
{
    return lines({
        QStringLiteral("Save your vehicles with a nickname, VIN, engine, mileage and notes, and keep a service log "
                       "(date, mileage, work done, cost)."),
        QStringLiteral("\u2022 Add vehicles from a vehicle page (\"Add to My Garage\") or from the VIN Decoder."),
        QStringLiteral("\u2022 Change any field, then press \"Save changes\"."),
        QStringLiteral("\u2022 Add service entries at the top of the Service log. An entry with a higher mileage "
                       "updates the vehicle's mileage."),
        QStringLiteral("\u2022 Add the trouble codes you read, then make a Trouble Code Report."),
        QStringLiteral("\u2022 \"Export My Garage\u2026\" saves a spreadsheet (CSV) and a printable web page to a "
                       "folder you choose."),
    });
}

QString reportBody()
{
    return lines({
        QStringLiteral("The Trouble Code Report is a printable PDF for one vehicle in My Garage, to take to your "
                       "mechanic, e-mail or keep."),
        QString(),
        QStringLiteral("## Step by step"),
        QStringLiteral("\u2022 Step 1: Save the vehicle in My Garage and fill in its engine and mileage."),
        QStringLiteral("\u2022 Step 2: Read the codes and add each one with \"Add code\" in My Garage, or use "
                       "\"Save \u2026 to a vehicle\" on a code's page."),
        QStringLiteral("\u2022 Step 3: Press \"Trouble Code Report (PDF)\" and choose Save as PDF, Print or Share."),
        QStringLiteral("The same commands are in the File menu: Save Trouble Code Report as PDF\u2026 (Ctrl+Shift+R), "
                       "Share Trouble Code Report\u2026 and Print Trouble Code Report\u2026 (Ctrl+P). They use the "
                       "vehicle selected in My Garage and, on the Trouble Codes screen, add the code being looked "
                       "at."),
        QString(),
        QStringLiteral("## What is in the report"),
        QStringLiteral("\u2022 The vehicle: year, make, model, engine and mileage, plus its nickname and VIN when "
                       "saved."),
        QStringLiteral("\u2022 Every code: what it means, how serious it is (Drive / Drive soon / Stop), the likely "
                       "causes with the most likely first, what to check first, the typical fix with a rough cost "
                       "range, and related recalls and guides."),
        QStringLiteral("\u2022 Codes typed in the notes or the service log are found and included."),
        QStringLiteral("\u2022 Your notes, the service history, every recall on file for the model year and a short "
                       "\"Take this to your mechanic\" summary."),
        QStringLiteral("\u2022 The footer of every page carries the product name, the maker's name and the maker's "
                       "web address: ") +
            FVInfo::appName() + QStringLiteral(" by Brackenfold \u2014 ") + Maker::website() + u'.',
        QString(),
        QStringLiteral("## Costs"),
        QStringLiteral("The cost ranges are rough 2026 U.S. independent-shop prices for parts and labor. Dealers "
                       "charge more, doing it yourself costs less, and prices vary by vehicle and region."),
        QStringLiteral("They are not quotes: ask for a written estimate."),
    });
}

QString searchBody()
{
    return QStringLiteral("The Search box at the top searches vehicles, trouble codes, guides, the OBD-I section and "
                          "recalls together. Put a year in front of a model to jump straight to that year (\"2015 "
                          "F-150\"). An exact code (\"P0301\") always comes first.");
}

// The bullets on where the agency records come from: the agency's for the
// kinds that are real, plain words for the kinds that are generated.
QStringList recordSources(const Provenance &provenance)
{
    if (!provenance.anyGenerated())
        return {QStringLiteral("\u2022 Recalls, owner complaints (counts only), defect investigations and service-bulletin "
                               "summaries: the U.S. National Highway Traffic Safety Administration (NHTSA), downloaded "
                               "October 2026."),
                QStringLiteral("\u2022 Models and model years: NHTSA vPIC (1981 on). Engines and transmissions: the U.S. "
                               "EPA/DOE fuel-economy data (1984 on).")};
    static const QList<QPair<Provenance::Kind, const char *>> kinds = {
        {Provenance::Kind::Recalls, "Recalls"},
        {Provenance::Kind::Complaints, "owner-complaint counts"},
        {Provenance::Kind::Investigations, "defect investigations"},
        {Provenance::Kind::Bulletins, "service-bulletin summaries"}};
    QStringList real, made;
    for (const auto &[kind, name] : kinds)
        (provenance.generated(kind) ? made : real) << QLatin1String(name);
    const auto list = [](QStringList names) {
        names.first()[0] = names.first()[0].toUpper();
        const QString last = names.takeLast();
        return names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    };
    QStringList out;
    if (!real.isEmpty())
        out << QStringLiteral("\u2022 ") + list(real)
                   + QStringLiteral(": the U.S. National Highway Traffic Safety Administration (NHTSA).");
    if (!made.isEmpty())
        out << QStringLiteral("\u2022 ") + list(made)
                   + QStringLiteral(": generated sample data that stands in for NHTSA's records; every one is marked "
                                    "\"sample\". They are not agency records: their numbers are made up, and a real "
                                    "recall with the same number is a different recall.");
    out << (provenance.generated(Provenance::Kind::Engines)
                ? QStringLiteral("\u2022 Models and model years: NHTSA vPIC (1981 on). Engine listings: partly generated "
                                 "sample data, as the note at the foot of each vehicle page says.")
                : QStringLiteral("\u2022 Models and model years: NHTSA vPIC (1981 on). Engines and transmissions: the U.S. "
                                 "EPA/DOE fuel-economy data (1984 on)."));
    return out;
}

QString dataBody(const Provenance &provenance)
{
    QStringList body = {provenance.anyGenerated() ? provenance.dataCredit() : FVInfo::dataCredit(), QString()};
    body << recordSources(provenance);
    return lines(body + QStringList{
        QStringLiteral("\u2022 Trouble-code explanations, guides and OBD-I notes: written by Brackenfold."),
        provenance.drawnPhotos()
            ? QStringLiteral("\u2022 Pictures: simple drawings made for this database, not photographs (see Photo credits).")
            : QStringLiteral("\u2022 Photos: Wikimedia Commons contributors (see Photo credits)."),
        QStringLiteral("The app never stores complaint narratives, names, VINs or other personal details from NHTSA "
                       "files. Your garage stays on your computer. The app goes online only when you press Decode "
                       "Online or open a bulletin at NHTSA."),
        QString(),
        FVInfo::disclaimer(),
    });
}

QString screensBody()
{
    return lines({
        QStringLiteral("## File menu"),
        QStringLiteral("Ctrl+Shift+R Save Trouble Code Report as PDF\u2026, Share Trouble Code Report\u2026, Ctrl+P "
                       "Print Trouble Code Report\u2026 (for the vehicle selected in My Garage)."),
        QString(),
        QStringLiteral("## Go menu"),
        QStringLiteral("Ctrl+1 Find a Vehicle, Ctrl+2 Vehicle, Ctrl+3 Trouble Codes, Ctrl+4 Guides, Ctrl+5 OBD-I, "
                       "Ctrl+6 VIN Decoder, Ctrl+7 My Garage"),
        QStringLiteral("Ctrl+F jumps to Search."),
        QString(),
        QStringLiteral("## Theme menu"),
        QStringLiteral("Six chrome themes: Cobalt Gunmetal, Candy Red Titanium, Rose Gold, Lavender Pearl, Midnight "
                       "Black and Brushed Gray."),
        QString(),
        QStringLiteral("## View menu"),
        QStringLiteral("Zoom the whole window from 85% to 200% (Ctrl++ and Ctrl+\u2212, Ctrl+0 for 100%)."),
    });
}

} // namespace

QString photosBody(const QList<PhotoCredit> &photoCredits, const Provenance &provenance)
{
    QString body = provenance.drawnPhotos()
        ? QStringLiteral("Every vehicle picture is a simple drawing made for this database, not a photograph; the list "
                         "gives each one with its terms. The same list, with thumbnails, is on the Data & Photo "
                         "Credits screen (Help \u2192 Photo Credits\u2026).\n\n")
        : QStringLiteral("Every vehicle photo, its author and license. The same list, with clickable links "
                         "and thumbnails, is on the Data & Photo Credits screen (Help \u2192 Photo "
                         "Credits\u2026).\n\n");
    QStringList credits;
    for (const PhotoCredit &c : photoCredits) {
        credits.append(QStringLiteral("\u2022 ") + oneLine(NHTSAText::pretty(c.make)) + u' ' + oneLine(c.model)
                       + QStringLiteral(": ") + oneLine(c.attribution) + QStringLiteral(" License: ")
                       + oneLine(c.license) + u' ' + oneLine(c.licenseURL));
    }
    return body + credits.join(u'\n');
}

KVRNHelpTopics topics(const QList<PhotoCredit> &photoCredits, const Provenance &provenance)
{
    return {
        {QStringLiteral("start"), QStringLiteral("Getting started (start to finish)"), startBody(),
         words({"begin", "how", "start", "tutorial", "overview", "first"})},
        {QStringLiteral("find"), QStringLiteral("Find a Vehicle (year, make, model)"), findBody(),
         words({"picker", "year", "make", "model", "select", "choose", "heavy", "1970s"})},
        {QStringLiteral("vehicle"), QStringLiteral("The vehicle page, section by section"), vehicleBody(),
         words({"recall", "tsb", "bulletin", "investigation", "engine", "transmission", "epa", "photo", "known"})},
        {QStringLiteral("complaints"), QStringLiteral("Most-reported problem areas and \"notably high\""),
         complaintsBody(provenance),
         words({"chart", "complaint", "notably", "high", "reliability", "failure", "rate", "statistics"})},
        {QStringLiteral("codes"), QStringLiteral("Trouble Codes (OBD-II)"), codesBody(),
         words({"dtc", "p0", "obd", "obd2", "obdii", "scan", "check engine", "seriousness", "draft", "code"})},
        {QStringLiteral("guides"), QStringLiteral("Troubleshooting Guides (Yes/No)"), guidesBody(),
         words({"symptom", "no start", "overheat", "decision", "tree", "safety", "jack", "brakes", "leak", "noise",
                "smell"})},
        {QStringLiteral("obd1"), QStringLiteral("OBD-I & Older Vehicles"), obd1Body(),
         words({"obd1", "obd-i", "flash codes", "aldl", "eec", "jumper", "1980s", "carburetor", "points"})},
        {QStringLiteral("vin"), QStringLiteral("VIN Decoder"), vinBody(),
         words({"vin", "decode", "check digit", "model year", "serial", "vpic"})},
        {QStringLiteral("garage"), QStringLiteral("My Garage (notes, mileage, service log, export)"), garageBody(),
         words({"garage", "save", "notes", "mileage", "service", "log", "export", "csv", "print", "maintenance"})},
        {QStringLiteral("report"), QStringLiteral("Trouble Code Report (printable PDF for your mechanic)"),
         reportBody(),
         words({"report", "pdf", "mechanic", "shop", "print", "share", "trouble code report", "estimate", "cost",
                "price"})},
        {QStringLiteral("search"), QStringLiteral("Search"), searchBody(), words({"find", "search", "lookup"})},
        {QStringLiteral("data"), QStringLiteral("Data sources, accuracy and privacy"), dataBody(provenance),
         words({"nhtsa", "epa", "source", "credit", "privacy", "accuracy", "endorse", "data"})},
        {QStringLiteral("photos"), QStringLiteral("Photo credits"), photosBody(photoCredits, provenance),
         words({"photo", "image", "picture", "credit", "attribution", "license", "wikimedia", "commons", "cc by"})},
        {QStringLiteral("screens"), QStringLiteral("Menus, keyboard shortcuts, themes and zoom"), screensBody(),
         words({"shortcut", "keyboard", "menu", "zoom", "theme", "color", "bigger"})},
    };
}

} // namespace FVHelp
