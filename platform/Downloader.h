#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Fetches one file over the network into a local path.
class Downloader
{
public:
    // How many bytes came of how many (-1 while unknown); returning false cancels.
    using Progress = std::function<bool(qint64 received, qint64 total)>;

    virtual ~Downloader() = default;
    // Replaces `target` only with a whole file; after any failure it is exactly as it was.
    // Gives up when nothing arrives for `timeoutMs`. Returns the failure's text, or empty
    // text when the file was replaced.
    virtual QString download(const QUrl& url, const QString& target, int timeoutMs,
                             const Progress& progress = {}) = 0;
};
