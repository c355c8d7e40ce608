#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;
class WaitCursor;

// A window busy with work that runs elsewhere, for as long as this object lives: it keeps
// painting, ignores the user's keys, clicks and wheel (they are dropped, not kept for later),
// and can still be closed, which closing() reports so the work can be stopped. Optionally
// with the wait cursor.
class BusyWindow : public QObject
{
    Q_OBJECT
public:
    enum class Cursor { Wait, Unchanged };

    explicit BusyWindow(QWidget* window, Cursor cursor = Cursor::Wait);
    ~BusyWindow() override;

    // True once the window has been closed (hidden) while busy.
    bool closed() const { return m_closed; }

signals:
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToWindow(QObject* object) const;

    QPointer<QWidget> m_window;
    std::unique_ptr<WaitCursor> m_cursor;
    bool m_closed = false;
};
