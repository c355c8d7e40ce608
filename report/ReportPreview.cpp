#include "report/ReportPreview.h"

#include "platform/Messages.h"
#include "report/PdfExporter.h"
#include "report/ReportPageView.h"
#include "report/ReportPainter.h"
#include "report/XlsxExporter.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{

constexpr double fitWidth = -1;
constexpr double fitPage = -2;
constexpr int progressDelayMs = 400;

QPageLayout pageLayoutOf(const PreparedReport& report)
{
    const QPageSize size(QSizeF(report.page.width, report.page.height), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF());
}

} // namespace

ReportPreview::ReportPreview(const PreparedReport& report, Messages& messages, QWidget* parent)
    : QDialog(parent), m_report(report), m_messages(messages)
{
    setObjectName(QStringLiteral("ReportPreview"));
    // The user knows the report by its title, not by its layout's file name.
    const QString caption = report.title.isEmpty() ? report.name : report.title;
    setWindowTitle(QStringLiteral("Pratinjau - %1").arg(caption));
    setModal(true);
    resize(1000, 720);

    m_view = new ReportPageView(report);
    m_view->setObjectName(QStringLiteral("pageView"));
    m_scroll = new QScrollArea;
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    layout->addWidget(findChild<QToolBar*>());
    layout->addWidget(m_scroll, 1);

    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setFullPage(true);
    m_printer->setPageLayout(pageLayoutOf(report));
    m_printer->setDocName(caption);

    updatePageControls();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::buildToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    QAction* print = bar->addAction(QStringLiteral("Cetak"), this, &ReportPreview::printReport);
    print->setShortcut(QKeySequence::Print);
    bar->addAction(QStringLiteral("Atur Halaman"), this, &ReportPreview::pageSetup);
    bar->addAction(QStringLiteral("Ekspor PDF"), this, &ReportPreview::exportPdfClicked);
    bar->addAction(QStringLiteral("Ekspor Excel"), this, &ReportPreview::exportXlsxClicked);
    bar->addSeparator();

    QAction* first = bar->addAction(QStringLiteral("|<"), this, [this] { showPage(0); });
    first->setToolTip(QStringLiteral("Halaman pertama"));
    QAction* previous =
        bar->addAction(QStringLiteral("<"), this, [this] { showPage(currentPage() - 1); });
    previous->setToolTip(QStringLiteral("Halaman sebelumnya"));
    previous->setShortcut(QKeySequence::MoveToPreviousPage);
    m_pageBox = new QSpinBox;
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setRange(1, qMax(1, m_report.pageCount()));
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) { showPage(value - 1); });
    bar->addWidget(m_pageBox);
    m_pageTotal = new QLabel;
    bar->addWidget(m_pageTotal);
    QAction* next =
        bar->addAction(QStringLiteral(">"), this, [this] { showPage(currentPage() + 1); });
    next->setToolTip(QStringLiteral("Halaman berikutnya"));
    next->setShortcut(QKeySequence::MoveToNextPage);
    QAction* last =
        bar->addAction(QStringLiteral(">|"), this, [this] { showPage(m_report.pageCount() - 1); });
    last->setToolTip(QStringLiteral("Halaman terakhir"));
    bar->addSeparator();

    m_zoomBox = new QComboBox;
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->addItem(QStringLiteral("Lebar Halaman"), fitWidth);
    m_zoomBox->addItem(QStringLiteral("Satu Halaman"), fitPage);
    for (int percent : {50, 75, 100, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoomBox->setCurrentIndex(0);
    connect(m_zoomBox, &QComboBox::activated, this, &ReportPreview::applyZoomChoice);
    bar->addWidget(m_zoomBox);
    bar->addAction(QStringLiteral("+"), this, [this] { setZoom(zoom() * 1.25); });
    bar->addAction(QStringLiteral("-"), this, [this] { setZoom(zoom() / 1.25); });
    bar->addSeparator();

    m_findText = new QLineEdit;
    m_findText->setObjectName(QStringLiteral("findText"));
    m_findText->setPlaceholderText(QStringLiteral("Cari teks"));
    m_findText->setMaximumWidth(180);
    connect(m_findText, &QLineEdit::returnPressed, this, [this] { findNext(m_findText->text()); });
    bar->addWidget(m_findText);
    QAction* find =
        bar->addAction(QStringLiteral("Cari"), this, [this] { findNext(m_findText->text()); });
    find->setShortcut(QKeySequence::FindNext);
    auto* focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    connect(focusFind, &QAction::triggered, this, [this] {
        m_findText->setFocus();
        m_findText->selectAll();
    });
    addAction(focusFind);
    bar->addSeparator();
    bar->addAction(QStringLiteral("Tutup"), this, &QDialog::accept);
}

int ReportPreview::currentPage() const
{
    return m_view->page();
}

void ReportPreview::showPage(int page)
{
    m_view->setPage(page);
    updatePageControls();
}

double ReportPreview::zoom() const
{
    return m_view->zoom();
}

void ReportPreview::setZoom(double zoom)
{
    m_view->setZoom(zoom);
    const int index = m_zoomBox->findData(zoom);
    if (index >= 0)
        m_zoomBox->setCurrentIndex(index);
    else
        m_zoomBox->setEditText(QStringLiteral("%1%").arg(qRound(zoom * 100)));
}

void ReportPreview::applyZoomChoice()
{
    const double choice = m_zoomBox->currentData().toDouble();
    if (choice > 0) {
        m_view->setZoom(choice);
        return;
    }
    // Page size in pixels at 100 %, against the room the scroll area offers.
    const QSize room = m_scroll->maximumViewportSize() - QSize(40, 40);
    const double perMm = m_view->logicalDpiX() / 25.4;
    const double across = room.width() / (m_report.page.width * perMm);
    const double down = room.height() / (m_report.page.height * perMm);
    m_view->setZoom(choice == fitWidth ? across : qMin(across, down));
}

void ReportPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_zoomBox && m_zoomBox->currentData().toDouble() < 0)
        applyZoomChoice();
}

