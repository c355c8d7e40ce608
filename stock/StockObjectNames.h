#pragma once

// The object names of the stock view's controls and queries: the names the users' documents
// and support use for them, and by which tests find them.
namespace StockObjectNames
{
inline constexpr char view[] = "StockView";

inline constexpr char noteEdit[] = "Edit1";
inline constexpr char filterKindCombo[] = "ComboBox1";
inline constexpr char descriptionEdit[] = "vidarera";
inline constexpr char codeEdit[] = "cekkode";
inline constexpr char typeEdit[] = "cektipe";
inline constexpr char printButton[] = "btnPrint";
inline constexpr char quoteField[] = "petik";
inline constexpr char cutoffField[] = "cektgl";
inline constexpr char sortField[] = "sortby";
inline constexpr char codeClassField[] = "tampilkode";

inline constexpr const char* companyBoxes[3] = {"GroupBox2", "GroupBox3", "GroupBox4"};
inline constexpr const char* companyGrids[3] = {"DBGrid2", "DBGrid3", "DBGrid4"};
inline constexpr const char* companySources[3] = {"DataSource2", "DataSource3", "DataSource4"};

inline constexpr char warehousePanel[] = "GroupBox5";
inline constexpr char ltcBox[] = "cbltc";
inline constexpr char mezanineBox[] = "cbmezanine";
inline constexpr char rackBox[] = "cbrak";
inline constexpr char bookingBox[] = "cbbooking";
inline constexpr char onOrderBox[] = "cbonorder";
inline constexpr char purchaseBox[] = "cbhbeli";
inline constexpr char pecBox[] = "cbpec";
inline constexpr char productionBox[] = "cbproduksi";
inline constexpr char wipBox[] = "cbwip";
inline constexpr char onSoBox[] = "cbONSO";
inline constexpr char irBox[] = "cbIR";
inline constexpr char hppBox[] = "cbhpp";
inline constexpr char sourceLabel[] = "Label8";
inline constexpr char krtOnlyButton[] = "rb1";
inline constexpr char allCompaniesButton[] = "rb2";
inline constexpr char oldStockButton[] = "rb3";
inline constexpr char warehouseOkButton[] = "Button1";

inline constexpr char settingPanel[] = "GroupBox6";
inline constexpr char sortCombo[] = "ComboBox2";
inline constexpr char codeClassCombo[] = "ComboBox3";
inline constexpr char settingOkButton[] = "Button2";

inline constexpr char krtQuery[] = "krt";
inline constexpr char sokaQuery[] = "soka";
inline constexpr char kwQuery[] = "kw";
inline constexpr char oldStockQuery[] = "Oldstk";
} // namespace StockObjectNames
