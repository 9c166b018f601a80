#pragma once

#include "dialogs/COrderDlg.h"

// Moves the current genre within the genre list. The caller saves the genre list file
// after the dialog closes.
class CGroupOrderDlg : public COrderDlg {
    Q_OBJECT
public:
    CGroupOrderDlg(CZarn2Doc* doc, IOrderedList* groupList, QWidget* parent = nullptr);

protected:
    int Current(int& count) const override;
    void Exchange(int i, int j) override;
    void MakeCurrent(int t) override;
};
