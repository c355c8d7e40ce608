#include "tests/support/TestHttpServer.h"

#include <QTcpSocket>

TestHttpServer::TestHttpServer(const QByteArray& body, QObject* parent)
    : QObject(parent), body(body)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
}

bool TestHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

QString TestHttpServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

QString TestHttpServer::deadHost()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

void TestHttpServer::serve(QTcpSocket* socket)
{
    // The whole request head first; the downloader sends no body.
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("served").toBool())
        return;
    socket->setProperty("served", true);
    requests << QString::fromLatin1(head.left(head.indexOf("\r\n")));

    auto header = [](const char* status, qsizetype length) {
        return QByteArray("HTTP/1.1 ") + status +
               "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
               QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
    };
    switch (answer) {
    case Answer::Whole:
        socket->write(header("200 OK", body.size()) + body);
        socket->disconnectFromHost();
        break;
    case Answer::NotFound:
        socket->write(header("404 Not Found", 9) + "Not Found");
        socket->disconnectFromHost();
        break;
    case Answer::CutHalfway:
        socket->write(header("200 OK", body.size()) + body.left(body.size() / 2));
        socket->disconnectFromHost();
        break;
    case Answer::Silent:
        m_silent << socket;
        break;
    }
}
