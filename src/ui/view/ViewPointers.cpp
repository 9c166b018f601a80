#include "view/ViewPointers.h"

CZarn2View* g_pGroupOrderView = nullptr;
CZarn2Doc* g_pGroupOrderDoc = nullptr;
CZarn2View* g_pMemberOrderView = nullptr;
CZarn2Doc* g_pMemberOrderDoc = nullptr;
CZarn2Doc* g_pMoveDoc = nullptr;
