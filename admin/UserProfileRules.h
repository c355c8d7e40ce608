#pragma once

#include "data/ControlRecords.h"

#include <QChar>
#include <QHash>
#include <QStringList>

class TextCodec;

// What the profile editor's drop-down lists offer.
struct ProfileChoices {
    QStringList niks;   // the users
    QStringList sales1; // "1", "All Team" when sales teams exist, then the team members
    QStringList sales2; // the team members
    QStringList teams;  // the team names
};

// Lists from the rows in the order the database returned them: members holds the salesman
// of each sales-team row (one entry per row, blanks included). Every entry appears once,
// where it first occurs; blank entries are left out.
ProfileChoices profileChoices(const QStringList& niks, const QStringList& members,
                              const QStringList& teams);

// Whether a right field takes a key: Backspace, Enter, space, "0" and "1" pass, every other
// key that types a character is swallowed. Keys that type nothing (Tab, arrows, Delete,
// shortcuts) keep their usual work; what a paste brings is left to the field's validator.
bool rightFieldAdmits(int key, const QString& text);

// Why a profile cannot be stored as it stands.
struct ProfileProblem {
    enum class Kind { None, TooLong, Unstorable };
    Kind kind = Kind::None;
    QString ControlRecords::UserRecord::*field = nullptr;
    int width = 0;   // TooLong: how many characters the column takes
    QChar character; // Unstorable: the first character the connection cannot carry

    explicit operator bool() const { return kind != Kind::None; }
};

// The first written slot whose text the database would refuse or change: longer than its
// column (widths by column name; a column without a width is not checked), or holding a
// character the connection's character set has no code for.
ProfileProblem checkProfile(const ControlRecords::UserRecord& profile,
                            const QHash<QString, int>& widths, const TextCodec& codec);
