#pragma once

#include "dialogs/COrderDlg.h"

// Moves the current title within the current genre. The new order reaches the genre file
// with its next save.
class CMemberOrderDlg : public COrderDlg {
    Q_OBJECT
public:
    CMemberOrderDlg(CZarn2Doc* doc, IOrderedList* memberList, QWidget* parent = nullptr);

    // Closes at once, as cancelled, without a library or a list to work on.
    int exec() override;

protected:
    int Current(int& count) const override;
    void Exchange(int i, int j) override;
    void MakeCurrent(int t) override;
};
