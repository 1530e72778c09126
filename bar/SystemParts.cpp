#include "bar/SystemParts.h"

#include "bar/BarFormCode.h"
#include "bar/PanelWindows.h"
#include "bar/DisplayThreadCode.h"
#include "bar/ShellAppBar.h"
#include "sensors/BuiltInsCode.h"
#include "sensors/WarningHost.h"
#include "shared/Common.h"

namespace {

class BarWarnings : public WarningList {
 public:
  void LoadWarnings() override { list_.LoadWarnings(); }
  int WarningCount() override { return list_.Count(); }
  void CheckWarning(int i) override { list_.Items(i).Check(); }
  void DisableCheck(int i) override { list_.Items(i).CheckFunc = nullptr; }
  void DisableStopped(void* fn) override {
    list_.DisableStopped(reinterpret_cast<TWarningFunction>(fn));
  }

 private:
  TWarnings list_{SystemWarningHost()};
};

}  // namespace

std::unique_ptr<PanelRow> SystemParts::CreatePanels(TBarForm& bar) {
  return std::unique_ptr<PanelRow>(new BarPanels(bar.Handle(), bar.LogAll));
}

std::unique_ptr<WarningList> SystemParts::CreateWarnings(TBarForm&) {
  return std::unique_ptr<WarningList>(new BarWarnings);
}

std::unique_ptr<DisplayThread> SystemParts::CreateDisplayThread(TBarForm& bar, PanelRow& panels,
                                                                WarningList& warnings) {
  return std::unique_ptr<DisplayThread>(
      new TDisplayThread(panels, warnings, panels.Gate(), bar.Handle()));
}

std::unique_ptr<AppBarShell> SystemParts::CreateShell(TBarForm& bar) {
  return std::unique_ptr<AppBarShell>(new ShellAppBar(bar.Handle()));
}

void SystemParts::InitBuiltIns(bool atStartUp) { ::InitBuiltIns(atStartUp); }

void SystemParts::ForgetLoadedPlugins() { Contract().ForgetPluginLibraries(); }
