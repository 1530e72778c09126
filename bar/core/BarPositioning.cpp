#include "bar/core/BarPositioning.h"

#include <exception>

TitleBarChange TitlebarChange(bool show, uint32_t style, BorderKind border,
                              int32_t captionHeight) {
  TitleBarChange c;
  c.Style = style;
  if (((style & kStyleCaption) == kStyleCaption) == show) return c;
  // The caption takes the place of the window's own border, and gives it back.
  if (border == BorderKind::Dialog)
    c.Style = show ? style | kStyleCaption | kStyleModalFrame
                   : (style & ~kStyleCaption) | kStyleDlgFrame | kStyleModalFrame;
  else if (border != BorderKind::None)
    c.Style = show ? style | kStyleCaption : (style & ~kStyleCaption) | kStyleBorder;
  c.Changed = true;
  c.HeightDelta = show ? captionHeight : -captionHeight;
  c.TopDelta = show ? -kTitleBarAllowance : kTitleBarAllowance;
  return c;
}

void BarPositioner::ShowTitlebar(bool show) {
  bar_.Fields().TitleBarShown = show;
  const TitleBarChange c = TitlebarChange(show, bar_.Style(), bar_.Border(), bar_.CaptionHeight());
  if (!c.Changed) return;
  bar_.SetStyle(c.Style);
  BarBounds b = bar_.Bounds();
  b.Height += c.HeightDelta;
  b.Top += c.TopDelta;
  bar_.SetBounds(b);
}

void BarPositioner::RegisterAppBar(bool on) {
  if (on)
    shell_.Register();
  else
    shell_.Remove();
}

void BarPositioner::CheckOnly(BarMenuItem item) {
  for (BarMenuItem i : {BarFloatMenu, BarTopMenu, BarBottomMenu, MinimiseMenu})
    bar_.SetChecked(i, i == item);
}

void BarPositioner::SaveBarPosition(const char* word) {
  bar_.Settings().SaveSetting(kAppName, "Settings", "BarPosition", word);
}

bool BarPositioner::AutoHideDecision(int edge) {
  if (!bar_.Checked(AutoHideMenu)) return false;
  if (shell_.OtherAutoHideBar(edge)) {
    bar_.Settings().SaveSetting(kAppName, "Settings", "AutoHide", "FALSE");
    bar_.SetAutoHideTimer(false);
    bar_.SetChecked(AutoHideMenu, false);
    bar_.ShowAutoHideRefusal(kAutoHideRefusal);
    return false;
  }
  RegisterAppBar(false);
  RegisterAppBar(true);
  return true;
}

void BarPositioner::Dock(TBarPosition p, const MonitorRect& m) {
  BarFields& f = bar_.Fields();
  RegisterAppBar(true);
  // The height is only known after the query: propose the last one.
  const int32_t proposed = f.BarHeight > 0 ? f.BarHeight : kDockProposalHeight;
  EdgeRect r;
  r.Left = m.Left;
  r.Right = m.Left + m.Width;
  if (p == bpTop) {
    r.Top = m.Top;
    r.Bottom = m.Top + proposed;
  } else {
    r.Bottom = m.Top + m.Height;
    r.Top = r.Bottom - proposed;
  }
  shell_.QueryPos(p, r);
  f.BarHeight = bar_.Arrange(r.Right - r.Left);
  if (p == bpTop)
    r.Bottom = r.Top + f.BarHeight;
  else
    r.Top = r.Bottom - f.BarHeight;

  const bool autoHide = AutoHideDecision(p);
  shell_.SetAutoHideBar(p, autoHide);

  if (!(bar_.Bounds() == r.Bounds() && bar_.Visible())) {
    ShowTitlebar(false);
    // An auto-hide bar reserves no space.
    if (!bar_.Checked(AutoHideMenu)) shell_.SetPos(p, r);
    f.DockRect = r;
    bar_.SetDisplayTimer(true);
  }
  CheckOnly(p == bpTop ? BarTopMenu : BarBottomMenu);
  bar_.SetTrayIcon(false);
  SaveBarPosition(p == bpTop ? "TOP" : "BOTTOM");
}

void BarPositioner::SetBarPosition(TBarPosition p) {
  try {
    BarFields& f = bar_.Fields();
    const MonitorRect m = bar_.Monitor();
    // The bar stops being the auto-hide bar of its old edge.
    shell_.SetAutoHideBar(f.Position, false);
    if (p != bpNone)
      f.Position = p;
    else
      p = f.Position;
    switch (p) {
      case bpTop:
      case bpBottom:
        Dock(p, m);
        break;
      case bpFloating: {
        // A docking still under way must not pull the window back.
        bar_.SetDisplayTimer(false);
        f.BarHeight = bar_.Arrange(bar_.ClientWidth());
        bar_.SetCaption("Corvella");
        BarBounds b = bar_.Bounds();
        b.Height = f.TitleBarShown ? f.BarHeight + kTitleBarAllowance : f.BarHeight;
        if (b != bar_.Bounds()) bar_.SetBounds(b);
        RegisterAppBar(false);
        bar_.ShowBar();
        CheckOnly(BarFloatMenu);
        bar_.SetTrayIcon(false);
        SaveBarPosition("FLOATING");
        break;
      }
      case bpMinimised:
        if (bar_.Settings().GetSetting(kAppName, "Settings", "PauseOnMinimise", "FALSE") ==
                "TRUE" &&
            !bar_.Checked(PauseMenu))
          bar_.RunPauseCommand();
        bar_.SetDisplayTimer(false);
        RegisterAppBar(false);
        bar_.HideBar();
        CheckOnly(MinimiseMenu);
        bar_.SetTrayIcon(true);
        SaveBarPosition("MINIMISED");
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    bar_.ShowFatalError("An Error has Occured Trying to Display Corvella", "04.", e.what());
  } catch (...) {
    bar_.ShowFatalError("An Error has Occured Trying to Display Corvella", "04.",
                        "Unknown error");
  }
}

void BarPositioner::DisplayTimerTick() {
  BarFields& f = bar_.Fields();
  const BarBounds target = f.DockRect.Bounds();
  if (bar_.Bounds() == target) {
    bar_.SetDisplayTimer(false);
    // A window hidden on its way (a position command hides it first) that
    // already stands on the rectangle still has to come back.
    if (!bar_.Visible()) bar_.ShowBar();
    return;
  }
  bar_.SetBounds(target);
  bar_.HideBar();
  bar_.ShowBar();
}

void BarPositioner::AutoHideTick(int32_t x, int32_t y) {
  BarFields& f = bar_.Fields();
  const BarBounds b = bar_.Bounds();
  const bool near = x > b.Left - 2 && x < b.Left + b.Width + 2 && y > b.Top - 2 &&
                    y < b.Top + b.Height + 2;
  if (near) {
    if (b.Height == kHiddenBarHeight) SetBarPosition(bpNone);
    return;
  }
  if (b.Height == kHiddenBarHeight) return;
  if (f.Position != bpTop && f.Position != bpBottom) return;
  f.Hiding = true;
  bar_.ShowBar();
  BarBounds s = b;
  while (s.Height > kHiddenBarHeight) {
    s.Height -= 2;
    if (f.Position == bpBottom) s.Top += 2;  // the bottom edge stays
    bar_.SetBounds(s);
  }
  if (s.Height != kHiddenBarHeight) {
    if (f.Position == bpBottom) s.Top += s.Height - kHiddenBarHeight;
    s.Height = kHiddenBarHeight;
    bar_.SetBounds(s);
  }
  f.Hiding = false;
}
