#pragma once
// The one failure type: it carries the text that the user will see, unchanged, up to the one
// place that shows it.
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

class Error : public std::exception {
 public:
  explicit Error(std::u16string text);
  const std::u16string& text() const noexcept { return text_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string text_;
  std::string utf8_;
};

// Replaces each "%s" of the pattern, left to right, by the next argument.
std::u16string FormatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> arguments);

// The text a failure shows the user: an Error's own text, else what the exception says.
std::u16string FailureText(const std::exception& failure);

// The error box's rule: "." is appended unless the text is empty or its last unit sorts at or
// below ".".
std::u16string WithFinalStop(std::u16string text);
