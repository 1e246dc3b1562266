#pragma once
// Starts the built stand-in with its own files in a fresh folder and drives it from outside, as
// the tool does: late-bound calls through the running-object table, messages to its window.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/win/com.h"
#include "base/win/unique_handle.h"

class StandinProcess {
 public:
  // Adds --log, --dump and --ready in a fresh folder to the given options.
  explicit StandinProcess(const std::vector<std::wstring>& options);
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;
  // Ends the process by its handle if it is still running, and removes the folder.
  ~StandinProcess();

  bool WaitUntilReady(std::chrono::milliseconds limit) const;
  bool IsReady() const { return std::filesystem::exists(folder_ / "ready"); }
  HWND Window() const;       // its top-level window, null before it exists
  std::string Dump() const;  // asks for a fresh dump and reads it
  std::string Log() const;
  // Closes the window and waits for the end; the exit code, or -1 if it did not end.
  int Close();

 private:
  std::filesystem::path folder_;
  UniqueKernelHandle process_;
  DWORD process_id_ = 0;
};

ComPtr<IDispatch> AttachToRunningApplication();
// The references clients hold on the stand-in's objects, from its dump; -1 without the count.
std::int64_t ClientReferences(const std::string& dump);

// The outcome of one late-bound call.
struct CallResult {
  HRESULT status;
  std::wstring description;  // from EXCEPINFO
  SCODE scode = 0;
  Variant value;
};

// Looks name up and invokes it with positional arguments, first argument first; a put sends the
// last argument as the value.
void Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments,
          CallResult& result);
ComPtr<IDispatch> Get(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments = {});
