#include "app/XcbFlushOverSocket.h"

#include <QByteArray>

namespace {

const char kVariable[] = "QT_XCB_NO_MITSHM";
bool g_setHere = false;

}  // namespace

namespace XcbFlushOverSocket {

void Before()
{
    if (qEnvironmentVariableIsSet(kVariable))
        return;
    g_setHere = qputenv(kVariable, QByteArrayLiteral("1"));
}

void After()
{
    if (g_setHere)
        qunsetenv(kVariable);
    g_setHere = false;
}

}  // namespace XcbFlushOverSocket