void ReportPreview::updatePageControls()
{
    const QSignalBlocker block(m_pageBox);
    m_pageBox->setValue(currentPage() + 1);
    m_pageTotal->setText(QStringLiteral(" / %1 ").arg(m_report.pageCount()));
}

bool ReportPreview::findNext(const QString& text)
{
    const ReportTextPosition found = m_report.find(text, m_found);
    m_found = found;
    m_view->setHighlight(found);
    if (!found.isValid())
        return false;
    showPage(found.page);
    const QRect r = m_view->highlightRect();
    m_scroll->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 20, r.height() + 20);
    return true;
}

void ReportPreview::printReport()
{
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setMinMax(1, m_report.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0;
    int to = m_report.pageCount() - 1;
    if (m_printer->printRange() == QPrinter::PageRange) {
        from = qMax(0, m_printer->fromPage() - 1);
        to = qMin(to, m_printer->toPage() - 1);
    } else if (m_printer->printRange() == QPrinter::CurrentPage) {
        from = to = currentPage();
    }
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        m_messages.error(QStringLiteral("Printer tidak dapat dipakai."));
        return;
    }
    QProgressDialog progress(QStringLiteral("Mencetak..."), QStringLiteral("Batal"), 0,
                             to - from + 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(progressDelayMs);
    ReportPainter pages(m_report, painter, m_printer->resolution() / 25.4);
    for (int page = from; page <= to; ++page) {
        if (page > from)
            m_printer->newPage();
        pages.paintPage(page);
        progress.setValue(page - from + 1);
        if (progress.wasCanceled()) {
            m_printer->abort();
            break;
        }
    }
    painter.end();
}

void ReportPreview::pageSetup()
{
    QPageSetupDialog(m_printer.get(), this).exec();
}

QString ReportPreview::askFileName(const QString& caption, const QString& filter,
                                   const QString& suffix)
{
    const QString folder = m_lastFolder.isEmpty() ? QDir::homePath() : m_lastFolder;
    QString fileName =
        QFileDialog::getSaveFileName(this, caption, QDir(folder).filePath(m_report.name + suffix),
                                     filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (fileName.isEmpty())
        return {};
    if (!fileName.endsWith(suffix, Qt::CaseInsensitive))
        fileName += suffix;
    m_lastFolder = QFileInfo(fileName).absolutePath();
    return fileName;
}

void ReportPreview::exportPdfClicked()
{
    const QString fileName = askFileName(QStringLiteral("Ekspor ke PDF"),
                                         QStringLiteral("PDF (*.pdf)"), QStringLiteral(".pdf"));
    if (!fileName.isEmpty())
        exportPdf(fileName);
}

void ReportPreview::exportXlsxClicked()
{
    const QString fileName = askFileName(QStringLiteral("Ekspor ke Excel"),
                                         QStringLiteral("Excel (*.xlsx)"), QStringLiteral(".xlsx"));
    if (!fileName.isEmpty())
        exportXlsx(fileName);
}

ReportExportResult ReportPreview::exportPdf(const QString& fileName)
{
    return runExport(fileName, [&](const ReportProgress& progress) {
        return PdfExporter().exportToFile(m_report, fileName, progress);
    });
}

ReportExportResult ReportPreview::exportXlsx(const QString& fileName)
{
    return runExport(fileName, [&](const ReportProgress& progress) {
        return XlsxExporter().exportToFile(m_report, fileName, progress);
    });
}

ReportExportResult
ReportPreview::runExport(const QString& fileName,
                         const std::function<ReportExportResult(const ReportProgress&)>& job)
{
    QProgressDialog dialog(
        QStringLiteral("Mengekspor ke %1 ...").arg(QDir::toNativeSeparators(fileName)),
        QStringLiteral("Batal"), 0, qMax(1, m_report.pageCount()), this);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(progressDelayMs);
    const ReportExportResult result = job([&dialog](qint64 done, qint64 total) {
        dialog.setMaximum(int(total));
        dialog.setValue(int(done));
        return !dialog.wasCanceled();
    });
    dialog.reset();
    if (result.status == ReportExportResult::Status::Failed)
        m_messages.error(result.error);
    return result;
}
