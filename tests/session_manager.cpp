// A session manager for a single client, to log it out the way a desktop
// session on X does, over the X session management protocol:
//   session_manager
// prints the address to give the client in SESSION_MANAGER, then
// "registered" once the client has joined. Each line read from standard
// input is a step of the logout: "save" asks the client to save its data for
// a shutdown and prints "saved" when it has; "die" tells it to end. The
// program prints "closed" and ends once the client has left.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int _IceTransNoListen(const char *protocol);

namespace {

SmsConn client = nullptr;
bool clientGone = false;

void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

Status registerClient(SmsConn conn, SmPointer, char *previousId)
{
    std::free(previousId);
    char *id = SmsGenerateClientID(conn);
    const Status replied = SmsRegisterClientReply(conn, id);
    std::free(id);
    client = conn;
    say("registered");
    return replied;
}

void interactRequest(SmsConn conn, SmPointer, int)
{
    SmsInteract(conn);
}

void interactDone(SmsConn, SmPointer, Bool) {}

void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void saveYourselfPhase2Request(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}

void saveYourselfDone(SmsConn, SmPointer, Bool success)
{
    say(success ? "saved" : "not saved");
}

void closeConnection(SmsConn conn, SmPointer, int count, char **reasons)
{
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(conn);
    SmsCleanUp(conn);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    client = nullptr;
    clientGone = true;
}

void setProperties(SmsConn, SmPointer, int count, SmProp **properties)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    std::free(properties);
}

void deleteProperties(SmsConn, SmPointer, int count, char **names)
{
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}

void getProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status newClient(SmsConn, SmPointer, unsigned long *mask, SmsCallbacks *callbacks, char **)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
            | SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask
            | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask
            | SmsGetPropertiesProcMask;
    *callbacks = {};
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = interactDone;
    callbacks->save_yourself_request.callback = saveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = saveYourselfPhase2Request;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    return 1;
}

// Only the test's own client connects, through a socket in /tmp/.ICE-unix;
// no authentication is set up for it.
Bool anyHost(char *)
{
    return True;
}

// A step read from standard input; false at its end.
bool step()
{
    static std::string pending;
    char buffer[64];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    pending.append(buffer, size_t(n));
    for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
        const std::string line = pending.substr(0, end);
        if (!client)
            say("no client");
        else if (line == "save")
            SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleAny, False);
        else if (line == "die")
            SmsDie(client);
    }
    return true;
}

} // namespace

int main()
{
    char error[256] = "";
    _IceTransNoListen("tcp");
    int count = 0;
    IceListenObj *listeners = nullptr;
    if (!SmsInitialize("kavlo-test", "1.0", newClient, nullptr, anyHost, sizeof error, error)
        || !IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "session_manager: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    char *address = IceComposeNetworkIdList(count, listeners);
    say(address);
    std::free(address);

    IceConn connection = nullptr;
    while (!clientGone) {
        std::vector<pollfd> watched{{STDIN_FILENO, POLLIN, 0}};
        for (int i = 0; i < count; ++i)
            watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        const bool connectionWatched = connection != nullptr;
        if (connectionWatched)
            watched.push_back({IceConnectionNumber(connection), POLLIN, 0});
        if (::poll(watched.data(), watched.size(), -1) < 0)
            return 1;
        if (watched[0].revents && !step())
            return 1;
        for (int i = 0; i < count; ++i) {
            if (watched[size_t(i) + 1].revents && !connection) {
                IceAcceptStatus status;
                connection = IceAcceptConnection(listeners[i], &status);
            }
        }
        if (connectionWatched && watched.back().revents
            && IceProcessMessages(connection, nullptr, nullptr) == IceProcessMessagesIOError && !clientGone) {
            IceCloseConnection(connection);
            break;
        }
    }
    IceFreeListenObjs(count, listeners);
    say("closed");
    return 0;
}
