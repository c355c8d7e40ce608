#include "platform/HttpDownloader.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

QString HttpDownloader::download(const QUrl& url, const QString& target, int timeoutMs,
                                 const Progress& progress)
{
    // QSaveFile writes beside the target and renames over it on commit; until then the
    // old file is untouched, and without a commit the temporary file is removed.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = manager.get(request);

    QString failure;
    qint64 received = 0;
    auto store = [&] {
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || !failure.isEmpty())
            return;
        if (file.write(chunk) != chunk.size()) {
            failure = file.errorString();
            reply->abort();
            return;
        }
        received += chunk.size();
    };
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, store);
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 got, qint64 total) {
        if (progress && failure.isEmpty() && !progress(got, total)) {
            failure = QStringLiteral("Download cancelled");
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    store();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (failure.isEmpty() && reply->error() != QNetworkReply::NoError)
        failure = reply->errorString();
    if (failure.isEmpty() && (status < 200 || status > 299))
        failure = QStringLiteral("HTTP status %1").arg(status);
    // A connection closed early may still end without an error of the network layer.
    if (failure.isEmpty() && length.isValid() && length.toLongLong() != received)
        failure = QStringLiteral("Received %1 of %2 bytes").arg(received).arg(length.toLongLong());
    // No program is empty.
    if (failure.isEmpty() && received == 0)
        failure = QStringLiteral("Empty file");
    reply->deleteLater();

    if (!failure.isEmpty()) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
