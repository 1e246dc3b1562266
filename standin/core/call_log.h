#pragma once
// The call log: one UTF-8 line per name looked up, per call and per failed call, flushed at once
// so that a test reading it while the stand-in runs sees every line so far.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

std::string LookupLine(std::u16string_view name);
// vartypes: of the positional arguments, first argument first.
std::string InvokeLine(std::string_view object, std::string_view member, unsigned flags,
                       std::span<const std::uint16_t> vartypes, unsigned named);
// The values of a call's text arguments, first argument first, each in quotes: the line after
// its invoke line, for calls that have any.
std::string TextsLine(std::span<const std::u16string> texts);
std::string ErrorLine(std::u16string_view description);
// A call refused as busy: what was refused and how, at what time (milliseconds since 1970).
std::string BusyLine(std::string_view refused, std::uint64_t unix_ms);

// Writes nowhere when made without a path.
class CallLog {
 public:
  CallLog() = default;
  // Throws Error when the file cannot be created.
  explicit CallLog(const std::filesystem::path& path);
  void Write(const std::string& line);

 private:
  std::ofstream file_;
};
