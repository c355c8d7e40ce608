#include "platform/QtMessages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

bool QtMessages::show(Kind kind, const QString& text, const QString& caption)
{
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    QString title = caption.isEmpty() ? m_plainCaption : caption;
    switch (kind) {
    case Kind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Kind::Information:
        box.setIcon(QMessageBox::Information);
        if (caption.isEmpty())
            title = QStringLiteral("Information");
        break;
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        if (caption.isEmpty())
            title = QStringLiteral("Warning");
        break;
    case Kind::Error:
        box.setIcon(QMessageBox::Critical);
        if (caption.isEmpty())
            title = QStringLiteral("Error");
        break;
    case Kind::Confirmation:
        box.setIcon(QMessageBox::Question);
        if (caption.isEmpty())
            title = QStringLiteral("Confirm");
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    box.setWindowTitle(title);
    // A dialog must not inherit the wait cursor of the work that raised it.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    return kind != Kind::Confirmation || answer == QMessageBox::Ok;
}
