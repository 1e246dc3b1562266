#include "standin/core/call_log.h"

#include <cstdio>

#include "base/error.h"
#include "base/utf.h"

std::string LookupLine(std::u16string_view name) {
  return "GetIDsOfNames " + Utf16ToUtf8(name);
}

std::string InvokeLine(std::string_view object, std::string_view member, unsigned flags,
                       std::span<const std::uint16_t> vartypes, unsigned named) {
  std::string line = "Invoke ";
  line.append(object).append(".").append(member);
  line += " flags=" + std::to_string(flags) + " args=";
  for (std::size_t i = 0; i < vartypes.size(); ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s%04x", i ? "," : "", static_cast<unsigned>(vartypes[i]));
    line += hex;
  }
  return line + " named=" + std::to_string(named);
}

std::string TextsLine(std::span<const std::u16string> texts) {
  std::string line = "Texts";
  for (const auto& text : texts) line += " \"" + Utf16ToUtf8(text) + '"';
  return line;
}

std::string ErrorLine(std::u16string_view description) {
  return "Error " + Utf16ToUtf8(description);
}

std::string BusyLine(std::string_view refused, std::uint64_t unix_ms) {
  std::string line = "Busy ";
  line.append(refused);
  return line + " at=" + std::to_string(unix_ms);
}

CallLog::CallLog(const std::filesystem::path& path) : file_(path, std::ios::binary) {
  if (!file_) throw Error(u"The call log cannot be created: " + path.u16string());
}

void CallLog::Write(const std::string& line) {
  if (!file_.is_open()) return;
  file_ << line << '\n';
  file_.flush();
}
