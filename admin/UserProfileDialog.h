#pragma once

#include "data/ControlRecords.h"
#include "data/FbQuery.h"

#include <QDialog>
#include <QHash>
#include <QList>

class ConnectionSet;
class Messages;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QValidator;
struct AppContext;

// The editor of users' rights, opened modally from the main window's menu: looks a user up
// by NIK, changes the name, rights and sales scope, or deletes the user. It never creates a
// user. Every showing reads the lists afresh.
class UserProfileDialog : public QDialog
{
    Q_OBJECT
public:
    UserProfileDialog(ConnectionSet& connections, AppContext& context, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A field of the window with the part of the user record it shows and its label.
    struct Field {
        QWidget* widget;
        QString ControlRecords::UserRecord::*value;
        QString label;
    };

    void buildControls();
    // Each field joins the table of fields with its label as it is made.
    QLineEdit* addRightField(const QString& caption, QString ControlRecords::UserRecord::*value,
                             int centreX, int y);
    QComboBox* addListField(const QString& caption, QString ControlRecords::UserRecord::*value,
                            int y);
    void nameObjects();

    void reloadLists();
    void loadChosenUser();
    void saveProfile();
    void deleteUser();
    void clearFields();

    ControlRecords::UserRecord fieldsAsRecord() const;
    void showRecord(const ControlRecords::UserRecord& record);
    QString labelOf(QString ControlRecords::UserRecord::*value) const;

    ConnectionSet& m_connections;
    Messages& m_messages;
    FbQuery m_query;
    QHash<QString, int> m_slotWidths;

    QFrame* m_panel = nullptr;
    QComboBox* m_nikCombo = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_onlineRight = nullptr;
    QLineEdit* m_adminRight = nullptr;
    QLineEdit* m_itemToBuyRight = nullptr;
    QLineEdit* m_priceRight = nullptr;
    QLineEdit* m_printRight = nullptr;
    QLineEdit* m_oldStockRight = nullptr;
    QComboBox* m_sales1Combo = nullptr;
    QComboBox* m_sales2Combo = nullptr;
    QComboBox* m_dept1Combo = nullptr;
    QComboBox* m_dept2Combo = nullptr;
    QComboBox* m_dept3Combo = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QObject* m_rightKeyFilter = nullptr;
    QValidator* m_rightValidator = nullptr;
    QList<Field> m_fields;
};
