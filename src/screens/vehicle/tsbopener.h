#pragma once

#include "data/tsb.h"

#include <QObject>
#include <QUrl>
#include <chrono>
#include <functional>

class HttpClient;
class QWidget;

// Finds the agency's public copy of a service bulletin and opens it: asks
// the bulletin host for each candidate address in turn with a HEAD request
// (never from a cache, each with its own time-out) and opens the first that
// answers 200; when none does, opens the agency's recall lookup page.
class TSBOpener
{
public:
    TSBOpener() = delete;

    enum class Outcome {
        Opened,      // a copy answered 200
        NotHosted,   // the host answered, but with no copy (or there was no address to ask)
        Unreachable, // no request got any HTTP answer (time-out, no route)
    };
    using Done = std::function<void(Outcome)>;

    // What a search found and whether a browser took the address it opened.
    struct Result
    {
        Outcome outcome = Outcome::NotHosted;
        QUrl address;       // the copy, or the lookup page
        bool opened = false; // false: no browser could be started for it
    };
    using Finished = std::function<void(const Result &)>;

    static constexpr std::chrono::milliseconds timeout{12000};

    // Starts a search and returns at once. On the event loop, later, the
    // found copy or the lookup page goes to Opener, and when it has told
    // whether a browser took it, `done` runs exactly once; when `receiver`
    // is given, only while it lives.
    static void find(HttpClient &http, const TSB &tsb, QObject *receiver, Finished done);

    // The same search for callers that show only the outcome: when no
    // browser takes the address, a note beside the focused control inside
    // `receiver` (or `receiver` itself) says what was found and offers the
    // address to copy, and `done` hears Opened, so nothing else claims a
    // page is open.
    static void open(HttpClient &http, const TSB &tsb, QObject *receiver, Done done);
};
