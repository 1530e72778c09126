#include "bar/PanelWindows.h"

#include <commctrl.h>

#include <cstring>
#include <new>

#include "bar/core/BarColours.h"
#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"
#include "shared/Globals.h"
#include "shared/core/CvlError.h"
#include "shared/core/VBText.h"
#include "shared/win32/Window.h"
#include "shared/win32/StoredColour.h"

#ifndef TTTOOLINFOA_V1_SIZE
#define TTTOOLINFOA_V1_SIZE 40
#endif

namespace {

// The widest window Windows 95 creates.
constexpr int32_t kWidestCell = 32767;

COLORREF FaceOf(const CellLook& look) {
  return look.SystemFace ? GetSysColor(COLOR_BTNFACE) : look.Colour;
}

bool Graphed(const CellLook& look) { return look.Graph && look.Graph->HasGraph(); }

// A rectangle in one colour, as the background of an empty text: no brush
// to create and free at every pass.
void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
}

// The graph over the inside of the bevel: under each column a tinted area
// from the bottom up, the face above it, a run of columns of one height in
// one stroke each. The newest value stands at the rightmost column inside
// the bevel.
void DrawGraph(HDC dc, const RECT& inner, const CellLook& look) {
  const PanelGraph& graph = *look.Graph;
  const COLORREF face = FaceOf(look);
  const COLORREF tint = GraphTint(face, look.TextColour);
  const int height = inner.bottom - inner.top;
  const int32_t top = graph.Top();
  const int shift = graph.Capacity() - inner.right;
  auto column = [&](int x) { return graph.ColumnHeight(x + shift, height, top); };
  int x = inner.left;
  int h = column(x);
  while (x < inner.right) {
    int end = x + 1, next = 0;
    while (end < inner.right && (next = column(end)) == h) ++end;
    if (h < height) FillSolid(dc, {x, inner.top, end, inner.bottom - h}, face);
    if (h > 0) FillSolid(dc, {x, inner.bottom - h, end, inner.bottom}, tint);
    x = end;
    h = next;
  }
}

// The text centred inside the bevel over the cell's face, in one call that
// fills the face too: drawn alone when only the text changed. Over a graph,
// the graph first and the text on it.
void DrawCellText(HWND hwnd, HDC dc, CellLook& look, const char* text, int length) {
  RECT inner;
  GetClientRect(hwnd, &inner);
  InflateRect(&inner, -1, -1);
  HGDIOBJ font = look.Font ? static_cast<HGDIOBJ>(look.Font) : GetStockObject(DEFAULT_GUI_FONT);
  SelectedObject selected(dc, font);
  if (look.TextHeight < 0) {
    TEXTMETRICA metrics{};
    look.TextHeight = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
  }
  UINT options = ETO_OPAQUE | ETO_CLIPPED;
  if (Graphed(look)) {
    DrawGraph(dc, inner, look);
    SetBkMode(dc, TRANSPARENT);
    options = ETO_CLIPPED;
  }
  SetTextColor(dc, look.TextColour);
  SetBkColor(dc, FaceOf(look));
  SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
  const int x = inner.left + (inner.right - inner.left) / 2;
  const int y = inner.top + (inner.bottom - inner.top - look.TextHeight) / 2;
  ExtTextOutA(dc, x, y, options, &inner, text, static_cast<UINT>(length), nullptr);
}

void DrawCell(HWND hwnd, HDC dc, CellLook& look) {
  RECT r;
  GetClientRect(hwnd, &r);
  char text[128];
  const int n = look.Picture ? 0 : GetWindowTextA(hwnd, text, sizeof text);
  if (look.Picture || (n == 0 && !Graphed(look))) {
    if (look.SystemFace) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else {
      GdiObject<HBRUSH> brush(CreateSolidBrush(look.Colour));
      FillRect(dc, &r, brush.Get());
    }
  } else {
    DrawCellText(hwnd, dc, look, text, n);
  }
  DrawEdge(dc, &r, look.Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT);
  if (look.Picture) {
    HDC memory = CreateCompatibleDC(dc);
    if (memory) {
      {
        SelectedObject picture(memory, look.Picture);
        BitBlt(dc, 3, 3, 16, 16, memory, 0, 0, SRCCOPY);
      }
      DeleteDC(memory);
    }
  }
}

