#pragma once

#include "platform/Messages.h"

class QWidget;

// Message dialogs as QMessageBox, parented to the active window.
class QtMessages : public Messages
{
public:
    bool show(Kind kind, const QString& text, const QString& caption = {}) override;
};
