// Windows sends a program no signals to end it: a log-off or a shut-down
// reaches it as the session's commitDataRequest instead.
#include "endrequests.h"

void catchEndRequests()
{}

void onEndRequest(QObject *, std::function<void()>)
{}
