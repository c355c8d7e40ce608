#include "report/ReportDialogViewer.h"

#include "report/ReportPreview.h"

ReportDialogViewer::ReportDialogViewer(Messages& messages, QWidget* parent)
    : m_messages(messages), m_parent(parent)
{
}

void ReportDialogViewer::preview(const PreparedReport& report)
{
    ReportPreview dialog(report, m_messages, m_parent);
    dialog.exec();
}
