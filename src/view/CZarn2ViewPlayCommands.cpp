// The play commands of the main view: start the current title with or without recording
// its play time.
#include "view/CZarn2View.h"

void CZarn2View::OnPlayRecorded() {}
void CZarn2View::OnPlayUnrecorded() {}
