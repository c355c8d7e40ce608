#pragma once

#include <QGroupBox>

class QLineEdit;

// The login panel: "Masukan NIK Anda :" and the NIK field.
class LoginPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit LoginPanel(QWidget* parent = nullptr);
    QString nik() const;
    void focusNik();

signals:
    // Enter (either key) in the NIK field.
    void nikEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_nikEdit;
};
