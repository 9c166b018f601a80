#include "launch/IPlayUi.h"

namespace {

class NoWindowPlayUi final : public IPlayUi {
public:
    void MinimizeMainWindow() override {}
    void RestoreMainWindow() override {}
    void RunWaitingDialog(const CPlayTime&, bool) override {}
};

NoWindowPlayUi g_noWindow;
IPlayUi* g_ui = nullptr;

}  // namespace

namespace PlayUi {
IPlayUi& Get() { return g_ui ? *g_ui : g_noWindow; }
void Set(IPlayUi* ui) { g_ui = ui; }
}  // namespace PlayUi
