// Prints a statement exactly as the program builds it, joined as it is sent (CR LF), so that
// db/check_statements.py runs the program's own text rather than a copy of it.
//
//   print_statements stock krt|all|old SUFFIX CUTOFF DESCRIPTION CODE TYPE CODECLASS SORTBY
//   print_statements item-to-buy-master | item-to-buy-detail
//   print_statements team-lookup SALES1 SALES2 DEPT1 DEPT2 DEPT3
//   print_statements receivables-summary|receivables-detail SALES1 SALES2 DEPT1 DEPT2 DEPT3
//                    [MEMBER...]
#include "sales/ReceivablesStatements.h"
#include "stock/ItemToBuyStatements.h"
#include "stock/StockStatements.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace
{

const QString kLineBreak = QStringLiteral("\r\n");

std::optional<StockSource> sourceNamed(const QString& name)
{
    if (name == QLatin1String("krt"))
        return StockSource::KrtOnly;
    if (name == QLatin1String("all"))
        return StockSource::AllCompanies;
    if (name == QLatin1String("old"))
        return StockSource::OldStock;
    return std::nullopt;
}

std::optional<QString> statement(const QStringList& args)
{
    const QString command = args.value(0);
    if (command == QLatin1String("stock") && args.size() == 9) {
        const std::optional<StockSource> source = sourceNamed(args[1]);
        if (!source)
            return std::nullopt;
        StockFilters filters;
        filters.cutoff = args[3];
        filters.description = args[4];
        filters.code = args[5];
        filters.type = args[6];
        filters.codeClass = args[7];
        filters.sortBy = args[8];
        return stockStatement(*source, args[2], filters).join(kLineBreak);
    }
    if (command == QLatin1String("item-to-buy-master") && args.size() == 1)
        return itemToBuyMasterStatement().join(kLineBreak);
    if (command == QLatin1String("item-to-buy-detail") && args.size() == 1)
        return itemToBuyDetailStatement().join(kLineBreak);
    if (args.size() < 6)
        return std::nullopt;
    const SalesScope scope{args[1], args[2], args[3], args[4], args[5]};
    if (command == QLatin1String("team-lookup") && args.size() == 6)
        return teamLookupStatement(scope);
    const FilterLines lines = salesFilterLines(scope, args.mid(6));
    if (command == QLatin1String("receivables-summary"))
        return (summaryStatementStart() + lines.summary).join(kLineBreak);
    if (command == QLatin1String("receivables-detail"))
        return (detailStatementStart() + lines.detail).join(kLineBreak);
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const std::optional<QString> text = statement(app.arguments().mid(1));
    if (!text) {
        std::fputs("usage: see the head of tests/tools/print_statements.cpp\n", stderr);
        return 2;
    }
    std::fputs(text->toUtf8().constData(), stdout);
    return 0;
}
