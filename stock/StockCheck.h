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
// The statements run in worker threads, the three companies' at the same time; the window
// keeps painting meanwhile, shows the wait cursor and ignores the user's input (a second
// Enter included) but can be closed, which stops the check.
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

    // A database error is shown; a company whose statement failed keeps an empty grid in its
    // visible panel while the others show their rows. A check asked for while one runs is
    // ignored.
    void run(StockSource source, const StockFilters& filters);
    bool isRunning() const { return m_running; }

private:
    void runSingle(StockSource source, const StockFilters& filters);
    void runAllCompanies(const StockFilters& filters);
    struct Run {
        FbQuery* query;
        StockGrid* grid;
        QString suffix;
    };
    struct Outcome {
        bool ran = false; // false when the window closed meanwhile
        QVector<bool> empty;
        QStringList errors;
    };
    // Runs the statements together and binds the grids' columns of those that opened.
    Outcome runStatements(StockSource source, const QVector<Run>& runs,
                          const StockFilters& filters);
    void showErrors(const QStringList& errors);
    void arrange(const StockLayout& layout);

    std::array<StockPanel, 3> m_panels;
    Queries m_queries;
    WindowScaler& m_scaler;
    Messages& m_messages;
    QWidget* m_area;
    bool m_running = false;
};
