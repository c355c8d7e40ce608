#include "sales/SalesAchievementDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace
{
// The object names of the window and its controls, as the users' documents name them.
namespace ObjectNames
{
inline constexpr char window[] = "Omset";
inline constexpr char salesNameCombo[] = "cbnamasales";
} // namespace ObjectNames
} // namespace

SalesAchievementDialog::SalesAchievementDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QLatin1String(ObjectNames::window));
    setWindowTitle(QStringLiteral("Omset"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Pencapaian Omset Sales DPP"), this);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);
    m_salesNameCombo = new QComboBox(this);
    m_salesNameCombo->setObjectName(QLatin1String(ObjectNames::salesNameCombo));
    m_salesNameCombo->setEditable(true);
    layout->addWidget(m_salesNameCombo);
}
