#include "admin/UserProfileDialog.h"

#include "admin/UserProfileRules.h"
#include "data/ConnectionSet.h"
#include "data/DbError.h"
#include "data/SalesTeamRecords.h"
#include "data/TextCodec.h"
#include "platform/AppContext.h"
#include "platform/Messages.h"
#include "platform/WaitCursor.h"

#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <optional>

using ControlRecords::UserRecord;

namespace
{
const QString kConfirmSave = QStringLiteral("Yakin update profile sudah benar ?");
const QString kSaved = QStringLiteral("User profile berhasil diupdate");
const QString kSaveFailed = QStringLiteral("Menyimpan gagal, ada kendala koneksi jaringan !!");
const QString kDeleted = QStringLiteral("User profile berhasil dihapus");
const QString kDeleteFailed =
    QStringLiteral("Meghapus gagal, data tidak ditemukan / kendala koneksi jaringan !!");
const QString kNikNotFound = QStringLiteral("NIK tidak ditemukan");

QString deleteQuestion(const QString& nik)
{
    return QStringLiteral("Yakin Hapus NIK ") + nik + QStringLiteral(" ? ");
}

const QColor kPanelGreen(0x8f, 0xd1, 0x8f);

// One filter serves the six right fields.
class RightKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!rightFieldAdmits(key->key(), key->text()))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QString textOf(const QWidget* widget)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return static_cast<const QLineEdit*>(widget)->text();
}

void setTextOf(QWidget* widget, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setEditText(text);
    else
        static_cast<QLineEdit*>(widget)->setText(text);
}

QComboBox* editableList(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // Enter takes the typed text as it is; it never adds it to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Completion must not change the case of what is typed: keys compare exactly.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    return combo;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(alignment);
    return l;
}
} // namespace

UserProfileDialog::UserProfileDialog(ConnectionSet& connections, AppContext& context,
                                     QWidget* parent)
    : QDialog(parent), m_connections(connections), m_messages(*context.messages),
      m_query(&connections.control)
{
    setWindowTitle(QStringLiteral("User Profile"));
    setModal(true);
    setFixedSize(316, 377);
    m_rightKeyFilter = new RightKeyFilter(this);
    // Typing stays at one character and a paste cannot bring anything else; unlike a
    // length limit, it leaves a longer value loaded from the record as it is, so a stored
    // "10" is never cut to a granting "1".
    m_rightValidator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[01 ]?")), this);
    buildControls();
    nameObjects();
    connect(m_nikCombo, &QComboBox::activated, this, &UserProfileDialog::loadChosenUser);
    connect(m_saveButton, &QPushButton::clicked, this, &UserProfileDialog::saveProfile);
    connect(m_deleteButton, &QPushButton::clicked, this, &UserProfileDialog::deleteUser);
}

void UserProfileDialog::buildControls()
{
    m_panel = new QFrame(this);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setGeometry(4, 4, 308, 369);
    m_panel->setAutoFillBackground(true);
    QPalette green = m_panel->palette();
    green.setColor(QPalette::Window, kPanelGreen);
    m_panel->setPalette(green);

    label(m_panel, QStringLiteral("NIK :"), QRect(12, 12, 64, 22));
    m_nikCombo = editableList(m_panel);
    m_nikCombo->setGeometry(80, 12, 214, 22);
    label(m_panel, QStringLiteral("User :"), QRect(12, 40, 64, 22));
    m_nameEdit = new QLineEdit(m_panel);
    m_nameEdit->setGeometry(80, 40, 214, 22);
    m_fields.append({m_nameEdit, &UserRecord::name, QStringLiteral("User")});

    m_onlineRight = addRightField(QStringLiteral("Cek Online"), &UserRecord::online, 54, 74);
    m_adminRight = addRightField(QStringLiteral("Admin"), &UserRecord::admin, 154, 74);
    m_itemToBuyRight =
        addRightField(QStringLiteral("Item to Buy"), &UserRecord::itemToBuy, 254, 74);
    m_priceRight = addRightField(QStringLiteral("PO / HPP"), &UserRecord::price, 54, 128);
    m_printRight = addRightField(QStringLiteral("Print"), &UserRecord::print, 154, 128);
    m_oldStockRight = addRightField(QStringLiteral("Old Stock"), &UserRecord::oldStock, 254, 128);

    m_sales1Combo = addListField(QStringLiteral("Sales 1"), &UserRecord::sales1, 190);
    m_sales1Combo->setToolTip(QStringLiteral("1 : All Sales"));
    m_sales2Combo = addListField(QStringLiteral("Sales 2"), &UserRecord::sales2, 218);
    m_dept1Combo = addListField(QStringLiteral("Dept 1"), &UserRecord::dept1, 246);
    m_dept2Combo = addListField(QStringLiteral("Dept 2"), &UserRecord::dept2, 274);
    m_dept3Combo = addListField(QStringLiteral("Dept 3"), &UserRecord::dept3, 302);

    m_saveButton = new QPushButton(QStringLiteral("Save"), m_panel);
    m_saveButton->setGeometry(64, 334, 80, 26);
    m_deleteButton = new QPushButton(QStringLiteral("Delete"), m_panel);
    m_deleteButton->setGeometry(164, 334, 80, 26);
    // Enter in a field must not press a button on its own.
    for (QPushButton* b : {m_saveButton, m_deleteButton})
        b->setAutoDefault(false);
}

