#pragma once

#include "data/tsb.h"

#include <QObject>
#include <chrono>
#include <functional>

class HttpClient;

// Finds the agency's public copy of a service bulletin and opens it: asks
// the bulletin host for each candidate address in turn with a HEAD request
// (never from a cache, each with its own time-out) and opens the first that
// answers 200; when none does, opens the agency's recall lookup page.
class TSBOpener
{
public:
    TSBOpener() = delete;

    enum class Outcome {
        Opened,      // a copy answered 200 and was opened
        NotHosted,   // the host answered, but with no copy (or there was no address to ask)
        Unreachable, // no request got any HTTP answer (time-out, no route)
    };
    using Done = std::function<void(Outcome)>;

    static constexpr std::chrono::milliseconds timeout{12000};

    // Starts a search and returns at once. On the event loop, later, the
    // found copy or the lookup page goes to Opener::open, and then `done`
    // runs exactly once; when `receiver` is given, only while it lives.
    static void open(HttpClient &http, const TSB &tsb, QObject *receiver, Done done);
};
