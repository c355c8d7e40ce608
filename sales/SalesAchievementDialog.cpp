#include "sales/SalesAchievementDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

SalesAchievementDialog::SalesAchievementDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Omset"));
    setWindowTitle(QStringLiteral("Omset"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Pencapaian Omset Sales DPP"), this);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);
    m_cbnamasales = new QComboBox(this);
    m_cbnamasales->setObjectName(QStringLiteral("cbnamasales"));
    m_cbnamasales->setEditable(true);
    layout->addWidget(m_cbnamasales);
}
