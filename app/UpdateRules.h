#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <optional>

// The release rules: which released versions this program runs, when the installed
// updater counts as old, where a new one comes from, and the program's about text.
namespace UpdateRules
{

// True for the released versions this program was built to run alongside; exact text.
bool isAcceptedVersion(const QString& released);

// The release date of the updater as the application record writes it: "dd/MM/yyyy",
// optionally followed by a time. Invalid for anything else, empty text included.
QDateTime parseReleaseDate(const QString& text);

// A file time as the file system's date-time form keeps it: whole seconds, even ones.
QDateTime inTwoSecondSteps(const QDateTime& time);

// True when the release is later than the installed updater's time. An updater that
// is not installed counts as older than any release.
bool isUpdaterOutdated(const std::optional<QDateTime>& installed, const QDateTime& release);

// The updater's file in an installation folder.
QString updaterPath(const QString& folder);

// Where the newest updater is published on the update host ("address" or "address:port").
QUrl updaterUrl(const QString& host);

// The lines of the about box, joined by empty lines.
QString aboutText();

} // namespace UpdateRules
