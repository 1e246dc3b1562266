#pragma once
// The one entry of every window of ours: it finds the object behind the handle and keeps every
// failure from unwinding through the system's frames. The object owns its window.
#include <windows.h>

#include <exception>

#include "base/error.h"
#include "base/win/system_error_text.h"

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return window_; }

 protected:
  WindowBase() = default;
  // Let go first: the derived object is gone, its handlers must not see the destruction.
  ~WindowBase() {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }

  // Registers a class whose procedure is the entry. Throws Error with the system's text.
  static void RegisterWindowClass(WNDCLASSEXW window_class) {
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = Entry;
    if (!RegisterClassExW(&window_class)) throw Error(LastErrorText());
  }

  // Creates the top-level window with this object behind it. Throws Error with the system's
  // text.
  void CreateTopWindow(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption,
                       DWORD style, int left, int top, int width, int height, HINSTANCE instance) {
    if (!CreateWindowExW(ex_style, class_name, caption, style, left, top, width, height, nullptr,
                         nullptr, instance, this)) {
      throw Error(LastErrorText());
    }
  }

  // The barrier round every handler of ours, the subclass procedures' too: a failure goes to
  // OnUncaughtFailure and the system gets failed_result.
  template <typename Handler>
  LRESULT Guarded(Handler&& handler, LRESULT failed_result = 0) noexcept {
    try {
      return handler();
    } catch (const std::exception& failure) {
      OnUncaughtFailure(failure);
    } catch (...) {
      OnUncaughtFailure(std::exception());
    }
    return failed_result;
  }

  // The class's window procedure; the window is created with the object as its creation
  // parameter. Messages before that, and after the object let go of the handle, get the default.
  static LRESULT CALLBACK Entry(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
      self->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, w, l);
    const LRESULT result = self->Guarded([&] { return self->HandleMessage(message, w, l); });
    if (message == WM_NCDESTROY) self->window_ = nullptr;
    return result;
  }

  virtual LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) = 0;
  // A failure that no handler caught, on its way out of the window procedure. A failure of its
  // own ends the program, as nothing may unwind through the system's frames.
  virtual void OnUncaughtFailure(const std::exception& failure) = 0;

  HWND window_ = nullptr;
};