void PaintCell(HWND hwnd, CellLook& look) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  DrawCell(hwnd, dc, look);
  EndPaint(hwnd, &ps);
}

// A new text goes straight onto the screen, and only the text: the bevel
// around it stays as it is. Invalidating instead would cost a round of
// update-region requests and WM_PAINT, whose BeginPaint and EndPaint also
// hide and show the (absent) caret. A cell that is hidden or covered is
// drawn by WM_PAINT when it shows again.
void RedrawText(HWND hwnd, CellLook& look, const char* text) {
  HDC dc = GetDC(hwnd);
  if (!dc) return;
  DrawCellText(hwnd, dc, look, text ? text : "", text ? lstrlenA(text) : 0);
  ReleaseDC(hwnd, dc);
}

void RelayToTips(HWND hwnd, UINT msg, WPARAM w, LPARAM l, HWND tips) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = w;
  m.lParam = l;
  m.time = static_cast<DWORD>(GetMessageTime());
  GetCursorPos(&m.pt);
  SendMessageA(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

LRESULT CALLBACK CellProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  auto* look = reinterpret_cast<CellLook*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
      auto* given = static_cast<const CellLook*>(create->lpCreateParams);
      look = given ? new (std::nothrow) CellLook(*given) : new (std::nothrow) CellLook;
      if (!look) return FALSE;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(look));
      break;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete look;
      break;
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcA(hwnd, msg, w, l);
      if (look && !look->Picture) RedrawText(hwnd, *look, reinterpret_cast<const char*>(l));
      return r;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      if (look && look->Tips) RelayToTips(hwnd, msg, w, l, look->Tips);
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole cell
    case WM_GETFONT:
      return look ? reinterpret_cast<LRESULT>(look->Font) : 0;
    case WM_PAINT:
      if (look) {
        PaintCell(hwnd, *look);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, w, l);
}

// The look of a cell of this class (the settings button's procedure passes
// its messages on to the class's), else nullptr.
CellLook* LookOf(HWND cell) {
  if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(cell, GCLP_WNDPROC)) != CellProc) return nullptr;
  return reinterpret_cast<CellLook*>(GetWindowLongPtrA(cell, GWLP_USERDATA));
}

