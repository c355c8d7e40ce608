#pragma once

#include <QString>

class FbQuery;

// The sales-team rows of EXTENDEDDET (one per member of a team): team name, salesman name,
// the salesman's own target and the team's target. Names are written into the statements
// as literals with their quotes doubled.
namespace ControlRecords
{

// Every team name, once each, as the sales list shows them.
QString salesTeamNamesSql();
// The salesman name of every row, in table order (a member of two teams comes twice).
QString salesTeamMembersSql();
// The rows of one team (team, salesman).
QString teamMembersSql(const QString& team);
// The rows of one team with both targets, the team's highest target text first.
QString teamTargetSql(const QString& team);
// The rows of one salesman with the salesman's own target.
QString salesmanTargetSql(const QString& salesman);

// Slots of the current row of one of the statements above; empty when there is none.
QString teamName(const FbQuery& query);
QString salesmanTarget(const FbQuery& query);
QString teamTarget(const FbQuery& query);

} // namespace ControlRecords
