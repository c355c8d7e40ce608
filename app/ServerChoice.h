#pragma once

#include <QString>
#include <functional>

class Pinger;
struct ServerSettings;

// Which server the program works on: the LAN server when it answers the echo (and no other
// then, a failure there shows later), else the head office, else the fallback.
struct ServerChoice {
    enum class Server { Lan, HeadOffice, Fallback, None };

    Server server = Server::None;
    QString address; // the server recorded as the program's, also when none could be attached
    int port = 0;
    bool attached = false; // whether the attach callback succeeded on it
    QString message;       // what the window tells the user

    bool offline() const { return server == Server::Fallback; }
};

// Tries to open the control database on host:port; false when it cannot.
using AttachServer = std::function<bool(const QString& host, int port)>;
// Shows the user a message at the moment the choice reaches it: the LAN message comes
// before the LAN attach, the others after their outcome.
using TellUser = std::function<void(const QString& message)>;

ServerChoice chooseServer(Pinger& pinger, const ServerSettings& servers, const AttachServer& attach,
                          const TellUser& tell = {});