bool RegisterCellClass() {
  HINSTANCE instance = ThisModule();
  WNDCLASSA wc{};
  if (GetClassInfoA(instance, kPanelClassName, &wc)) return true;
  wc.lpfnWndProc = CellProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClassName;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

HWND CreateCell(HWND parent, const CellLook& look, int x, int y, int w, int h, const char* text) {
  if (!RegisterCellClass()) return nullptr;
  return CreateWindowExA(0, kPanelClassName, text, WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                         nullptr, ThisModule(), const_cast<CellLook*>(&look));
}

HFONT CreatePanelFont(SettingsSource& settings, COLORREF& textColour) {
  auto read = [&](const char* key, const char* def) {
    return settings.GetSetting(kAppName, "Settings", key, def);
  };
  const std::string name = read("FontName", "Arial");
  const int32_t size = TextToInt(read("FontSize", "8"));
  textColour = ColourRefOf(TextToInt(read("FontColor", "-2147483640")));
  bool bold = false, italic = false;
  FontStyleFrom(read("FontStyle", ""), bold, italic);

  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(size, dpi, 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::strncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

// ---- Tool tips ------------------------------------------------------------

PanelToolTips::PanelToolTips(HWND bar) : bar_(bar) {
  InitCommonControls();
  // Not owned by the bar: a window that owns pop-ups cannot always be put
  // on top of the others (the bar's "Always on Top"). The tips come up on
  // top by themselves.
  tips_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                          ThisModule(), nullptr);
}

PanelToolTips::~PanelToolTips() {
  if (tips_ && IsWindow(tips_)) DestroyWindow(tips_);
}

void PanelToolTips::Add(HWND cell, const std::string& text) {
  if (!tips_ || !cell) return;
  TOOLINFOA info{};
  // The first layout of the record: the only one every common-controls
  // library of Windows 95 accepts.
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = bar_;
  info.uId = reinterpret_cast<UINT_PTR>(cell);
  info.hinst = nullptr;
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  if (CellLook* look = LookOf(cell)) look->Tips = tips_;
}

void PanelToolTips::Remove(HWND cell) {
  if (!tips_ || !cell) return;
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = bar_;
  info.uId = reinterpret_cast<UINT_PTR>(cell);
  SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  if (CellLook* look = LookOf(cell)) look->Tips = nullptr;
}

// ---- Panel windows ----------------------------------------------------------

PanelWindows::PanelWindows(HWND bar, PanelToolTips& tips, SettingsSource& settings,
                           const std::string& hint, HBITMAP bitmap, int32_t width,
                           const PanelGraph& graph)
    : tips_(tips), picture_(bitmap) {
  COLORREF textColour = 0;
  font_.Reset(CreatePanelFont(settings, textColour));
  width_ = width < 0 ? 0 : (width > kWidestCell ? kWidestCell : width);

  CellLook icon;
  icon.Raised = true;
  icon.SystemFace = false;
  icon.Colour = RGB(0xC0, 0xC0, 0xC0);
  icon.Picture = picture_.Get();
  icon_ = CreateCell(bar, icon, 0, 0, 22, 22);

  CellLook text;
  text.Font = font_.Get();
  text.TextColour = textColour;
  text.Graph = &graph;
  text_ = CreateCell(bar, text, 27, 0, width_, 22);
  if (!icon_ || !text_) {
    if (icon_) DestroyWindow(icon_);
    if (text_) DestroyWindow(text_);
    throw CvlError("Cannot create the windows of a panel");
  }
  tips_.Add(icon_, hint);
  tips_.Add(text_, hint);
}

PanelWindows::~PanelWindows() {
  // The picture goes with the view; then the icon cell, then the text cell.
  tips_.Remove(icon_);
  tips_.Remove(text_);
  DestroyWindow(icon_);
  DestroyWindow(text_);
}

void PanelWindows::SetPosition(int x, int y) {
  SetWindowPos(icon_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(text_, nullptr, x + kPanelTextOffset, y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int PanelWindows::TextWidth() const { return width_; }

void PanelWindows::SetHint(const std::string& hint) {
  for (HWND cell : {icon_, text_}) {
    tips_.Remove(cell);
    tips_.Add(cell, hint);
  }
}

bool PanelWindows::ShowText(const char* text) {
  if (std::strcmp(shown_, text) == 0) return false;
  std::strncpy(shown_, text, sizeof shown_ - 1);
  shown_[sizeof shown_ - 1] = '\0';
  SetWindowTextA(text_, text);
  return true;
}

void PanelWindows::Redraw() {
  if (CellLook* look = LookOf(text_)) RedrawText(text_, *look, shown_);
}

// ---- The text hand-over ---------------------------------------------------

void PanelTextTable::SetWindow(HWND window) {
  Lock lock(lock_);
  window_ = window;
  pending_ = false;
}

void PanelTextTable::Publish(uint32_t generation, int slot, const char* text, size_t length,
                             bool fromPass, GraphColumn column) {
  if (slot < 1 || slot > kMaxPanels) return;
  if (length > static_cast<size_t>(kTextPlace)) length = kTextPlace;
  HWND post = nullptr;
  {
    Lock lock(lock_);
    if (fromPass && !open_) return;
    Place& p = places_[slot - 1];
    // The place keeps the last text sent to its cell, or on its way there.
    if (column.kind == GraphColumn::None && p.Generation == generation && p.Length == length &&
        std::memcmp(p.Chars, text, length) == 0)
      return;
    if (!p.Changed || p.Generation != generation) p.Columns.count = 0;
    p.Columns.Add(column);
    std::memcpy(p.Chars, text, length);
    p.Length = static_cast<uint8_t>(length);
    p.Generation = generation;
    p.Changed = true;
    waiting_ = true;
    if (holder_ != GetCurrentThreadId()) post = ToPost();
  }
  PostTo(post);
}

HWND PanelTextTable::ToPost() {
  if (pending_ || !waiting_ || !window_) return nullptr;
  pending_ = true;
  ++posted_;
  return window_;
}

void PanelTextTable::PostTo(HWND window) {
  // Posted outside the lock; a window that is gone takes no message, and the
  // next writer tries again.
  if (window && !PostMessageA(window, WM_PANELTEXTS, 0, 0)) {
    Lock lock(lock_);
    pending_ = false;
  }
}

void PanelTextTable::Hold() {
  Lock lock(lock_);
  holder_ = GetCurrentThreadId();
}

void PanelTextTable::Send() {
  HWND post = nullptr;
  {
    Lock lock(lock_);
    if (holder_ == GetCurrentThreadId()) holder_ = 0;
    post = ToPost();
  }
  PostTo(post);
}

void PanelTextTable::Open() {
  Lock lock(lock_);
  open_ = true;
}

void PanelTextTable::Close() {
  Lock lock(lock_);
  open_ = false;
  for (Place& p : places_) p.Changed = false;
  waiting_ = false;
}

int PanelTextTable::Take(Text* out) {
  Lock lock(lock_);
  int n = 0;
  for (int i = 0; i < kMaxPanels; ++i) {
    Place& p = places_[i];
    if (!p.Changed) continue;
    Text& t = out[n++];
    t.Generation = p.Generation;
    t.Slot = i + 1;
    std::memcpy(t.Chars, p.Chars, p.Length);
    t.Chars[p.Length] = '\0';
    t.Columns = p.Columns;
    p.Columns.count = 0;
    p.Changed = false;
  }
  pending_ = false;
  waiting_ = false;
  return n;
}

long PanelTextTable::PostedCount() {
  Lock lock(lock_);
  return posted_;
}

// ---- The panel row ---------------------------------------------------------

BarPanels::BarPanels(HWND bar, const bool& logAll)
    : bar_(bar), logAll_(logAll), tips_(bar), list_(*this, Contract()) {
  table_.SetWindow(bar);
}

BarPanels::~BarPanels() { table_.SetWindow(nullptr); }

void BarPanels::LoadPanels() {
  list_.LoadPanels();
  // The built-in sensors hand out values only for panels that graph them.
  WantGraphValues(list_.GraphsShown());
}

void BarPanels::ShowPaused() {
  list_.ShowPaused();
  ShowTexts();
}

void BarPanels::DisableStopped(void* fn) {
  list_.DisableStopped(fn);
  ShowTexts();
}

void BarPanels::ShowTexts() {
  PanelTextTable::Text texts[kMaxPanels];
  const int n = table_.Take(texts);
  for (int i = 0; i < n; ++i) {
    const PanelTextTable::Text& t = texts[i];
    // Texts of a list that has been rebuilt since are stale.
    if (t.Generation != list_.Generation() || t.Slot > list_.Count()) continue;
    list_.Items(t.Slot).ShowReading(t.Chars, t.Columns);
  }
}

TBuiltInSensor BarPanels::BuiltInSensor(int32_t number) { return ::BuiltInSensor(number); }
bool BarPanels::StoppedResponding(const void* fn) { return PluginLoader().StoppedResponding(fn); }

BitmapHandle BarPanels::LoadPanelImage(int32_t number) {
  const std::string name = "PANELIMAGE" + IntToText(number);
  return LoadBitmapA(ThisModule(), name.c_str());
}

void BarPanels::DeleteBitmap(BitmapHandle bitmap) {
  DeleteObject(static_cast<HBITMAP>(bitmap));
}

std::unique_ptr<PanelView> BarPanels::CreateView(int slot, const std::string& hint,
                                                 BitmapHandle bitmap, int32_t width,
                                                 const PanelGraph& graph) {
  std::unique_ptr<PanelWindows> view(new PanelWindows(bar_, tips_, settings_, hint,
                                                      static_cast<HBITMAP>(bitmap), width, graph));
  SetWindowLongPtrA(view->TextCell(), GWLP_ID, kTextCellIdBase + slot);
  SetWindowLongPtrA(view->IconCell(), GWLP_ID, kIconCellIdBase + slot);
  return std::unique_ptr<PanelView>(view.release());
}

void BarPanels::ShowError(const std::string& message, const std::string& code,
                          const std::string& description) {
  ::ShowError(message, code, description);
}

std::optional<int32_t> BarPanels::TakeBuiltInValue() { return TakeGraphValue(); }

void BarPanels::PublishText(uint32_t generation, int slot, const char* text, size_t length,
                            bool fromPass, GraphColumn column) {
  table_.Publish(generation, slot, text, length, fromPass, column);
}

void BarPanels::LogLine(const std::string& text) { ::LogLine(text); }
