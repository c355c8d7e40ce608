#pragma once

#include "data/FbQuery.h"
#include "stock/StockControls.h"
#include "stock/StockStatements.h"
#include "stock/StockViewRules.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <array>
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
// are children of the main panel and carry the object names the rest of the program uses.
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

    // Login: the purchase-price right, the old-stock right, the company panels.
    void grantPriceRight();
    void applyOldStockRight(bool granted);
    void showCompanyPanels();

    StockSource activeSource() const;
    // Another floating panel takes the place of the source and setting panels.
    void hideSettingPanels();

    // Controls by object name (ComboBox1, vidarera, DBGrid2, GroupBox5, cbltc, rb1, sortby...).
    QWidget* widget(const char* objectName) const;
    template <class T> T* control(const char* objectName) const
    {
        return qobject_cast<T*>(widget(objectName));
    }
    // Company 0, 1, 2: DBGrid2, DBGrid3, DBGrid4 and DataSource2, DataSource3, DataSource4.
    StockGrid* grid(int company) const { return m_c.grids.at(company); }
    QueryTableModel* dataSource(int company) const { return m_c.sources.at(company); }

    FbQuery& krt() { return m_krt; }
    FbQuery& soka() { return m_soka; }
    FbQuery& kw() { return m_kw; }
    FbQuery& Oldstk() { return m_oldstk; }

    // Typed characters in the drop-down lists are discarded (set to a null character).
    void ComboBox1KeyPress(QChar& key);
    void ComboBox2KeyPress(QChar& key);
    void ComboBox3KeyPress(QChar& key);

public slots:
    // Enter starts a check; other keys are typed as usual.
    void vidareraKeyPress(int key);
    void cekkodeKeyPress(int key);
    void cektipeKeyPress(int key);

    void ComboBox1Click();
    void ComboBox1Change();
    void ComboBox1Exit();
    void ComboBox2Click();
    void ComboBox2Change();
    void ComboBox3Click();
    void ComboBox3Change();

    void cbltcClick();
    void cbmezanineClick();
    void cbrakClick();
    void cbbookingClick();
    void cbonorderClick();
    void cbpecClick();
    void cbproduksiClick();
    void cbwipClick();
    void cbhbeliClick();
    void cbhppClick();
    void cbONSOClick();
    void cbIRClick();

    void rb1Click();
    void rb2Click();
    void rb3Click();

    void PilihGudang1Click();
    void Setting1Click();
    void Button1Click();
    void Button2Click();

    void stockcek();

signals:
    void printRequested();
    // "Pilih Gudang Aktif" or "Setting" opened; other floating panels should close.
    void panelOpened();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();

    void search(SearchField field);
    QLineEdit* searchEdit(SearchField field) const;
    void showSearchField(SearchField field);
    void switchColumn(int column, bool shown);
    void companySource();
    void setSwitchCaptions(bool oldStock);

    QWidget* m_panel;
    WindowScaler& m_scaler;
    ConnectionSet& m_connections;
    Messages& m_messages;

    StockControls m_c;
    FbQuery m_krt;
    FbQuery m_soka;
    FbQuery m_kw;
    FbQuery m_oldstk;
    std::unique_ptr<StockCheck> m_check;
};
