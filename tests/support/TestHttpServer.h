#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A one-file HTTP server on 127.0.0.1 for download tests. Every request gets the answer
// chosen beforehand; it runs on the test's own thread, served by whatever event loop the
// code under test spins.
class TestHttpServer : public QObject
{
    Q_OBJECT
public:
    enum class Answer {
        Whole,      // 200 with the whole body
        NotFound,   // 404
        CutHalfway, // 200, Content-Length of the whole body, half of it, then the end
        Silent,     // the connection is taken and nothing ever comes back
    };

    explicit TestHttpServer(const QByteArray& body, QObject* parent = nullptr);
    bool listen();
    // "127.0.0.1:port", as the update host is configured.
    QString host() const;
    // A host where nothing listens: a port that was free a moment ago.
    static QString deadHost();

    Answer answer = Answer::Whole;
    QByteArray body;
    QStringList requests; // request lines, "GET /path HTTP/1.1"

private:
    void serve(QTcpSocket* socket);

    QTcpServer m_server;
    QList<QTcpSocket*> m_silent;
};
