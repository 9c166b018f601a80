// The library commands of the main view: genres and titles added, edited, reordered,
// moved and deleted, a title's history cleared.
#include "view/CZarn2View.h"

void CZarn2View::OnGroupAdd() {}
void CZarn2View::OnGroupEdit() {}
void CZarn2View::OnGroupOrder() {}
void CZarn2View::OnGroupDelete() {}
void CZarn2View::OnMemberAdd() {}
void CZarn2View::OnMemberEdit() {}
void CZarn2View::OnMemberOrder() {}
void CZarn2View::OnMemberMove() {}
void CZarn2View::OnHistoryReset() {}
void CZarn2View::OnMemberDelete() {}
void CZarn2View::OnMemberDeleteAll() {}
