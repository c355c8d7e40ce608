#pragma once

// The object names of the main window, its login panel, menus and control query: the names
// the users' documents and support use for them, and by which tests find them.
namespace MainWindowObjectNames
{
inline constexpr char window[] = "VidArera";
inline constexpr char central[] = "centralWidget";
inline constexpr char mainPanel[] = "GroupBox1";
inline constexpr char loginPanel[] = "GroupBox7";
inline constexpr char nikEdit[] = "nik";
inline constexpr char offlineBanner[] = "Edit2";
inline constexpr char controlQuery[] = "kontrol";

inline constexpr char actionMenu[] = "MainMenu1";
inline constexpr char receivablesMenu[] = "salesreport1";
inline constexpr char receivablesSummary[] = "Summary1";
inline constexpr char receivablesDetail[] = "Detail1";
inline constexpr char salesReport[] = "SalesReport2";
inline constexpr char printStock[] = "stockprint1";
inline constexpr char itemToBuy[] = "ItemtoBuy1";
inline constexpr char menuSeparator[] = "N1";
inline constexpr char userProfile[] = "UserProfile1";
inline constexpr char update[] = "Update1";
inline constexpr char about[] = "About1";
inline constexpr char exit[] = "Exit1";

inline constexpr char panelMenu[] = "PopupMenu1";
inline constexpr char warehouseEntry[] = "PilihGudang1";
inline constexpr char settingEntry[] = "Setting1";
inline constexpr char onlineCheck[] = "CekOnline1";
} // namespace MainWindowObjectNames
