#include "app/win/frm_main_form.h"

#include <commctrl.h>
#include <commdlg.h>

#include <exception>

#include "app/form_placement.h"
#include "app/user_texts.h"
#include "app/win/application.h"
#include "app/win/control_painter.h"
#include "app/win/window_text.h"
#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/wide.h"
#include "velmora_version.h"

namespace {

constexpr wchar_t kWindowClass[] = L"Tfrm_main";
// Sizes and fonts are pixels as laid out at 96 DPI, whatever the screen's: the manifest declares
// per-monitor awareness, so the system does not stretch the window either.
constexpr int kClientWidth = 306;
constexpr int kClientHeight = 206;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kButtonText = RGB(0, 0, 160);
constexpr COLORREF kPanelText = RGB(255, 255, 0);
constexpr COLORREF kPanelBack = RGB(0, 0, 0);
constexpr COLORREF kLabel2Text = RGB(128, 255, 255);

enum ControlId { kPutButton = 100, kFaresBox, kShapesBox, kPanel, kLabel1, kLabel2 };

UniqueFont MakeFont(const wchar_t* face, int pixel_height, bool bold) {
  return UniqueFont(CreateFontW(-pixel_height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

}  // namespace

Tfrm_main::Tfrm_main(HINSTANCE instance, std::optional<VisualStyle> style,
                     std::function<void(ImportWindow&)> run_import)
    : instance_(instance),
      style_(std::move(style)),
      run_import_(std::move(run_import)),
      background_(CreateSolidBrush(kGreen)) {
  WNDCLASSEXW window_class = {};
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = background_.get();
  window_class.lpszClassName = kWindowClass;
  RegisterWindowClass(window_class);

  RECT outer = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  const std::u16string caption = kCaptionBeforeVersion + std::u16string(u"" VELMORA_VERSION_TEXT);
  CreateTopWindow(kExStyle, kWindowClass, AsWide(caption), kStyle, 0, 0, outer.right - outer.left,
                  outer.bottom - outer.top, instance);
  // Here, not in WM_CREATE: a control that cannot be made fails the window's construction.
  CreateControls();
}

void Tfrm_main::Show(int show_command) {
  FormShow();
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
}

void Tfrm_main::FormShow() {
  RECT outer;
  GetWindowRect(window_, &outer);
  const FormPosition position =
      FormShowPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                       outer.right - outer.left, outer.bottom - outer.top);
  SetWindowPos(window_, nullptr, position.left, position.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Tfrm_main::OnUncaughtFailure(const std::exception& failure) {
  ReportUncaughtFailure(failure);
}

LRESULT Tfrm_main::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(l));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

HWND Tfrm_main::CreateControl(const wchar_t* window_class, const wchar_t* caption, DWORD style,
                              int id, int left, int top, int width, int height, HFONT font) {
  const HWND control = CreateWindowExW(
      0, window_class, caption, WS_CHILD | WS_VISIBLE | style, left, top, width, height, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (!control) throw Error(LastErrorText());
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void Tfrm_main::CreateControls() {
  label1_font_ = MakeFont(L"メイリオ", 13, true);
  check_font_ = MakeFont(L"メイリオ", 13, false);
  button_font_ = MakeFont(L"メイリオ", 16, true);
  panel_font_ = MakeFont(L"Tahoma", 13, false);
  label2_font_ = MakeFont(L"メイリオ", 11, false);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(label2_font_.get()), FALSE);

  // Created in tab order: the button (0, no tab stop), the fares box (4), the panel (5) and the
  // shapes box (6); the labels take no focus.
  btn_put_ = CreateControl(L"BUTTON", AsWide(kPutButtonText), BS_PUSHBUTTON, kPutButton, 23, 73,
                           260, 52, button_font_.get());
  SetWindowSubclass(btn_put_, PutButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
  chk_fares_ = CreateControl(L"BUTTON", AsWide(kSkipFaresText), BS_AUTOCHECKBOX | WS_TABSTOP,
                             kFaresBox, 23, 33, 191, 17, check_font_.get());
  Panel_msg_ = CreateControl(L"STATIC", AsWide(kInitialStatusText), SS_OWNERDRAW, kPanel, 25, 132,
                             258, 41, panel_font_.get());
  chk_not_shape_ = CreateControl(L"BUTTON", AsWide(kSkipShapesText), BS_AUTOCHECKBOX | WS_TABSTOP,
                                 kShapesBox, 23, 51, 191, 17, check_font_.get());
  Label1_ = CreateControl(L"STATIC", AsWide(kInstructionText), SS_LEFT | SS_NOPREFIX, kLabel1, 14,
                          7, 286, 20, label1_font_.get());
  Label2_ = CreateControl(L"STATIC", AsWide(kLimitationText), SS_LEFT | SS_NOPREFIX, kLabel2, 21,
                          181, 264, 17, label2_font_.get());
  SendMessageW(chk_fares_, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(chk_not_shape_, BM_SETCHECK, BST_CHECKED, 0);
}

LRESULT Tfrm_main::OnCtlColorStatic(HDC dc, HWND control) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, control == Label2_ ? kLabel2Text : kWhite);
  return reinterpret_cast<LRESULT>(background_.get());
}

LRESULT Tfrm_main::OnNotify(const NMHDR& header) {
  if (header.code != NM_CUSTOMDRAW) return 0;
  const bool button = header.hwndFrom == btn_put_;
  if (!button && header.hwndFrom != chk_fares_ && header.hwndFrom != chk_not_shape_) return 0;
  const ControlLook look = {style_ ? &*style_ : nullptr, button ? kButtonText : kWhite, kGreen};
  return PaintButtonControl(reinterpret_cast<const NMCUSTOMDRAW&>(header), look);
}

void Tfrm_main::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem != Panel_msg_) return;
  // The status panel: yellow on black, a lowered bevel, the caption centred both ways.
  UniqueBrush black(CreateSolidBrush(kPanelBack));
  RECT rect = item.rcItem;
  FillRect(item.hDC, &rect, black.get());
  DrawEdge(item.hDC, &rect, BDR_SUNKENOUTER, BF_RECT);
  const std::wstring text = WindowText(Panel_msg_);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, kPanelText);
  SelectedObject font(item.hDC, panel_font_.get());
  DrawTextW(item.hDC, text.c_str(), -1, &rect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Tfrm_main::OnClose() {
  // The run is still inside the button's handler and reads the controls: the window only goes
  // out of sight now, and away once the run has stopped.
  if (run_active_) {
    closed_during_run_ = true;
    ShowWindow(window_, SW_HIDE);
    return;
  }
  DestroyWindow(window_);
}

void Tfrm_main::OnDestroy() {
  RemoveWindowSubclass(btn_put_, PutButtonProc, 0);
  PostQuitMessage(0);
}

LRESULT CALLBACK Tfrm_main::PutButtonProc(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                          DWORD_PTR form) noexcept {
  // The import run starts on the release of any mouse button, not on a click: the keyboard
  // cannot start it.
  const LRESULT result = DefSubclassProc(button, message, w, l);
  if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
    auto* self = reinterpret_cast<Tfrm_main*>(form);
    self->Guarded([self] {
      self->btn_putMouseUp();
      return LRESULT{0};
    });
  }
  return result;
}

void Tfrm_main::btn_putMouseUp() {
  // A button-up sent straight to the disabled button must not start a run inside the running
  // one: that would delete its working folder and release its spreadsheet.
  if (run_active_) return;
  {
    run_active_ = true;
    const struct RunEnd {
      bool& active;
      ~RunEnd() { active = false; }
    } run_end{run_active_};
    run_import_(*this);
  }
  // Closed from the message loop, not from inside the button's own handler.
  if (closed_during_run_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void Tfrm_main::ShowStatus(const std::u16string& text) {
  SetWindowTextW(Panel_msg_, AsWide(text));
  InvalidateRect(Panel_msg_, nullptr, TRUE);
  UpdateWindow(Panel_msg_);
}

void Tfrm_main::EnableButton(bool enabled) {
  EnableWindow(btn_put_, enabled);
}

bool Tfrm_main::SkipFares() {
  return SendMessageW(chk_fares_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Tfrm_main::SkipShapes() {
  return SendMessageW(chk_not_shape_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<std::u16string> Tfrm_main::ChooseArchive() {
  std::wstring path(32768, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  // Its own array: the filter's inner nulls would end a string's copy of it.
  dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(kArchiveFilter);
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  // The current folder stays where the tool started, not at the archive's folder.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return FromWide(path.c_str());
}

void Tfrm_main::ShowMessage(const std::u16string& text) {
  MessageBoxW(window_, AsWide(text), AsWide(ApplicationTitleText()), MB_OK);
}

void Tfrm_main::ShowFailure(const std::u16string& error_text) {
  ShowFailureBox(error_text);
}
