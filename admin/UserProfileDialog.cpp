#include "admin/UserProfileDialog.h"

UserProfileDialog::UserProfileDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmuserprofile"));
    setWindowTitle(QStringLiteral("User Profile"));
    setModal(true);
    setFixedSize(316, 377);
}
