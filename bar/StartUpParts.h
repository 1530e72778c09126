#pragma once
// The parts the bar starts with until their subsystems replace them: an empty
// panel row and warning list, a display thread that only keeps its settings,
// and a plain placement that moves the window to its edge without asking the
// shell to reserve space.
#include "bar/BarParts.h"

class StartUpParts : public BarParts {
 public:
  std::unique_ptr<PanelRow> CreatePanels(TBarForm& bar) override;
  std::unique_ptr<WarningList> CreateWarnings(TBarForm& bar) override;
  std::unique_ptr<DisplayThread> CreateDisplayThread(PanelRow& panels,
                                                     WarningList& warnings) override;
  std::unique_ptr<BarPlacement> CreatePlacement(TBarForm& bar) override;
  void InitBuiltIns(bool) override {}
  void ForgetLoadedPlugins() override {}
};

// The placement without the shell: docked positions take the full width of
// the window's monitor at its top or bottom edge.
class PlainPlacement : public BarPlacement {
 public:
  explicit PlainPlacement(TBarForm& bar) : bar_(bar) {}
  void SetBarPosition(TBarPosition p) override;
  void AutoHideTick() override {}
  void Leave() override {}

 private:
  TBarForm& bar_;
};
