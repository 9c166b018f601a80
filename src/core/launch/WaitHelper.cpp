#include "launch/WaitHelper.h"

#include "app/ProgramPaths.h"

template <>
WaitHelperLocation& Seam<WaitHelperLocation>::Fallback()
{
    static WaitHelperLocation inHelperFolder{ProgramPaths::HelperDir() + "/zarn2-wait"};
    return inHelperFolder;
}
