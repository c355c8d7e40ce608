#include "sales/SalesAchievementDialog.h"

#include "data/DateRules.h"
#include "data/DbError.h"
#include "data/LoginState.h"
#include "data/NumberFormat.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "sales/SalesCheckRules.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace
{

// Object names of the window's controls.
constexpr char kWindowName[] = "Omset";
constexpr char kSalesNameName[] = "cbnamasales";
constexpr char kStartName[] = "DateAwal";
constexpr char kEndName[] = "DateAkhir";
constexpr char kCheckName[] = "btncek";
constexpr char kDetailName[] = "btndetail";
constexpr char kDivisionName[] = "lbldivisi";
constexpr char kAchievedName[] = "lblomset";
constexpr char kTargetName[] = "lbltarget";
constexpr char kPercentageName[] = "lblpersen";

constexpr int kLongestName = 255;

QLabel* resultLabel(QWidget* parent, const char* name, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setMinimumWidth(160);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

QDateEdit* datePicker(QWidget* parent, const char* name)
{
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setDisplayFormat(QLatin1String(kShortDateFormat));
    picker->setCalendarPopup(true);
    return picker;
}

} // namespace

SalesAchievementDialog::SalesAchievementDialog(ConnectionSet& connections, AppContext& context,
                                               const LoginState& login, QWidget* parent)
    : QDialog(parent), m_context(context), m_login(login)
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QStringLiteral("Omset"));
    setModal(true);
    m_checks = new SalesChecks(connections, *context.reportViewer, *context.messages, QLocale(),
                               context.clock, this);
    buildControls();
}

void SalesAchievementDialog::buildControls()
{
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(panel);

    auto* grid = new QGridLayout(panel);
    auto* heading = new QLabel(QStringLiteral("Pencapaian Omset Sales DPP"), panel);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, 0, 1, 2);

    m_salesName = new QComboBox(panel);
    m_salesName->setObjectName(QLatin1String(kSalesNameName));
    m_salesName->setEditable(true);
    m_salesName->setInsertPolicy(QComboBox::NoInsert);
    m_salesName->setCompleter(nullptr); // the typing rule below completes instead
    // No team or salesman name is longer; a longer text would only reach the server as a key
    // its index refuses.
    m_salesName->lineEdit()->setMaxLength(kLongestName);
    m_salesName->setMinimumWidth(220);
    connect(m_salesName->lineEdit(), &QLineEdit::textEdited, this,
            &SalesAchievementDialog::salesNameEdited);
    grid->addWidget(new QLabel(QStringLiteral("Nama Sales"), panel), 1, 0);
    grid->addWidget(m_salesName, 1, 1);

    m_start = datePicker(panel, kStartName);
    m_end = datePicker(panel, kEndName);
    auto* dates = new QHBoxLayout;
    dates->addWidget(m_start);
    dates->addWidget(new QLabel(QStringLiteral("To"), panel));
    dates->addWidget(m_end);
    grid->addLayout(dates, 2, 1);

    m_check = new QPushButton(QStringLiteral("Cek"), panel);
    m_check->setObjectName(QLatin1String(kCheckName));
    m_detail = new QPushButton(QStringLiteral("Detail Invoice"), panel);
    m_detail->setObjectName(QLatin1String(kDetailName));
    for (QPushButton* button : {m_check, m_detail})
        button->setAutoDefault(false);
    connect(m_check, &QPushButton::clicked, this, &SalesAchievementDialog::check);
    connect(m_detail, &QPushButton::clicked, this, &SalesAchievementDialog::invoiceDetail);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_check);
    buttons->addWidget(m_detail);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 1);

    m_division = resultLabel(panel, kDivisionName, Qt::AlignLeft);
    m_achieved = resultLabel(panel, kAchievedName, Qt::AlignRight);
    m_target = resultLabel(panel, kTargetName, Qt::AlignRight);
    m_percentage = resultLabel(panel, kPercentageName, Qt::AlignLeft);
    const QList<QPair<QString, QLabel*>> results = {
        {QStringLiteral("Divisi Sales"), m_division},
        {QStringLiteral("Invoice DPP"), m_achieved},
        {QStringLiteral("Target Sales"), m_target},
        {QStringLiteral("Persentase"), m_percentage},
    };
    int row = 4;
    for (const auto& [caption, label] : results) {
        grid->addWidget(new QLabel(caption, panel), row, 0);
        grid->addWidget(label, row++, 1);
    }
}

void SalesAchievementDialog::clearSalesList()
{
    m_salesName->clear();
}

bool SalesAchievementDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        refill();
    } else if (event->type() == QEvent::Show && !event->spontaneous()) {
        // A desktop without a window manager never activates the window.
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !isActiveWindow())
                refill();
        });
    }
    return QDialog::event(event);
}

