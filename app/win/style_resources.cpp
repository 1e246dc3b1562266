#include "app/win/style_resources.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/user_texts.h"
#include "app/win/application.h"
#include "base/error.h"
#include "base/win/wide.h"

namespace {

constexpr const wchar_t* kStyleResourceType = L"VSTYLE";

BOOL CALLBACK CollectStyleText(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR texts) {
  const HRSRC resource = FindResourceW(module, name, type);
  const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (data) {
    reinterpret_cast<std::vector<std::string>*>(texts)->emplace_back(
        static_cast<const char*>(data), SizeofResource(module, resource));
  }
  return TRUE;
}

void ShowMissingStyle(std::u16string_view name) {
  const std::u16string text = FormatText(kStyleMissing, {name});
  TASKDIALOGCONFIG config = {};
  config.cbSize = sizeof(config);
  config.dwCommonButtons = TDCBF_CLOSE_BUTTON;
  config.pszWindowTitle = AsWide(ApplicationTitleText());
  config.pszMainIcon = TD_ERROR_ICON;
  config.pszContent = AsWide(text);
  TaskDialogIndirect(&config, nullptr, nullptr, nullptr);
}

}  // namespace

std::optional<VisualStyle> LoadApplicationStyle(HINSTANCE instance, std::u16string_view name) {
  std::vector<std::string> texts;
  EnumResourceNamesW(instance, kStyleResourceType, CollectStyleText,
                     reinterpret_cast<LONG_PTR>(&texts));
  auto style = FindVisualStyle(texts, name);
  if (!style) ShowMissingStyle(name);
  return style;
}
