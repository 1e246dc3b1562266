#pragma once
// What the import run asks of the window it was started from.
#include <optional>
#include <string>

class ImportWindow {
 public:
  virtual ~ImportWindow() = default;
  virtual void EnableButton(bool enabled) = 0;
  virtual void ShowStatus(const std::u16string& text) = 0;  // repainted at once
  virtual std::optional<std::u16string> ChooseArchive() = 0;
  virtual bool SkipFares() = 0;
  virtual bool SkipShapes() = 0;
  virtual void ShowMessage(const std::u16string& text) = 0;        // plain box, OK only
  virtual void ShowFailure(const std::u16string& error_text) = 0;  // error box, stop icon
  // True once the user has closed the window during this run: it stops as soon as it can.
  virtual bool WindowClosed() = 0;
};
