#include "platform/BusyWindow.h"

#include "platform/WaitCursor.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace
{

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyWindow::BusyWindow(QWidget* window, Cursor cursor) : m_window(window)
{
    if (cursor == Cursor::Wait)
        m_cursor = std::make_unique<WaitCursor>();
    qApp->installEventFilter(this);
}

BusyWindow::~BusyWindow()
{
    qApp->removeEventFilter(this);
}

bool BusyWindow::belongsToWindow(QObject* object) const
{
    const auto* widget = qobject_cast<QWidget*>(object);
    return widget && m_window && widget->window() == m_window;
}

bool BusyWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide && watched == m_window && !event->spontaneous()) {
        // Closed (or hidden by the program, which only happens on closing).
        if (!m_closed) {
            m_closed = true;
            emit closing();
        }
        return false;
    }
    if (isUserInput(type))
        return belongsToWindow(watched);
    // Menu shortcuts go to actions, not widgets: drop them while the window is the active one.
    if (type == QEvent::Shortcut || type == QEvent::ShortcutOverride)
        return m_window && QApplication::activeWindow() == m_window;
    return false;
}
