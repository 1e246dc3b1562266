#include "standin/win/sheet_painter.h"

#include <string>
#include <vector>

#include "base/utf.h"
#include "base/win/wide.h"

namespace {

constexpr int kRowHeight = 20;
constexpr int kColumnWidth = 80;
constexpr int kHeaderWidth = 44;
constexpr int kTabHeight = 24;
constexpr int kTextInset = 3;
constexpr int kTabsIndent = 4;
constexpr int kTabPadding = 16;  // beside the name, both sides together
// The active tab's mark: a bar this far in from the tab's sides and bottom, this thick.
constexpr int kMarkInset = 4;
constexpr int kMarkThickness = 2;
constexpr COLORREF kSelectedTabText = RGB(0, 97, 0);
constexpr COLORREF kTabText = RGB(0, 0, 0);
constexpr int kLetters = 26;

std::u16string ColumnLetters(int column) {
  std::u16string letters;
  for (; column > 0; column = (column - 1) / kLetters) {
    letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (column - 1) % kLetters));
  }
  return letters;
}

void Text(HDC dc, RECT box, const std::u16string& text, UINT align) {
  InflateRect(&box, -kTextInset, 0);
  DrawTextW(dc, AsWide(text), static_cast<int>(text.size()), &box,
            align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Frame(HDC dc, const RECT& box) {
  MoveToEx(dc, box.left, box.bottom, nullptr);
  LineTo(dc, box.right, box.bottom);
  LineTo(dc, box.right, box.top);
}

void PaintGrid(HDC dc, const RECT& area, const Sheet& sheet) {
  const int rows = (area.bottom - area.top) / kRowHeight;
  const int columns = (area.right - area.left - kHeaderWidth) / kColumnWidth + 1;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const int left = c == 0 ? area.left : area.left + kHeaderWidth + (c - 1) * kColumnWidth;
      const RECT box{left, area.top + r * kRowHeight, left + (c == 0 ? kHeaderWidth : kColumnWidth),
                     area.top + (r + 1) * kRowHeight};
      Frame(dc, box);
      if (r == 0 && c > 0) {
        Text(dc, box, ColumnLetters(c), DT_CENTER);
      } else if (c == 0 && r > 0) {
        Text(dc, box, Utf8ToUtf16(std::to_string(r)), DT_CENTER);
      } else if (r > 0 && static_cast<std::size_t>(r) <= sheet.cells.size() &&
                 static_cast<std::size_t>(c) <= sheet.cells[r - 1].size()) {
        Text(dc, box, sheet.cells[r - 1][c - 1], DT_LEFT);
      }
      if (r == sheet.active_row && c == sheet.active_column) {
        FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      }
    }
  }
}

struct Tab {
  RECT box;
  const Sheet* sheet;
};

// The visible sheets' tabs along the bar, each as wide as its name and padding.
std::vector<Tab> LayOutTabs(HDC dc, const RECT& bar, const Workbook& workbook) {
  std::vector<Tab> tabs;
  int left = bar.left + kTabsIndent;
  for (const Sheet& sheet : workbook.sheets()) {
    if (sheet.hidden) continue;
    SIZE size{};
    GetTextExtentPoint32W(dc, AsWide(sheet.name), static_cast<int>(sheet.name.size()), &size);
    tabs.push_back({{left, bar.top, left + size.cx + kTabPadding, bar.bottom}, &sheet});
    left = tabs.back().box.right;
  }
  return tabs;
}

RECT TabBar(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.left, client.bottom - kTabHeight, client.right, client.bottom};
}

void PaintTabs(HDC dc, const RECT& bar, const Workbook& workbook) {
  for (const auto& [tab, sheet] : LayOutTabs(dc, bar, workbook)) {
    const bool active = sheet->id == workbook.active().id;
    FillRect(dc, &tab, GetSysColorBrush(active ? COLOR_WINDOW : COLOR_BTNFACE));
    Frame(dc, tab);
    if (active) {
      const RECT mark{tab.left + kMarkInset, tab.bottom - kMarkInset, tab.right - kMarkInset,
                      tab.bottom - kMarkInset + kMarkThickness};
      FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    if (sheet->selected) SetTextColor(dc, kSelectedTabText);
    Text(dc, tab, sheet->name, DT_CENTER);
    SetTextColor(dc, kTabText);
  }
}

}  // namespace

void PaintWorkbook(HWND window, HDC dc, const Workbook* workbook) {
  RECT client{};
  GetClientRect(window, &client);
  if (!workbook) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    return;
  }
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const RECT bar = TabBar(window);
  const RECT grid{client.left, client.top, client.right, bar.top};
  FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
  PaintGrid(dc, grid, workbook->active());
  PaintTabs(dc, bar, *workbook);
}

std::optional<SheetId> TabAt(HWND window, POINT point, const Workbook& workbook) {
  for (const SheetTab& tab : ScreenTabs(window, workbook)) {
    POINT corner{tab.box.left, tab.box.top};
    ScreenToClient(window, &corner);
    const RECT box{corner.x, corner.y, corner.x + tab.box.width, corner.y + tab.box.height};
    if (PtInRect(&box, point)) return tab.sheet;
  }
  return std::nullopt;
}

std::vector<SheetTab> ScreenTabs(HWND window, const Workbook& workbook) {
  const HDC dc = GetDC(window);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  std::vector<SheetTab> tabs;
  for (const auto& [box, sheet] : LayOutTabs(dc, TabBar(window), workbook)) {
    POINT corner{box.left, box.top};
    ClientToScreen(window, &corner);
    tabs.push_back({sheet->id, {corner.x, corner.y, box.right - box.left, box.bottom - box.top}});
  }
  ReleaseDC(window, dc);
  return tabs;
}