void SalesAchievementDialog::refill()
{
    // The error box of a failed refill hands the activation back when it closes; refilling
    // then would only show the same error again and again.
    if (m_skipRefill) {
        m_skipRefill = false;
        return;
    }
    m_start->setDate(QDate::fromString(m_login.periodStart, QLatin1String(kShortDateFormat)));
    m_end->setDate(m_context.clock->today());

    SalesList list;
    try {
        list = m_checks->salesList(m_login.sales);
    } catch (const DbError& e) {
        m_skipRefill = true;
        m_context.messages->error(e.message());
        return;
    }
    const bool fullList = seesAllSalesmen(m_login.sales);
    if (fullList)
        m_teamCount = list.teamCount;
    // Only a user who sees everyone may type; the others pick from the list.
    m_salesName->lineEdit()->setReadOnly(!fullList);

    // The box keeps its text and the entry showing it stays selected (or, for a typed text
    // that is no entry, the entry selected before), so that a check after a preview or a
    // message runs for what the box still shows.
    const QString kept = m_salesName->currentText();
    const QString keptEntry = m_salesName->itemText(m_salesName->currentIndex());
    const QSignalBlocker quiet(m_salesName);
    m_salesName->clear();
    m_salesName->addItems(list.entries);
    const Qt::MatchFlags exactly = Qt::MatchFixedString | Qt::MatchCaseSensitive;
    int index = m_salesName->findText(kept, exactly);
    if (index < 0 && !keptEntry.isEmpty())
        index = m_salesName->findText(keptEntry, exactly);
    m_salesName->setCurrentIndex(index);
    m_salesName->setEditText(kept);
    m_lastTyped = kept;
}

void SalesAchievementDialog::salesNameEdited(const QString& typed)
{
    // The first entry that begins with the typed text is selected and completes it; when
    // none does, the entry selected before stays selected.
    const bool deleting = typed.size() < m_lastTyped.size();
    m_lastTyped = typed;
    if (typed.isEmpty())
        return;
    const int index = m_salesName->findText(typed, Qt::MatchStartsWith);
    if (index < 0)
        return;
    const QSignalBlocker quiet(m_salesName);
    m_salesName->setCurrentIndex(index);
    if (deleting) {
        m_salesName->setEditText(typed);
        return;
    }
    const QString entry = m_salesName->itemText(index);
    m_salesName->setEditText(entry);
    m_salesName->lineEdit()->setSelection(int(typed.size()), int(entry.size() - typed.size()));
}

SalesPeriod SalesAchievementDialog::period() const
{
    return {m_start->date(), m_end->date()};
}

QStringList SalesAchievementDialog::listEntries() const
{
    QStringList entries;
    for (int i = 0; i < m_salesName->count(); ++i)
        entries << m_salesName->itemText(i);
    return entries;
}

void SalesAchievementDialog::check()
{
    m_percentage->clear();
    const QString text = m_salesName->currentText();
    const SalesPeriod checked = period();
    try {
        switch (chooseCheck(text, m_salesName->currentIndex(), m_teamCount)) {
        case SalesCheck::AllSalesRanking:
            m_checks->rankAllSales(checked);
            break;
        case SalesCheck::Team:
            showFigures(m_checks->checkTeam(text, checked), text, checked);
            break;
        case SalesCheck::AllTeamRanking:
            m_checks->rankSalesmen(listEntries(), checked);
            break;
        case SalesCheck::Salesman:
            showFigures(m_checks->checkSalesman(text, checked), text, checked);
            break;
        case SalesCheck::Nothing:
            break;
        }
    } catch (const DbError& e) {
        m_context.messages->error(e.message());
    }
}

void SalesAchievementDialog::showFigures(const SalesChecks::Figures& figures, const QString& name,
                                         const SalesPeriod& checked)
{
    m_division->setText(figures.division);
    m_achieved->setText(formatuang(figures.achieved));
    m_target->setText(figures.target);
    if (figures.target.isEmpty())
        return;
    const std::optional<double> target = parseTarget(figures.target);
    if (!target) {
        m_context.messages->error(targetNotANumber(figures.target));
        return;
    }
    m_percentage->setText(percentageText(figures.achieved, *target,
                                         periodDays(checked.first, checked.last), QLocale()));
    m_target->setText(formatuang(*target));
    if (targetPassed(figures.achieved, *target))
        m_context.messages->information(congratulation(name));
}

void SalesAchievementDialog::invoiceDetail()
{
    const QString text = m_salesName->currentText();
    const SalesPeriod checked = period();
    try {
        switch (chooseInvoiceDetail(text, m_salesName->currentIndex(), m_teamCount)) {
        case InvoiceDetail::TeamRanking:
            m_checks->rankTeam(text, checked);
            break;
        case InvoiceDetail::Invoices:
            m_checks->showInvoices(text, checked);
            break;
        case InvoiceDetail::Nothing:
            break;
        }
    } catch (const DbError& e) {
        m_context.messages->error(e.message());
    }
}
