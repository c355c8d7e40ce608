#pragma once

#include "report/ReportExportResult.h"
#include "report/ReportPrepared.h"

#include <QDialog>
#include <QPrinter>
#include <memory>

class Messages;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;
class ReportPageView;

// The modal report preview: page navigation, zoom, find, print, page setup, and export to
// PDF and to an Excel workbook. The report must outlive the dialog.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(const PreparedReport& report, Messages& messages, QWidget* parent = nullptr);
    ~ReportPreview() override;

    int currentPage() const;
    void showPage(int page);
    double zoom() const;
    void setZoom(double zoom);
    // Finds the next cell holding text (wrapping around) and shows its page.
    bool findNext(const QString& text);
    ReportTextPosition lastFound() const { return m_found; }

    // Export to a named file with a progress dialog; a failure is shown to the user.
    ReportExportResult exportPdf(const QString& fileName);
    ReportExportResult exportXlsx(const QString& fileName);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void applyZoomChoice();
    void updatePageControls();
    void printReport();
    void pageSetup();
    void exportPdfClicked();
    void exportXlsxClicked();
    QString askFileName(const QString& caption, const QString& filter, const QString& suffix);
    ReportExportResult
    runExport(const QString& fileName,
              const std::function<ReportExportResult(const ReportProgress&)>& job);

    const PreparedReport& m_report;
    Messages& m_messages;
    ReportPageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pageTotal = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_findText = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    ReportTextPosition m_found;
    QString m_lastFolder;
};
