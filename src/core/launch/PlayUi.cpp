#include "launch/IPlayUi.h"

namespace {

class NoWindowPlayUi final : public IPlayUi {
public:
    void MinimizeMainWindow() override {}
    void RestoreMainWindow() override {}
    void RunWaitingDialog(const CPlayTime&, bool) override {}
    void ShowStillRunning(const CPlayTime&, const std::string&, const std::function<void()>&) override {}
    void CloseStillRunning() override {}
};

}  // namespace

template <>
IPlayUi& Seam<IPlayUi>::Fallback()
{
    static NoWindowPlayUi noWindow;
    return noWindow;
}
