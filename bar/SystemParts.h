#pragma once
// The bar's real parts: the panel row, the warning list over the built-in
// catalogue and the plug-ins, the display thread and the shell's application
// bar. The settings library's dialogs are left to the program (it links the
// library), so that tests can run the real bar without it.
#include "bar/BarParts.h"

class SystemParts : public BarParts {
 public:
  std::unique_ptr<PanelRow> CreatePanels(TBarForm& bar) override;
  std::unique_ptr<WarningList> CreateWarnings(TBarForm& bar) override;
  std::unique_ptr<DisplayThread> CreateDisplayThread(TBarForm& bar, PanelRow& panels,
                                                     WarningList& warnings) override;
  std::unique_ptr<AppBarShell> CreateShell(TBarForm& bar) override;
  void InitBuiltIns(bool atStartUp) override;
  void ForgetLoadedPlugins() override;
};
