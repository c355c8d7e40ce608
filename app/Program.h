#pragma once

#include <memory>

class MainWindow;
class SalesAchievementDialog;
class UserProfileDialog;
struct AppContext;

// The application's name. No display name is set: the platform would append it to the title
// of every window and message box.
void nameApplication();

// Program entry: the three windows in their order, then the event loop.
int runProgram(int argc, char** argv);

// The program's three windows, created in their order and kept until the end.
class ProgramWindows
{
public:
    explicit ProgramWindows(AppContext& context);
    ~ProgramWindows();

    MainWindow& main() const { return *m_main; }

private:
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<SalesAchievementDialog> m_sales;
    std::unique_ptr<UserProfileDialog> m_profile;
};
