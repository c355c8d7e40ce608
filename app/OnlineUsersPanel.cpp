#include "app/OnlineUsersPanel.h"

#include "data/ControlRecords.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/Messages.h"
#include "platform/WaitCursor.h"
#include "platform/WindowScaler.h"
#include "stock/WheelRecordMover.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

namespace
{
// Object names.
constexpr char kPanelName[] = "GroupBox9";
constexpr char kCloseName[] = "Label6";
constexpr char kGridName[] = "DBGrid5";
constexpr char kRefreshName[] = "Button4";

// Design geometry: the panel over the company grids, in the place of the other two
// floating panels; inside it, relative to it.
const QRect kPanelRect(232, 150, 480, 300);
const QRect kCloseRect(456, 2, 18, 16);
const QRect kGridRect(9, 20, 462, 238);
const QRect kRefreshRect(9, 265, 75, 25);

struct ColumnSpec {
    const char* field;
    const char* title;
    int width;
};
constexpr ColumnSpec kColumns[] = {
    {"INFO1", "NIK", 74},  {"INFO9", "Nama Login", 107}, {"INFO6", "Status", 74},
    {"INFO8", "Date", 95}, {"INFO7", "Last Seen", 90},
};
} // namespace

OnlineUsersPanel::OnlineUsersPanel(QWidget* mainPanel, WindowScaler& scaler, FbQuery& statusQuery,
                                   FbConnection& control, Messages& messages)
    : QGroupBox(QStringLiteral("Cek Online"), mainPanel), m_scaler(scaler), m_query(statusQuery),
      m_control(control), m_messages(messages)
{
    setObjectName(QLatin1String(kPanelName));
    setAutoFillBackground(true); // floats over the grids
    hide();
    m_scaler.place(this, kPanelRect);

    m_close = new QLabel(QStringLiteral("[X]"), this);
    m_close->setObjectName(QLatin1String(kCloseName));
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->installEventFilter(this);
    m_scaler.place(m_close, kCloseRect);

    m_source = new QueryTableModel(this);
    QVector<QueryTableModel::Column> columns;
    for (const ColumnSpec& c : kColumns)
        columns.append({QLatin1String(c.field), QLatin1String(c.title)});
    m_source->setColumns(columns);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QLatin1String(kGridName));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 4);
    m_grid->installEventFilter(this);
    m_scaler.place(m_grid, kGridRect);
    auto* wheel = new WheelRecordMover(m_grid);

    m_refresh = new QPushButton(QStringLiteral("Refresh"), this);
    m_refresh->setObjectName(QLatin1String(kRefreshName));
    m_scaler.place(m_refresh, kRefreshRect);
    connect(m_refresh, &QPushButton::clicked, this, &OnlineUsersPanel::refresh);

    auto report = [this](const QString& text) { m_messages.error(text); };
    // Fetches start while the grid paints: report their errors afterwards.
    connect(m_source, &QueryTableModel::fetchFailed, this, report, Qt::QueuedConnection);
    connect(wheel, &WheelRecordMover::fetchFailed, this, report, Qt::QueuedConnection);
    connect(m_source, &QAbstractItemModel::modelReset, this, &OnlineUsersPanel::applyColumnWidths);
}

void OnlineUsersPanel::open(const QString& loginDate)
{
    show();
    raise();
    // Bound at the first opening, so the grid costs nothing to a run that never opens it.
    if (!m_grid->model()) {
        m_source->setQuery(&m_query);
        m_grid->setModel(m_source);
        applyColumnWidths();
    }
    load(ControlRecords::onlineListSql(loginDate));
}

void OnlineUsersPanel::refresh()
{
    // A fresh attachment, so the list never comes from a connection that silently died.
    m_control.drop();
    load(ControlRecords::onlineListSql());
}

void OnlineUsersPanel::load(const QString& sql)
{
    try {
        WaitCursor wait;
        m_query.setConnection(&m_control);
        m_query.setSql(sql);
        m_query.open();
    } catch (const DbError& e) {
        m_query.close();
        m_messages.error(e.message());
    }
}

void OnlineUsersPanel::applyColumnWidths()
{
    if (!m_grid->model())
        return;
    for (int c = 0; c < int(std::size(kColumns)); ++c)
        m_grid->setColumnWidth(c, qMax(1, qRound(kColumns[c].width * m_scaler.factorX())));
}

bool OnlineUsersPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_close && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        hide();
        return true;
    }
    // The scaler resizes the grid whenever the window's scale changes.
    if (watched == m_grid && event->type() == QEvent::Resize)
        applyColumnWidths();
    return QGroupBox::eventFilter(watched, event);
}
