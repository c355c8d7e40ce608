#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

class ItemToBuyReader;
class QProgressDialog;
class QWidget;

// The progress of an item-to-buy read, in a dialog over the window that appears once the read
// takes a moment; its cancel button (or closing it) stops the read. Nothing without a window.
class ItemToBuyProgress : public QObject
{
    Q_OBJECT
public:
    ItemToBuyProgress(ItemToBuyReader& reader, QWidget* window);
    ~ItemToBuyProgress() override;

private:
    void update();

    ItemToBuyReader& m_reader;
    std::unique_ptr<QProgressDialog> m_dialog;
    QTimer m_timer;
    QElapsedTimer m_started;
};
