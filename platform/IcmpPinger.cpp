#include "platform/IcmpPinger.h"

#include <QDeadlineTimer>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

quint16 checksum(const unsigned char* data, int len)
{
    quint32 sum = 0;
    for (int i = 0; i + 1 < len; i += 2)
        sum += quint32(data[i] << 8 | data[i + 1]);
    if (len & 1)
        sum += quint32(data[len - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    return quint16(~sum);
}

// Returns 1 for a reply, 0 for none, -1 when this kind of socket cannot be had.
int echoWithSocket(int type, const in_addr& target, int timeoutMs)
{
    const int fd = ::socket(AF_INET, type, IPPROTO_ICMP);
    if (fd < 0)
        return -1;
    const quint16 id = quint16(::getpid() & 0xffff);
    const quint16 seq = 1;
    unsigned char packet[16] = {ICMP_ECHO, 0, 0, 0, quint8(id >> 8), quint8(id), 0, quint8(seq)};
    std::memcpy(packet + 8, "vidarera", 8);
    const quint16 sum = checksum(packet, sizeof packet);
    packet[2] = quint8(sum >> 8);
    packet[3] = quint8(sum);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = target;
    int result = 0;
    if (::sendto(fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&to), sizeof to) > 0) {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, int(deadline.remainingTime())) <= 0)
                break;
            unsigned char reply[1500];
            sockaddr_in from{};
            socklen_t fromLen = sizeof from;
            const ssize_t n = ::recvfrom(fd, reply, sizeof reply, 0,
                                         reinterpret_cast<sockaddr*>(&from), &fromLen);
            if (n <= 0)
                break;
            int offset = 0;
            if (type == SOCK_RAW)
                offset = (reply[0] & 0x0f) * 4; // raw sockets deliver the IP header too
            if (n < offset + 8 || from.sin_addr.s_addr != target.s_addr)
                continue;
            const unsigned char* icmp = reply + offset;
            // The kernel rewrites the id of unprivileged echo sockets; match it only on raw ones.
            const bool ours = type != SOCK_RAW || (icmp[4] == packet[4] && icmp[5] == packet[5]);
            if (icmp[0] == ICMP_ECHOREPLY && ours) {
                result = 1;
                break;
            }
        }
    }
    ::close(fd);
    return result;
}

} // namespace
#endif

bool IcmpPinger::echo(const QString& address, int timeoutMs)
{
#ifdef Q_OS_UNIX
    in_addr target{};
    if (::inet_pton(AF_INET, address.toLatin1().constData(), &target) != 1)
        return false;
    for (const int type : {SOCK_DGRAM, SOCK_RAW}) {
        const int r = echoWithSocket(type, target, timeoutMs);
        if (r >= 0)
            return r == 1;
    }
#endif
    QProcess ping;
    const int seconds = qMax(1, (timeoutMs + 999) / 1000);
#ifdef Q_OS_WIN
    ping.start(QStringLiteral("ping"), {QStringLiteral("-n"), QStringLiteral("1"),
                                        QStringLiteral("-w"), QString::number(timeoutMs), address});
#else
    ping.start(QStringLiteral("ping"),
               {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"),
                QString::number(seconds), QStringLiteral("--"), address});
#endif
    if (!ping.waitForFinished(timeoutMs + 2000)) {
        ping.kill();
        ping.waitForFinished(1000);
        return false;
    }
    return ping.exitStatus() == QProcess::NormalExit && ping.exitCode() == 0;
}
