#pragma once

#include <QDialog>

class QComboBox;

// The sales achievement window, opened modally from the main window's menu.
class SalesAchievementDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SalesAchievementDialog(QWidget* parent = nullptr);

    QComboBox* salesNameCombo() const { return m_salesNameCombo; }

private:
    QComboBox* m_salesNameCombo;
};
