#include "stock/ItemToBuyProgress.h"

#include "stock/ItemToBuyReader.h"

#include <QProgressDialog>
#include <limits>

namespace
{
constexpr int kShowAfterMs = 500;
constexpr int kUpdateEveryMs = 100;
} // namespace

ItemToBuyProgress::ItemToBuyProgress(ItemToBuyReader& reader, QWidget* window) : m_reader(reader)
{
    if (!window)
        return;
    m_dialog = std::make_unique<QProgressDialog>(
        QStringLiteral("Menyiapkan laporan Item to Buy..."), QStringLiteral("Batal"), 0, 0, window);
    m_dialog->setObjectName(QStringLiteral("itemToBuyProgress"));
    m_dialog->setWindowTitle(QStringLiteral("Item to Buy"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    // Shown by update(): the dialog's own estimate would wait for the first details.
    m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
    connect(m_dialog.get(), &QProgressDialog::canceled, &m_reader, &ItemToBuyReader::cancel);
    connect(&m_timer, &QTimer::timeout, this, &ItemToBuyProgress::update);
    m_timer.start(kUpdateEveryMs);
    m_started.start();
}

ItemToBuyProgress::~ItemToBuyProgress() = default;

void ItemToBuyProgress::update()
{
    if (!m_dialog->isVisible() && m_started.elapsed() >= kShowAfterMs)
        m_dialog->show();
    // Until company A's items are known the dialog only shows that it works.
    const int items = m_reader.itemCount();
    if (items < 0)
        return;
    if (m_dialog->maximum() != 2 * items)
        m_dialog->setRange(0, 2 * items);
    m_dialog->setValue(m_reader.detailsRead());
}
