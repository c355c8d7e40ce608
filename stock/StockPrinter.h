#pragma once

#include "report/QueryReport.h"
#include "stock/StockPrintRules.h"

#include <QLocale>
#include <QObject>

class Clock;
class Messages;
class ReportViewer;
class StockView;
struct UserRights;

// The stock window's two print commands. They print the company results as the last search
// left them, through the layout that the source and the purchase-price right choose.
class StockPrinter : public QObject
{
    Q_OBJECT
public:
    // `rights` are the logged-in user's, read at each print. Without a clock the report
    // shows the time it was prepared.
    StockPrinter(StockView& view, const UserRights& rights, ReportViewer& viewer,
                 Messages& messages, const QLocale& locale = QLocale(),
                 const Clock* clock = nullptr, QObject* parent = nullptr);

public slots:
    // The Print button: company A's HPP list at once while its result still has rows ahead,
    // otherwise as "Print Stock".
    void printFromButton();
    // "Print Stock": refused with a warning unless a filter of 3 characters was typed.
    void printStock();

private:
    void print(StockTemplate stockTemplate);

    StockView& m_view;
    const UserRights& m_rights;
    Messages& m_messages;
    QueryReport m_report;
};
