#pragma once

class CZarn2Doc;
class CZarn2View;

// Module-wide pointers through which the reorder and move dialogs reach the main view and
// the library. The view sets the first four when it initialises (and clears them when it
// goes); g_pMoveDoc is set when the move dialog is opened.
extern CZarn2View* g_pGroupOrderView;
extern CZarn2Doc* g_pGroupOrderDoc;
extern CZarn2View* g_pMemberOrderView;
extern CZarn2Doc* g_pMemberOrderDoc;
extern CZarn2Doc* g_pMoveDoc;
