#pragma once

#include "report/QueryReport.h"
#include "stock/StockPrintRules.h"

#include <QLocale>
#include <QObject>

class Clock;
class Messages;
class QLineEdit;
class ReportViewer;
class StockView;

// The stock window's two print commands. They print the company results as the last search
// left them, through the layout that the source and the purchase-price right choose.
class StockPrinter : public QObject
{
    Q_OBJECT
public:
    // `cekpo` holds the purchase-price right ("1" grants it). Without a clock the report
    // shows the time it was prepared.
    StockPrinter(StockView& view, const QLineEdit& cekpo, ReportViewer& viewer, Messages& messages,
                 const QLocale& locale = QLocale(), const Clock* clock = nullptr,
                 QObject* parent = nullptr);

public slots:
    // The Print button: company A's HPP list at once while its result still has rows ahead,
    // otherwise as "Print Stock".
    void btnPrintClick();
    // "Print Stock": refused with a warning unless a filter of 3 characters was typed.
    void stockprint1Click();

private:
    bool priceRight() const;
    void print(StockTemplate stockTemplate);

    StockView& m_view;
    const QLineEdit& m_cekpo;
    Messages& m_messages;
    QueryReport m_report;
};
