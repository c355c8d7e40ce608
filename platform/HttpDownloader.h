#pragma once

#include "platform/Downloader.h"

// Downloads over HTTP into a temporary file beside the target, which takes the target's
// place only when the server said yes and the whole body arrived.
class HttpDownloader : public Downloader
{
public:
    QString download(const QUrl& url, const QString& target, int timeoutMs,
                     const Progress& progress = {}) override;
};
