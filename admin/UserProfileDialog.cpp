#include "admin/UserProfileDialog.h"

namespace
{
// The object name of the window, as the users' documents name it.
namespace ObjectNames
{
inline constexpr char window[] = "frmuserprofile";
} // namespace ObjectNames
} // namespace

UserProfileDialog::UserProfileDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QLatin1String(ObjectNames::window));
    setWindowTitle(QStringLiteral("User Profile"));
    setModal(true);
    setFixedSize(316, 377);
}
