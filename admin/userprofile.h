#pragma once

#include <QDialog>

// The editor of users' rights, opened modally from the main window's menu.
class Tfrmuserprofile : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrmuserprofile(QWidget* parent = nullptr);
};
