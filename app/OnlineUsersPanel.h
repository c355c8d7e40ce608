#pragma once

#include <QGroupBox>

class FbConnection;
class FbQuery;
class Messages;
class QLabel;
class QPushButton;
class QTableView;
class QueryTableModel;
class WindowScaler;

// The panel "Cek Online": the users marked online in the control database, from the stamps
// of every login and closing. The list only reads; nothing typed in it reaches a row.
class OnlineUsersPanel : public QGroupBox
{
    Q_OBJECT
public:
    // `statusQuery` is the main window's query on the control database; the grid shows its
    // rows from the first opening on, whatever later reuses it.
    OnlineUsersPanel(QWidget* mainPanel, WindowScaler& scaler, FbQuery& statusQuery,
                     FbConnection& control, Messages& messages);

    // Shows the panel with the users who went online on the login date ("dd/MM/yyyy") and
    // have not closed since.
    void open(const QString& loginDate);

private:
    void refresh();
    void load(const QString& sql);
    void applyColumnWidths();
    bool eventFilter(QObject* watched, QEvent* event) override;

    WindowScaler& m_scaler;
    FbQuery& m_query;
    FbConnection& m_control;
    Messages& m_messages;
    QLabel* m_close;
    QTableView* m_grid;
    QPushButton* m_refresh;
    QueryTableModel* m_source;
};
