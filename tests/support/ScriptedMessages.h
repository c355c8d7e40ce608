#pragma once

#include "platform/Messages.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every message and answers confirmations from a script (OK when the script is empty).
class ScriptedMessages : public Messages
{
public:
    struct Shown {
        Kind kind;
        QString text;
        QString caption;
    };

    bool show(Kind kind, const QString& text, const QString& caption = {}) override
    {
        shown.append({kind, text, caption});
        if (onShow)
            onShow(kind, text);
        if (kind != Kind::Confirmation)
            return true;
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }
    QStringList texts(Kind kind) const
    {
        QStringList out;
        for (const Shown& s : shown)
            if (s.kind == kind)
                out << s.text;
        return out;
    }
    void clear() { shown.clear(); }

    QList<Shown> shown;
    QList<bool> answers;
    // Runs while the box is up, before it is answered: what the world does meanwhile.
    std::function<void(Kind, const QString&)> onShow;
};
