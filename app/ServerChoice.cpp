#include "app/ServerChoice.h"

#include "app/ServerSettings.h"
#include "data/ConnectionSet.h"
#include "platform/Pinger.h"

namespace
{
constexpr int kPingTimeoutMs = 5000;
} // namespace

ServerChoice chooseServer(Pinger& pinger, const ServerSettings& servers, const AttachServer& attach,
                          const TellUser& tell)
{
    ServerChoice choice;
    const auto say = [&](const QString& message) {
        choice.message = message;
        if (tell)
            tell(message);
    };
    if (pinger.echo(servers.lan, kPingTimeoutMs)) {
        choice.server = ServerChoice::Server::Lan;
        choice.address = servers.lan;
        choice.port = ConnectionSet::kLanPort;
        say(QStringLiteral("Akses Lokal Terhubung"));
        choice.attached = attach(choice.address, choice.port);
        return choice;
    }
    choice.port = ConnectionSet::kRemotePort;
    // With no server at all the head office stays recorded: the one the user normally reaches.
    choice.address = servers.headOffice;
    if (attach(servers.headOffice, choice.port)) {
        choice.server = ServerChoice::Server::HeadOffice;
        choice.attached = true;
        say(QStringLiteral("Database terkoneksi HO"));
        return choice;
    }
    if (attach(servers.fallback, choice.port)) {
        choice.server = ServerChoice::Server::Fallback;
        choice.address = servers.fallback;
        choice.attached = true;
        say(QStringLiteral("Database terkoneksi ke Dediz (Mode Offline)"));
        return choice;
    }
    say(QStringLiteral("Koneksi server bermasalah"));
    return choice;
}
