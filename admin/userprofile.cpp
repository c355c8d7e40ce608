#include "userprofile.h"

Tfrmuserprofile::Tfrmuserprofile(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmuserprofile"));
    setWindowTitle(QStringLiteral("User Profile"));
    setModal(true);
    setFixedSize(316, 377);
}
