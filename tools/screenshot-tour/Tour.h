#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QWidget;

// A scripted walk through the program's windows that saves pictures of them. Steps run one
// after the other from a timer, so they go on while a modal dialog runs its own event loop:
// an action that opens a dialog is started, the next steps photograph and close it.
// A step that finds nothing to act on (a window not built yet, an entry the user's rights do
// not show) skips the rest of its chapter, so the tour covers the windows that exist.
class Tour : public QObject
{
    Q_OBJECT
public:
    explicit Tour(const QString& outputDir, QObject* parent = nullptr);

    // Starts a chapter: a group of steps skipped together.
    void chapter(const QString& name);
    // Runs an action; it may open a modal dialog and return only when that closes.
    void act(std::function<void()> action);
    // Skips the chapter unless the condition holds when the step runs.
    void require(const QString& what, std::function<bool()> condition);
    // Saves a picture of a widget (found when the step runs) as <name>.png.
    void shoot(const QString& name, std::function<QWidget*()> widget);
    // Waits for a modal dialog or popup menu to appear and settle.
    void awaitDialog();
    // The same, then saves its picture.
    void shootDialog(const QString& name);
    // Closes the dialog or menu on top: presses the button with that text, else rejects it.
    void closeDialog(const QString& buttonText = {});
    void pause(int ms);

    // Runs every step; returns 0 when at least one picture was saved.
    int run();

    const QStringList& saved() const { return m_saved; }
    const QStringList& skipped() const { return m_skipped; }

private:
    struct Step {
        int chapter;
        std::function<bool()> run; // false: skip the rest of the chapter
        int waitMs = 0;            // how long the step may keep trying
    };
    void tick();
    void skipChapter(const QString& reason);
    bool save(QWidget* widget, const QString& name);

    QString m_outputDir;
    QStringList m_chapters;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    qint64 m_stepStarted = -1;
    QTimer m_timer;
    QPointer<QWidget> m_beforeAction; // the dialog on top when the last action started
    QStringList m_saved;
    QStringList m_skipped;
};
