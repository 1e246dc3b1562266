#include "app/win/control_painter.h"

#include <commctrl.h>

#include <string>

#include "app/win/window_text.h"
#include "base/win/gdi.h"

namespace {

ControlState StateOf(UINT item_state) {
  if (item_state & CDIS_DISABLED) return ControlState::kDisabled;
  if (item_state & CDIS_SELECTED) return ControlState::kPressed;
  if (item_state & CDIS_HOT) return ControlState::kHot;
  return ControlState::kNormal;
}

void FillFramed(HDC dc, const RECT& rect, const StateColours& colours) {
  UniqueBrush face(CreateSolidBrush(colours.face));
  UniquePen border(CreatePen(PS_SOLID, 1, colours.border));
  SelectedObject brush(dc, face.get());
  SelectedObject pen(dc, border.get());
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
  UniquePen pen(CreatePen(PS_SOLID, 2, colour));
  SelectedObject selected(dc, pen.get());
  const int w = box.right - box.left;
  const POINT tick[] = {{box.left + w / 5, box.top + w / 2},
                        {box.left + w * 2 / 5, box.top + w * 3 / 4},
                        {box.left + w * 4 / 5, box.top + w / 4}};
  Polyline(dc, tick, 3);
}

void PaintPushButton(const NMCUSTOMDRAW& draw, const VisualStyle& style, COLORREF text) {
  const ControlState state = StateOf(draw.uItemState);
  RECT rect = draw.rc;
  FillFramed(draw.hdc, rect, style.Button(state));
  SetBkMode(draw.hdc, TRANSPARENT);
  SetTextColor(draw.hdc, state == ControlState::kDisabled ? GetSysColor(COLOR_GRAYTEXT) : text);
  if (state == ControlState::kPressed) OffsetRect(&rect, 1, 1);
  const std::wstring caption = WindowText(draw.hdr.hwndFrom);
  DrawTextW(draw.hdc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintCheckBox(const NMCUSTOMDRAW& draw, const VisualStyle& style, const ControlLook& look) {
  const ControlState state = StateOf(draw.uItemState);
  const HWND control = draw.hdr.hwndFrom;
  UniqueBrush background(CreateSolidBrush(look.background));
  FillRect(draw.hdc, &draw.rc, background.get());
  const int height = draw.rc.bottom - draw.rc.top;
  const int side = 13;
  const int top = draw.rc.top + (height - side) / 2;
  const RECT box = {draw.rc.left, top, draw.rc.left + side, top + side};
  FillFramed(draw.hdc, box, style.CheckBox(state));
  if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    DrawCheckMark(draw.hdc, box, style.check_mark);
  }
  RECT text_rect = draw.rc;
  text_rect.left = box.right + 4;
  SetBkMode(draw.hdc, TRANSPARENT);
  SetTextColor(draw.hdc,
               state == ControlState::kDisabled ? GetSysColor(COLOR_GRAYTEXT) : look.text);
  const std::wstring caption = WindowText(control);
  DrawTextW(draw.hdc, caption.c_str(), -1, &text_rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (draw.uItemState & CDIS_FOCUS) {
    SIZE size;
    GetTextExtentPoint32W(draw.hdc, caption.c_str(), static_cast<int>(caption.size()), &size);
    RECT focus = {text_rect.left - 1, text_rect.top + (height - size.cy) / 2 - 1,
                  text_rect.left + size.cx + 1, text_rect.top + (height + size.cy) / 2 + 1};
    DrawFocusRect(draw.hdc, &focus);
  }
}

}  // namespace

LRESULT PaintButtonControl(const NMCUSTOMDRAW& draw, const ControlLook& look) {
  if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  const auto kind = GetWindowLongW(draw.hdr.hwndFrom, GWL_STYLE) & BS_TYPEMASK;
  const bool check_box = kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX;
  if (!look.style) {
    // The system draws the control; only the text colour is ours.
    SetTextColor(draw.hdc, look.text);
    return CDRF_DODEFAULT;
  }
  if (check_box) {
    PaintCheckBox(draw, *look.style, look);
  } else {
    PaintPushButton(draw, *look.style, look.text);
  }
  return CDRF_SKIPDEFAULT;
}
