#pragma once

#include "Messages.h"

class QWidget;

// Message dialogs as QMessageBox, parented to the active window.
class QtMessages : public Messages
{
public:
    bool show(Kind kind, const QString& text, const QString& caption = {}) override;
};
