#include "standin/win/registration.h"

#include <oleauto.h>

#include "base/error.h"
#include "base/win/system_error_text.h"
#include "base/win/unique_handle.h"
#include "base/win/wide.h"

namespace {

constexpr char16_t kProgId[] = u"Excel.Application";

// A CLSID's braced text is 38 units; with its null and one to spare.
constexpr std::size_t kClsidTextUnits = 40;

constexpr CLSID kStandinClsid = {
    0x3d8e5a10, 0x7c41, 0x4b9f, {0xa2, 0x6d, 0x51, 0x0e, 0x8b, 0x3c, 0x94, 0x27}};

std::u16string ClsidText() {
  wchar_t text[kClsidTextUnits] = {};
  StringFromGUID2(kStandinClsid, text, static_cast<int>(std::size(text)));
  return FromWide(text);
}

// What the ProgID points at now; empty when it is not registered.
std::u16string RegisteredClsid(HKEY key) {
  wchar_t text[kClsidTextUnits] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS status =
      RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  return status == ERROR_SUCCESS && type == REG_SZ ? FromWide(text) : std::u16string();
}

}  // namespace

void RegisterProgId() {
  HKEY created = nullptr;
  LSTATUS status =
      RegCreateKeyExW(HKEY_CLASSES_ROOT, AsWide(std::u16string(kProgId) + u"\\CLSID"), 0, nullptr,
                      0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &created, nullptr);
  const UniqueRegistryKey key(created);
  const std::u16string clsid = ClsidText();
  if (status == ERROR_SUCCESS) {
    // Another class there is the real application's: taking it over would break that install.
    const std::u16string registered = RegisteredClsid(key.get());
    if (!registered.empty() && registered != clsid) {
      throw Error(std::u16string(kProgId) + u" already belongs to " + registered);
    }
    status =
        RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid.c_str()),
                       static_cast<DWORD>((clsid.size() + 1) * sizeof(char16_t)));
  }
  if (status != ERROR_SUCCESS)
    throw Error(std::u16string(kProgId) + u": " + SystemErrorText(status));
}

ActiveObjectRegistration::ActiveObjectRegistration(IUnknown* object) {
  // Weak: a strong entry holds the object's connection itself, and a client attaching to it would
  // then add none that the dump could count. The object keeps its stub for later clients through
  // IExternalConnection.
  const HRESULT result = RegisterActiveObject(object, kStandinClsid, ACTIVEOBJECT_WEAK, &cookie_);
  if (FAILED(result)) throw Error(u"RegisterActiveObject: " + SystemErrorText(result));
}

ActiveObjectRegistration::~ActiveObjectRegistration() {
  RevokeActiveObject(cookie_, nullptr);
}

void CreateReadyFile(const std::u16string& path) {
  const UniqueFile file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(path + u": " + LastErrorText());
}
