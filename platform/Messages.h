#pragma once

#include <QString>

// The program's modal message dialogs, behind an interface so tests can script the answers.
class Messages {
public:
    enum class Kind { Plain, Information, Warning, Error, Confirmation };
    virtual ~Messages() = default;
    // Returns true for OK (the only answer of every kind but a confirmation).
    virtual bool show(Kind kind, const QString& text, const QString& caption = {}) = 0;

    void plain(const QString& text) { show(Kind::Plain, text); }
    void information(const QString& text) { show(Kind::Information, text); }
    void warning(const QString& text) { show(Kind::Warning, text); }
    void error(const QString& text) { show(Kind::Error, text); }
    bool confirm(const QString& text) { return show(Kind::Confirmation, text); }
};