QLineEdit* UserProfileDialog::addRightField(const QString& caption, QString UserRecord::*value,
                                            int centreX, int y)
{
    QWidget* panel = m_panel;
    label(panel, caption, QRect(centreX - 48, y, 96, 18), Qt::AlignCenter);
    auto* field = new QLineEdit(panel);
    field->setGeometry(centreX - 14, y + 20, 28, 26);
    QFont bold = field->font();
    bold.setPixelSize(13);
    bold.setBold(true);
    field->setFont(bold);
    field->setAlignment(Qt::AlignCenter);
    field->setToolTip(QStringLiteral("1 Aktif 0 Tidak Aktif"));
    field->setValidator(m_rightValidator);
    field->installEventFilter(m_rightKeyFilter);
    m_fields.append({field, value, caption});
    return field;
}

QComboBox* UserProfileDialog::addListField(const QString& caption, QString UserRecord::*value,
                                           int y)
{
    label(m_panel, caption, QRect(12, y, 64, 22));
    QComboBox* combo = editableList(m_panel);
    combo->setGeometry(80, y, 214, 22);
    m_fields.append({combo, value, caption});
    return combo;
}

void UserProfileDialog::nameObjects()
{
    const std::pair<QObject*, const char*> names[] = {
        {this, "frmuserprofile"},       {m_panel, "Panel1"},
        {&m_query, "Zprofile"},         {m_nikCombo, "cbnik"},
        {m_nameEdit, "edname"},         {m_onlineRight, "edonline"},
        {m_adminRight, "edadmin"},      {m_itemToBuyRight, "editemtobuy"},
        {m_priceRight, "edcekpo"},      {m_printRight, "edprint"},
        {m_oldStockRight, "edoldstok"}, {m_sales1Combo, "cbsales1"},
        {m_sales2Combo, "cbsales2"},    {m_dept1Combo, "cbdept1"},
        {m_dept2Combo, "cbdept2"},      {m_dept3Combo, "cbdept3"},
        {m_saveButton, "Button1"},      {m_deleteButton, "Button2"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void UserProfileDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        reloadLists();
}

void UserProfileDialog::reloadLists()
{
    // The fields belong to the last showing: a list emptied for new rows would leave them
    // describing a user nobody chose.
    clearFields();
    for (QComboBox* list :
         {m_nikCombo, m_sales1Combo, m_sales2Combo, m_dept1Combo, m_dept2Combo, m_dept3Combo})
        list->clear();
    m_slotWidths.clear();

    QStringList niks, members, teams;
    try {
        WaitCursor wait;
        m_query.setSql(ControlRecords::usersSql());
        for (m_query.open(); !m_query.eof(); m_query.next())
            niks << ControlRecords::nikOf(m_query);
        m_query.setSql(ControlRecords::salesTeamMembersSql());
        for (m_query.open(); !m_query.eof(); m_query.next())
            members << ControlRecords::memberName(m_query);
        m_query.setSql(ControlRecords::salesTeamNamesSql());
        for (m_query.open(); !m_query.eof(); m_query.next())
            teams << ControlRecords::teamName(m_query);
        m_query.setSql(ControlRecords::slotWidthsSql());
        m_query.open();
        m_slotWidths = ControlRecords::readSlotWidths(m_query);
        m_query.close();
    } catch (const DbError& e) {
        m_query.close();
        m_messages.error(e.message());
        return;
    }
    const ProfileChoices choices = profileChoices(niks, members, teams);
    m_nikCombo->addItems(choices.niks);
    m_sales1Combo->addItems(choices.sales1);
    m_sales2Combo->addItems(choices.sales2);
    for (QComboBox* list : {m_dept1Combo, m_dept2Combo, m_dept3Combo})
        list->addItems(choices.teams);
    clearFields();
}

void UserProfileDialog::loadChosenUser()
{
    const QString nik = m_nikCombo->currentText();
    std::optional<UserRecord> record;
    try {
        WaitCursor wait;
        m_query.setSql(ControlRecords::usersSql());
        m_query.open();
        if (ControlRecords::locateUser(m_query, nik))
            record = ControlRecords::readUser(m_query);
        m_query.close();
    } catch (const DbError& e) {
        m_query.close();
        m_messages.error(e.message());
        return;
    }
    // Deleted since the list was read: the fields keep what they showed.
    if (!record) {
        m_messages.show(Messages::Kind::Plain, kNikNotFound, QStringLiteral("Error"));
        return;
    }
    showRecord(*record);
}

void UserProfileDialog::saveProfile()
{
    const UserRecord profile = fieldsAsRecord();
    const ProfileProblem problem =
        checkProfile(profile, m_slotWidths, TextCodec(m_connections.control.params().charset));
    if (problem.kind == ProfileProblem::Kind::TooLong) {
        m_messages.warning(
            QStringLiteral("Isian \"%1\" terlalu panjang: paling banyak %2 karakter, terisi %3.")
                .arg(labelOf(problem.field))
                .arg(problem.width)
                .arg((profile.*problem.field).size()));
        return;
    }
    if (problem.kind == ProfileProblem::Kind::Unstorable) {
        m_messages.warning(
            QStringLiteral("Isian \"%1\" berisi huruf \"%2\" yang tidak dapat disimpan.")
                .arg(labelOf(problem.field), problem.character));
        return;
    }
    if (!m_messages.confirm(kConfirmSave))
        return;
    int written = 0;
    try {
        WaitCursor wait;
        m_query.setSql(ControlRecords::usersSql());
        m_query.open();
        if (ControlRecords::locateUser(m_query, profile.nik))
            written = ControlRecords::writeProfile(m_query, profile);
        m_query.close();
    } catch (const DbError&) {
        m_query.close();
        m_messages.warning(kSaveFailed);
        return;
    }
    // No such user (or gone since the look-up): nothing was written, nothing to tell.
    if (written == 0)
        return;
    m_messages.information(kSaved);
    clearFields();
}

void UserProfileDialog::deleteUser()
{
    const QString nik = m_nikCombo->currentText();
    if (!m_messages.confirm(deleteQuestion(nik)))
        return;
    try {
        WaitCursor wait;
        m_query.setSql(ControlRecords::usersSql());
        m_query.open();
        if (!ControlRecords::locateUser(m_query, nik)) {
            m_query.close();
            return;
        }
        // Gone between the look-up and the delete: the warning names that case too.
        if (ControlRecords::deleteCurrentRow(m_query) == 0)
            throw DbError(kDeleteFailed);
        m_query.close();
    } catch (const DbError&) {
        m_query.close();
        m_messages.warning(kDeleteFailed);
        return;
    }
    m_messages.information(kDeleted);
    clearFields();
}

void UserProfileDialog::clearFields()
{
    m_nikCombo->setEditText(QString());
    for (const Field& f : std::as_const(m_fields))
        setTextOf(f.widget, QString());
}

UserRecord UserProfileDialog::fieldsAsRecord() const
{
    UserRecord record;
    record.nik = m_nikCombo->currentText();
    for (const Field& f : m_fields)
        record.*f.value = textOf(f.widget);
    return record;
}

void UserProfileDialog::showRecord(const UserRecord& record)
{
    for (const Field& f : std::as_const(m_fields))
        setTextOf(f.widget, record.*f.value);
}

QString UserProfileDialog::labelOf(QString UserRecord::*value) const
{
    for (const Field& f : m_fields)
        if (f.value == value)
            return f.label;
    return {};
}
