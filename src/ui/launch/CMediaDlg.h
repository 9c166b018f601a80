#pragma once

#include <QDialog>
#include <QFont>

#include <string>

class QLineEdit;
class QPushButton;

// The insert and remove prompt: a read-only centred field with the message, "O K" and
// "キャンセル". The caller fills the caption and the message before DoModal, which
// returns kOk (1) or kCancel (2); closing the window counts as Cancel.
class CMediaDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    explicit CMediaDlg(QWidget* parent = nullptr);

    std::string m_szCaption;
    std::string m_szMessage;

    int DoModal();
    // Applies the font, the caption and the message (DoModal does this first).
    void OnInitDialog();

    QLineEdit* MessageField() const { return m_pMessage; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

public Q_SLOTS:
    void reject() override;

private:
    QLineEdit* m_pMessage;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QFont m_font;
};
