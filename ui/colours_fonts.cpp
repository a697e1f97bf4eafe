#include "ui/kinds.h"

namespace tavrel {

COLORREF ResolveColour(int32_t value) {
  // Read each time it is used, so a change of the system colours shows.
  if (static_cast<uint32_t>(value) == 0xFF000000u) return GetSysColor(COLOR_BTNFACE);
  return static_cast<COLORREF>(value) & 0x00FFFFFFu;
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT CreateFontFromRecord(const LOGFONTA& record) {
  LOGFONTA font = record;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  return CreateFontIndirectA(&font);  // null: the caller falls back to the default GUI font
}

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

void BorderStyles(int32_t border, DWORD& style, DWORD& exStyle) {
  switch (border) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
  }
}

DWORD ControlStyle(const UnitObject& unit) {
  const uint32_t flags = unit.unit().record->flags;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (flags & FlagDisabled) style |= WS_DISABLED;
  if (flags & FlagTabStop) style |= WS_TABSTOP;
  return style;
}

}  // namespace tavrel
