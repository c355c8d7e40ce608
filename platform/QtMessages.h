#pragma once

#include "platform/Messages.h"

class QWidget;

// Message dialogs as QMessageBox, parented to the active window. Without a caption of its
// own a box is titled by its kind; a plain message by `plainCaption`.
class QtMessages : public Messages
{
public:
    explicit QtMessages(const QString& plainCaption) : m_plainCaption(plainCaption) {}
    bool show(Kind kind, const QString& text, const QString& caption = {}) override;

private:
    QString m_plainCaption;
};
