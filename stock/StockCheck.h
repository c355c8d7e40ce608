#pragma once

#include "stock/StockPanel.h"
#include "stock/StockStatements.h"

#include <array>

class FbQuery;
class Messages;
struct StockLayout;
class QWidget;
class WindowScaler;

// The stock check: one statement per source database, each run on a fresh connection,
// its result bound to its grid, then the panels arranged by which results are empty.
class StockCheck
{
public:
    struct Queries {
        FbQuery* krt = nullptr;
        FbQuery* soka = nullptr;
        FbQuery* kw = nullptr;
        FbQuery* oldStock = nullptr;
    };

    // `panels` are those of companies A, B and C; `area` is repainted when a check is done.
    StockCheck(const std::array<StockPanel, 3>& panels, const Queries& queries,
               WindowScaler& scaler, Messages& messages, QWidget* area);

    // A database error is shown and ends the check where it happened; results and
    // bindings stay as far as the check got.
    void run(StockSource source, const StockFilters& filters);

private:
    void runSingle(StockSource source, const StockFilters& filters);
    void runAllCompanies(const StockFilters& filters);
    // Runs one statement and binds its grid's columns; true when the result is empty.
    bool runStatement(FbQuery& query, StockGrid& grid, StockSource source, const QString& suffix,
                      const StockFilters& filters);
    void arrange(const StockLayout& layout);

    std::array<StockPanel, 3> m_panels;
    Queries m_queries;
    WindowScaler& m_scaler;
    Messages& m_messages;
    QWidget* m_area;
};
