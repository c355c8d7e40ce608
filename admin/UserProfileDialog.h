#pragma once

#include <QDialog>

// The editor of users' rights, opened modally from the main window's menu.
class UserProfileDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UserProfileDialog(QWidget* parent = nullptr);
};
