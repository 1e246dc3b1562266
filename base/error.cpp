#include "base/error.h"

#include "base/utf.h"

Error::Error(std::u16string text) : text_(std::move(text)), utf8_(Utf16ToUtf8(text_)) {}

std::u16string FormatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> arguments) {
  std::u16string result;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' &&
        next != arguments.end()) {
      result += *next++;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

std::u16string FailureText(const std::exception& failure) {
  if (const auto* error = dynamic_cast<const Error*>(&failure)) return error->text();
  return Utf8ToUtf16(failure.what());
}

std::u16string WithFinalStop(std::u16string text) {
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}
