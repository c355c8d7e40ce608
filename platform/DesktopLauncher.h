#pragma once

#include "platform/FileLauncher.h"

// Opens files through the desktop's own file associations.
class DesktopLauncher : public FileLauncher
{
public:
    bool launch(const QString& path) override;
};
