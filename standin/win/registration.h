#pragma once
// How clients find the stand-in: the ProgID in the registry and the application object in the
// running-object table.
#include <windows.h>
// after windows.h
#include <objbase.h>

#include <string>

// Points "Excel.Application" at the stand-in's class. It goes under HKEY_CLASSES_ROOT itself:
// Wine 8's CLSIDFromProgID does not look in the per-user classes. Throws Error, also when the
// ProgID already names another class.
void RegisterProgId();

// The application object in the running-object table, revoked when this ends.
class ActiveObjectRegistration {
 public:
  // Throws Error.
  explicit ActiveObjectRegistration(IUnknown* object);
  ActiveObjectRegistration(const ActiveObjectRegistration&) = delete;
  ActiveObjectRegistration& operator=(const ActiveObjectRegistration&) = delete;
  ~ActiveObjectRegistration();

 private:
  DWORD cookie_ = 0;
};

// Creates the empty file that tells tests the object is registered. Throws Error.
void CreateReadyFile(const std::u16string& path);
