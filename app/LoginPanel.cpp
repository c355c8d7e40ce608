#include "app/LoginPanel.h"

#include "data/ControlRecords.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

LoginPanel::LoginPanel(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("GroupBox7"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Masukan NIK Anda :"), this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    m_nik = new QLineEdit(this);
    m_nik->setObjectName(QStringLiteral("nik"));
    m_nik->setMaxLength(ControlRecords::kLongestNik);
    m_nik->installEventFilter(this);
    layout->addWidget(label);
    layout->addWidget(m_nik);
}

bool LoginPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_nik && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit keyPressed(Qt::Key_Return);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
