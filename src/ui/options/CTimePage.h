#pragma once

#include "options/COptionPage.h"

#include <QFont>

class CCaretStartEdit;
class CSpinButton;
class CZarn2App;
class QCheckBox;

// "記録設定": the recording threshold in minutes (0 to 15), the idle check of timed plays
// with its minutes (1 to 240; unchecked: off), minimising the launcher while a title runs,
// and closing it after an unrecorded start.
class CTimePage : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kMaxMinutes = 15;
    static constexpr int kMinIdleMinutes = 1;
    static constexpr int kMaxIdleMinutes = 240;

    CTimePage(CZarn2App& app, QWidget* parent);

    void OnOK() override;

    CCaretStartEdit* MinutesEdit() const { return m_pEdit; }
    CSpinButton* Spin() const { return m_pSpin; }
    QCheckBox* IdleCheck() const { return m_pIdleCheck; }
    CCaretStartEdit* IdleMinutesEdit() const { return m_pIdleEdit; }
    QCheckBox* MinimizeCheck() const { return m_pMinimize; }
    QCheckBox* AutoExitCheck() const { return m_pAutoExit; }

protected:
    void OnInitDialog() override;

private:
    CCaretStartEdit* MinutesBox(const char* name);
    void KeepWithin(CCaretStartEdit* edit, int lower, int upper);

    CZarn2App* m_pApp;
    QFont m_Font;
    CCaretStartEdit* m_pEdit;
    CSpinButton* m_pSpin;
    QCheckBox* m_pIdleCheck;
    CCaretStartEdit* m_pIdleEdit;
    CSpinButton* m_pIdleSpin;
    QCheckBox* m_pMinimize;
    QCheckBox* m_pAutoExit;
    int m_nInitialised = 0;
};
