#pragma once
// The one entry of every window of ours: it finds the object behind the handle and keeps every
// failure from unwinding through the system's frames.
#include <windows.h>

#include <exception>

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return window_; }

 protected:
  WindowBase() = default;
  ~WindowBase() = default;

  // The class's window procedure; the window is created with the object as its creation
  // parameter. Messages before that, and after the object let go of the handle, get the default.
  static LRESULT CALLBACK Entry(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
      self->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, w, l);
    try {
      return self->HandleMessage(message, w, l);
    } catch (const std::exception& failure) {
      self->OnUncaughtFailure(failure);
    } catch (...) {
      self->OnUncaughtFailure(std::exception());
    }
    return 0;
  }

  virtual LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) = 0;
  // A failure that no handler caught, on its way out of the window procedure.
  virtual void OnUncaughtFailure(const std::exception& failure) = 0;

  HWND window_ = nullptr;
};
