// Requests to end the program that come from outside its windows: the
// signals that a desktop session or a shutdown (SIGTERM, SIGHUP) and a
// terminal (SIGINT) send.
#pragma once

#include <functional>

class QObject;

// Called first thing in main(): from then on those signals no longer end the
// program on the spot, and one that comes before anything listens waits for
// the first owner.
void catchEndRequests();

// While owner lives, those signals no longer end the program on the spot:
// each calls requested from the event loop instead, once the signal handler
// has returned, so that the program can save and end in its own way. When
// the last owner is gone, the signals work as they did before.
void onEndRequest(QObject *owner, std::function<void()> requested);
