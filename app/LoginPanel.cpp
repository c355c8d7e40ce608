#include "app/LoginPanel.h"

#include "app/MainWindowObjectNames.h"
#include "data/ControlRecords.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

LoginPanel::LoginPanel(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QLatin1String(MainWindowObjectNames::loginPanel));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Masukan NIK Anda :"), this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    m_nikEdit = new QLineEdit(this);
    m_nikEdit->setObjectName(QLatin1String(MainWindowObjectNames::nikEdit));
    m_nikEdit->setMaxLength(ControlRecords::kLongestNik);
    m_nikEdit->installEventFilter(this);
    layout->addWidget(label);
    layout->addWidget(m_nikEdit);
}

QString LoginPanel::nik() const
{
    return m_nikEdit->text();
}

void LoginPanel::focusNik()
{
    m_nikEdit->setFocus();
}

bool LoginPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_nikEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit nikEntered();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
