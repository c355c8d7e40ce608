#pragma once

#include <QGroupBox>

class QLineEdit;

// The login panel: "Masukan NIK Anda :" and the NIK field.
class LoginPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit LoginPanel(QWidget* parent = nullptr);
    QLineEdit* nik() const { return m_nik; }

signals:
    void keyPressed(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_nik;
};
