#pragma once

#include "data/FbQuery.h"
#include "stock/StockControls.h"
#include "stock/StockStatements.h"
#include "stock/StockViewRules.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <memory>

class ConnectionSet;
class IniFile;
class Messages;
class QueryTableModel;
class QWidget;
class StockCheck;
class StockGrid;
class WindowScaler;

// The stock view of the main window: the top bar with the search fields, the three company
// panels with their grids, and the panels "Pilih Gudang Aktif" and "Setting". Its controls
// are children of the main panel, named from StockObjectNames.
class StockView : public QObject
{
    Q_OBJECT
public:
    StockView(QWidget* mainPanel, WindowScaler& scaler, ConnectionSet& connections,
              Messages& messages, QObject* parent = nullptr);
    ~StockView() override;

    // Start-up: the stock queries on their connections with a select that finds nothing,
    // the grids read-only without PEC, Produksi and WIP, then the saved view settings.
    void applyStartSql();
    void prepareGrids();
    void restoreSettings(const IniFile& ini);
    // The fourteen Config.ini values, in the order they are written on closing.
    QList<QPair<QString, QString>> settingsToSave() const;
    // The stock reference date, month/day/year.
    void setCutoff(const QString& monthDayYear);

    // Login: the print button, the purchase-price right, the old-stock right, the company
    // panels.
    void showPrintButton();
    void grantPriceRight();
    void applyOldStockRight(bool granted);
    void showCompanyPanels();

    StockSource activeSource() const;
    // The text typed in a search field.
    QString searchText(SearchField field) const;
    // Another floating panel takes the place of the source and setting panels.
    void hideSettingPanels();

    // The panel the controls live on.
    QWidget* panel() const { return m_panel; }
    // Companies A, B, C.
    StockGrid* grid(int company) const { return m_c.grids.at(company); }
    QueryTableModel* dataSource(int company) const { return m_c.sources.at(company); }

    FbQuery& krt() { return m_krt; }
    FbQuery& soka() { return m_soka; }
    FbQuery& kw() { return m_kw; }
    FbQuery& oldStock() { return m_oldStock; }

    // The check with the texts of the search fields and the hidden query settings.
    void runStockCheck();

public slots:
    void showWarehousePanel();
    void showSettingPanel();

signals:
    void printRequested();
    // "Pilih Gudang Aktif" or "Setting" opened; other floating panels should close.
    void settingsPanelOpened();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    bool searchKeyPressed(QObject* watched, int key);
    bool listKeyPressed(QObject* watched, const QString& text) const;

    void search(SearchField field);
    QLineEdit* searchEdit(SearchField field) const;
    void showSearchField(SearchField field);
    void filterKindChosen();
    void filterKindLeft();
    void sortChosen();
    void codeClassChosen();
    void companySource();
    void oldStockSource();
    void setSwitchCaptions(bool oldStock);
    void closePanel(QWidget* panel);

    QWidget* m_panel;
    WindowScaler& m_scaler;
    ConnectionSet& m_connections;
    Messages& m_messages;

    StockControls m_c;
    FbQuery m_krt;
    FbQuery m_soka;
    FbQuery m_kw;
    FbQuery m_oldStock;
    std::unique_ptr<StockCheck> m_check;
};
