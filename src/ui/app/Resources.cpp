#include "app/Resources.h"

#include <QtGlobal>

static void InitZarn2Qrc() { Q_INIT_RESOURCE(zarn2); }

void Zarn2InitResources() { InitZarn2Qrc(); }
