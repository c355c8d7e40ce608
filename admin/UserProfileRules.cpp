#include "admin/UserProfileRules.h"

#include "data/TextCodec.h"

#include <QSet>

namespace
{
void addOnce(QStringList& list, QSet<QString>& seen, const QString& entry)
{
    if (entry.isEmpty() || seen.contains(entry))
        return;
    seen.insert(entry);
    list << entry;
}

QStringList distinct(const QStringList& entries)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString& e : entries)
        addOnce(out, seen, e);
    return out;
}
} // namespace

ProfileChoices profileChoices(const QStringList& niks, const QStringList& members,
                              const QStringList& teams)
{
    ProfileChoices c;
    c.niks = distinct(niks);
    c.sales2 = distinct(members);
    c.teams = distinct(teams);
    QSet<QString> seen;
    addOnce(c.sales1, seen, QStringLiteral("1"));
    if (!members.isEmpty())
        addOnce(c.sales1, seen, QStringLiteral("All Team"));
    for (const QString& m : std::as_const(c.sales2))
        addOnce(c.sales1, seen, m);
    return c;
}

bool rightFieldAdmits(int key, const QString& text)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter)
        return true;
    if (text.isEmpty() || !text.at(0).isPrint())
        return true;
    return text == QLatin1String(" ") || text == QLatin1String("0") || text == QLatin1String("1");
}

ProfileProblem checkProfile(const ControlRecords::UserRecord& profile,
                            const QHash<QString, int>& widths, const TextCodec& codec)
{
    for (const ControlRecords::ProfileSlot& slot : ControlRecords::profileSlots()) {
        const QString& text = profile.*slot.field;
        const int width = widths.value(QLatin1String(slot.column), -1);
        if (width >= 0 && text.size() > width)
            return {ProfileProblem::Kind::TooLong, slot.field, width, {}};
        const QChar bad = codec.firstUnencodable(text);
        if (!bad.isNull())
            return {ProfileProblem::Kind::Unstorable, slot.field, 0, bad};
    }
    return {};
}
