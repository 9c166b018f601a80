#pragma once

#include <QDialog>

class QLabel;

// "Zarn2 のバージョン情報": the program icon, the version line and an OK button.
class CVersionInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVersionInfoDlg(QWidget* parent = nullptr);
    QString VersionLine() const;

private:
    QLabel* m_pVersion;
};
