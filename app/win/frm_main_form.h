#pragma once
// The main window frm_main: the instruction, two check boxes, the button that starts the
// import run, the status panel and the line that states the tool's one limitation.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/import_window.h"
#include "app/visual_style.h"
#include "base/win/gdi.h"
#include "base/win/window_base.h"

class Tfrm_main final : public WindowBase, public ImportWindow {
 public:
  // run_import is the import run, started from the button with this window. Throws Error with
  // the system's text when the window or a control cannot be made.
  Tfrm_main(HINSTANCE instance, std::optional<VisualStyle> style,
            std::function<void(ImportWindow&)> run_import);
  // Places the window (FormShow) and shows it.
  void Show(int show_command);

  // The window as the import run sees it.
  void EnableButton(bool enabled) override;
  void ShowStatus(const std::u16string& text) override;
  std::optional<std::u16string> ChooseArchive() override;
  bool SkipFares() override;
  bool SkipShapes() override;
  void ShowMessage(const std::u16string& text) override;
  void ShowFailure(const std::u16string& error_text) override;
  bool WindowClosed() override { return closed_during_run_; }

 private:
  static LRESULT CALLBACK PutButtonProc(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                        DWORD_PTR form) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;
  void OnUncaughtFailure(const std::exception& failure) override;

  void CreateControls();
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnClose();
  void OnDestroy();
  void btn_putMouseUp();
  void FormShow();

  HWND CreateControl(const wchar_t* window_class, const wchar_t* caption, DWORD style, int id,
                     int left, int top, int width, int height, HFONT font);

  HINSTANCE instance_;
  std::optional<VisualStyle> style_;
  std::function<void(ImportWindow&)> run_import_;
  bool run_active_ = false;
  bool closed_during_run_ = false;
  HWND btn_put_ = nullptr;
  HWND chk_fares_ = nullptr;  // chk_not__untin in the form's design
  HWND Panel_msg_ = nullptr;
  HWND Label1_ = nullptr;
  HWND chk_not_shape_ = nullptr;
  HWND Label2_ = nullptr;
  UniqueBrush background_;
  UniqueFont label1_font_, check_font_, button_font_, panel_font_, label2_font_;
};
