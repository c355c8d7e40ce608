#include "tools/screenshot-tour/Tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QWidget>
#include <cstdio>

namespace
{
constexpr int kTickMs = 100;
constexpr int kDialogWaitMs = 8000;
// Time for a new window to lay itself out before its picture is taken.
constexpr int kSettleMs = 400;

QWidget* topDialog()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::activeModalWidget();
}

// A window's picture with its caption drawn above it: under Xvfb there is no window manager
// to draw the title bar, and the guide refers to windows by their captions.
QImage withCaption(QWidget* widget)
{
    const QImage inside = widget->grab().toImage();
    if (qobject_cast<QMenu*>(widget) || !widget->isWindow())
        return inside;
    QFont font = widget->font();
    font.setBold(true);
    const int height = QFontMetrics(font).height() + 10;
    QImage framed(inside.width(), inside.height() + height, QImage::Format_RGB32);
    framed.fill(QColor(0x2f, 0x5d, 0x8a));
    QPainter painter(&framed);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, inside.width() - 16, height), Qt::AlignVCenter | Qt::AlignLeft,
                     widget->windowTitle());
    painter.drawImage(0, height, inside);
    return framed;
}

void say(const QString& text)
{
    std::fprintf(stderr, "screenshot-tour: %s\n", qPrintable(text));
}
} // namespace

Tour::Tour(const QString& outputDir, QObject* parent) : QObject(parent), m_outputDir(outputDir)
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &Tour::tick);
}

void Tour::chapter(const QString& name)
{
    m_chapters << name;
}

void Tour::act(std::function<void()> action)
{
    m_steps.push_back({int(m_chapters.size()) - 1, [this, action] {
                           // Queued: a dialog it opens runs its loop outside this step.
                           QTimer::singleShot(0, this, [this, action] {
                               m_beforeAction = topDialog();
                               action();
                           });
                           return true;
                       }});
    pause(kSettleMs);
}

void Tour::require(const QString& what, std::function<bool()> condition)
{
    m_steps.push_back({int(m_chapters.size()) - 1, [this, what, condition] {
                           if (condition())
                               return true;
                           skipChapter(what + QStringLiteral(" is not there"));
                           return false;
                       }});
}

void Tour::shoot(const QString& name, std::function<QWidget*()> widget)
{
    m_steps.push_back({int(m_chapters.size()) - 1, [this, name, widget] {
                           QWidget* w = widget();
                           if (w && save(w, name))
                               return true;
                           skipChapter(name + QStringLiteral(": nothing to photograph"));
                           return false;
                       }});
}

void Tour::awaitDialog()
{
    // Until a dialog other than the one the last action started from is up, then time for it
    // to settle.
    auto appeared = std::make_shared<qint64>(-1);
    m_steps.push_back({int(m_chapters.size()) - 1,
                       [this, appeared] {
                           const qint64 now = QDateTime::currentMSecsSinceEpoch();
                           QWidget* top = topDialog();
                           if (!top || top == m_beforeAction)
                               return false;
                           if (*appeared < 0)
                               *appeared = now;
                           if (now - *appeared < kSettleMs)
                               return false;
                           *appeared = -1;
                           return true;
                       },
                       kDialogWaitMs});
}

void Tour::shootDialog(const QString& name)
{
    awaitDialog();
    shoot(name, [] { return topDialog(); });
}

void Tour::closeDialog(const QString& buttonText)
{
    m_steps.push_back({int(m_chapters.size()) - 1, [buttonText] {
                           QWidget* top = topDialog();
                           if (auto* menu = qobject_cast<QMenu*>(top)) {
                               menu->close();
                               return true;
                           }
                           if (auto* box = qobject_cast<QMessageBox*>(top)) {
                               for (QAbstractButton* b : box->buttons()) {
                                   if (b->text().remove(QLatin1Char('&')) == buttonText) {
                                       b->click();
                                       return true;
                                   }
                               }
                           }
                           if (auto* dialog = qobject_cast<QDialog*>(top))
                               dialog->reject();
                           else if (top)
                               top->close();
                           return true;
                       }});
    pause(kSettleMs);
}

void Tour::pause(int ms)
{
    auto until = std::make_shared<qint64>(-1);
    m_steps.push_back({int(m_chapters.size()) - 1,
                       [until, ms] {
                           const qint64 now = QDateTime::currentMSecsSinceEpoch();
                           if (*until < 0)
                               *until = now + ms;
                           if (now < *until)
                               return false;
                           *until = -1;
                           return true;
                       },
                       ms + 60000});
}

void Tour::skipChapter(const QString& reason)
{
    const int chapter = m_steps[m_next].chapter;
    m_skipped << m_chapters.value(chapter);
    say(QStringLiteral("skipped \"%1\": %2").arg(m_chapters.value(chapter), reason));
    // Leave nothing open that the next chapter would trip over.
    while (QWidget* top = topDialog()) {
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
        QApplication::processEvents();
    }
    while (m_next + 1 < m_steps.size() && m_steps[m_next + 1].chapter == chapter)
        ++m_next;
}

void Tour::tick()
{
    if (m_next >= m_steps.size()) {
        m_timer.stop();
        QApplication::exit(m_saved.isEmpty() ? 1 : 0);
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_stepStarted < 0)
        m_stepStarted = now;
    Step& step = m_steps[m_next];
    if (step.run()) {
        ++m_next;
        m_stepStarted = -1;
    } else if (step.waitMs == 0 || now - m_stepStarted > step.waitMs) {
        if (step.waitMs > 0)
            skipChapter(QStringLiteral("no window appeared"));
        ++m_next;
        m_stepStarted = -1;
    }
}

bool Tour::save(QWidget* widget, const QString& name)
{
    const QString file = QDir(m_outputDir).filePath(name + QStringLiteral(".png"));
    if (!withCaption(widget).save(file, "PNG")) {
        say(QStringLiteral("cannot write %1").arg(file));
        return false;
    }
    m_saved << file;
    say(QStringLiteral("saved %1").arg(file));
    return true;
}

int Tour::run()
{
    QDir().mkpath(m_outputDir);
    m_timer.start();
    return QApplication::exec();
}
