// Synthesised mouse and keyboard input through the system's input queue,
// as a person's hand would give it. Shared by the in-process tests and the
// end-to-end driver.
#pragma once
#include <windows.h>

namespace tavrel::testing {

// Moves to, and with flags presses or releases at, a point of the screen.
inline void SendMouseAt(DWORD flags, POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  input.mi.dx = (screen.x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (screen.y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
  SendInput(1, &input, sizeof input);
}

inline void PressKeyOnce(WORD key, bool shift = false) {
  INPUT inputs[4] = {};
  UINT count = 0;
  auto add = [&](WORD vk, bool up) {
    inputs[count].type = INPUT_KEYBOARD;
    inputs[count].ki.wVk = vk;
    inputs[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ++count;
  };
  if (shift) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(count, inputs, sizeof(INPUT));
}

}  // namespace tavrel::testing
