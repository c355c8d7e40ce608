#pragma once

#include "sales/SalesChecks.h"

#include <QDialog>

class ConnectionSet;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
struct AppContext;
struct LoginState;

// The sales achievement window, opened modally from the main window's menu: a salesman's or
// a team's invoiced amount over the three companies against its target, the rankings and
// the invoice detail. The list and the dates are set afresh whenever the window becomes
// active.
class SalesAchievementDialog : public QDialog
{
    Q_OBJECT
public:
    SalesAchievementDialog(ConnectionSet& connections, AppContext& context, const LoginState& login,
                           QWidget* parent = nullptr);

    // Empties the sales list; the next activation fills it for the user logged in.
    void clearSalesList();

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    void refill();
    void salesNameEdited(const QString& typed);
    void check();
    void showFigures(const SalesChecks::Figures& figures, const QString& name,
                     const SalesPeriod& period);
    void invoiceDetail();
    SalesPeriod period() const;
    QStringList listEntries() const;

    AppContext& m_context;
    const LoginState& m_login;
    SalesChecks* m_checks = nullptr;
    QComboBox* m_salesName = nullptr;
    QDateEdit* m_start = nullptr;
    QDateEdit* m_end = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_detail = nullptr;
    QLabel* m_division = nullptr;
    QLabel* m_achieved = nullptr;
    QLabel* m_target = nullptr;
    QLabel* m_percentage = nullptr;
    int m_teamCount = 0;       // the sales-team entries at the top of the list
    QString m_lastTyped;       // the box text after the user's previous edit
    bool m_skipRefill = false; // the activation after a failed refill's error box
};
