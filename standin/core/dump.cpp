#include "standin/core/dump.h"

#include <cstdio>

#include "base/utf.h"

namespace {

// JSON strings hold no control character as it is.
constexpr unsigned char kFirstPlainCharacter = 0x20;

void AppendString(std::string& out, std::u16string_view text) {
  out += '"';
  for (const char c : Utf16ToUtf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < kFirstPlainCharacter) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

const char* Bool(bool value) {
  return value ? "true" : "false";
}

// A JSON array of the items, each written by write(item).
template <typename Items, typename Write>
void AppendArray(std::string& out, const Items& items, Write write) {
  out += '[';
  bool first = true;
  for (const auto& item : items) {
    if (!first) out += ',';
    first = false;
    write(item);
  }
  out += ']';
}

void AppendSheet(std::string& out, const Sheet& sheet) {
  out += "{\"name\":";
  AppendString(out, sheet.name);
  out += ",\"selected\":";
  out += Bool(sheet.selected);
  if (sheet.hidden) out += ",\"hidden\":true";
  out += ",\"formats\":";
  AppendArray(out, sheet.formats, [&](const NumberFormat& f) {
    out += "{\"range\":";
    AppendString(out, RangeLabel(f.range));
    out += ",\"format\":";
    AppendString(out, f.format);
    out += '}';
  });
  out += ",\"cells\":";
  AppendArray(out, sheet.cells, [&](const auto& row) {
    AppendArray(out, row, [&](const std::u16string& cell) { AppendString(out, cell); });
  });
  out += '}';
}

const char* KeyMessageName(KeyMessage message) {
  switch (message) {
    case KeyMessage::kDown:
      return "down";
    case KeyMessage::kUp:
      return "up";
    case KeyMessage::kSysDown:
      return "sysdown";
    case KeyMessage::kSysUp:
      return "sysup";
  }
  return "";
}

// The workbook's sheets by reference, so that a dump does not first copy every cell.
const std::vector<Sheet>& SheetsOf(const Workbook* workbook) {
  static const std::vector<Sheet> none;
  return workbook ? workbook->sheets() : none;
}

}  // namespace

std::string SummaryJson(const Workbook* workbook, const std::vector<SheetTab>& tabs) {
  std::string out = "{\"active\":";
  AppendString(out, workbook ? workbook->active().name : u"");
  out += ",\"sheets\":";
  AppendArray(out, SheetsOf(workbook), [&](const Sheet& sheet) {
    out += "{\"name\":";
    AppendString(out, sheet.name);
    out += ",\"rows\":" + std::to_string(sheet.cells.size());
    for (const SheetTab& tab : tabs) {
      if (tab.sheet != sheet.id) continue;
      out += ",\"tab\":{\"left\":" + std::to_string(tab.box.left) +
             ",\"top\":" + std::to_string(tab.box.top) +
             ",\"width\":" + std::to_string(tab.box.width) +
             ",\"height\":" + std::to_string(tab.box.height) + '}';
    }
    out += '}';
  });
  return out + "}\n";
}

std::string DumpJson(const Workbook* workbook, const ApplicationSettings& settings,
                     const std::vector<KeyEvent>& keys, const WindowRect& window,
                     std::int64_t client_references) {
  std::string out = "{\"workbook\":";
  out += Bool(workbook != nullptr);
  out += ",\"active\":";
  AppendString(out, workbook ? workbook->active().name : u"");
  out += ",\"screenUpdating\":";
  out += Bool(settings.screen_updating);
  out += ",\"displayAlerts\":";
  out += Bool(settings.display_alerts);
  out += ",\"cutCopyMode\":";
  out += Bool(settings.cut_copy_mode);
  out += ",\"sheets\":";
  AppendArray(out, SheetsOf(workbook), [&](const Sheet& sheet) { AppendSheet(out, sheet); });
  out += ",\"keys\":";
  AppendArray(out, keys, [&](const KeyEvent& key) {
    out += "{\"msg\":\"";
    out += KeyMessageName(key.message);
    out += "\",\"vk\":" + std::to_string(key.virtual_key) + '}';
  });
  out += ",\"window\":{\"left\":" + std::to_string(window.left) +
         ",\"top\":" + std::to_string(window.top) + ",\"width\":" + std::to_string(window.width) +
         ",\"height\":" + std::to_string(window.height) +
         "},\"clientReferences\":" + std::to_string(client_references) + "}\n";
  return out;
}
