#include "launch/WaitHelper.h"

#include "app/ProgramFolders.h"

template <> WaitHelperLocation& Seam<WaitHelperLocation>::Fallback()
{
    static WaitHelperLocation besideBinary{ProgramFolders::HelperFolder() + "/zarn2-wait"};
    return besideBinary;
}
