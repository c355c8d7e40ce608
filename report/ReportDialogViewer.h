#pragma once

#include "report/ReportViewer.h"

class Messages;
class QWidget;

// Shows reports in the modal ReportPreview dialog.
class ReportDialogViewer : public ReportViewer
{
public:
    ReportDialogViewer(Messages& messages, QWidget* parent = nullptr);
    void preview(const PreparedReport& report) override;

private:
    Messages& m_messages;
    QWidget* m_parent;
};
