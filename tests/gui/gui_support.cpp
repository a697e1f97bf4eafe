#include "tests/gui/gui_support.h"
#include "tests/synthetic_input.h"

#include <commctrl.h>

#include <sstream>

#include "app/startup.h"
#include "app/tables.h"
#include "ui/live_window.h"
#include "ui/window_table.h"

namespace tavrel::testing {
namespace {

EventRecorder* recorder = nullptr;
std::function<void()> handlers[static_cast<int>(HandlerSlot::Count)];

template <HandlerSlot slot>
void Trampoline() {
  if (auto& handler = handlers[static_cast<int>(slot)]) handler();
}

std::vector<HandlerEntry> TestHandlers() {
  namespace name = handler_name;
  return {
      {name::MainWindowCreated, &Trampoline<HandlerSlot::MainCreated>},
      {name::StartButtonClicked, &Trampoline<HandlerSlot::StartClicked>},
      {name::ResultsWindowCreated, &Trampoline<HandlerSlot::ResultsCreated>},
      {name::ResultsWindowFirstActivated, &Trampoline<HandlerSlot::ResultsFirstActivated>},
      {name::ResultListClicked, &Trampoline<HandlerSlot::ListClicked>},
  };
}


}  // namespace

std::string Describe(const RecordedEvent& event) {
  std::ostringstream text;
  text << std::hex << "0x" << event.window << " 0x" << event.control << std::dec << " #" << event.number;
  return text.str();
}

EventRecorder::EventRecorder() {
  recorder = this;
  SetEventObserver(&EventRecorder::Observe);
}

EventRecorder::~EventRecorder() {
  SetEventObserver(nullptr);
  recorder = nullptr;
}

void EventRecorder::Observe(WindowId window, ControlId control, int32_t number, const int32_t*, int) {
  const bool ownUnit = (control & 0xF0000000u) == 0;
  if (ownUnit && number == event::Idle) return;
  if (number <= -1 && number >= -12 && number != event::FocusGained && number != event::FocusLost) return;
  if (recorder) recorder->events_.push_back({window, control, number});
}

int EventRecorder::Count(WindowId window, ControlId control, int32_t number) const {
  int count = 0;
  for (const auto& e : events_) count += e == RecordedEvent{window, control, number};
  return count;
}

::testing::AssertionResult SameSequence(const std::vector<RecordedEvent>& expected,
                                        const std::vector<RecordedEvent>& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  std::ostringstream table;
  table << "\n  " << std::string(30, ' ') << "expected | actual\n";
  for (std::size_t k = 0; k < std::max(expected.size(), actual.size()); ++k) {
    const std::string left = k < expected.size() ? Describe(expected[k]) : "-";
    const std::string right = k < actual.size() ? Describe(actual[k]) : "-";
    const bool same = k < expected.size() && k < actual.size() && expected[k] == actual[k];
    table << (same ? "  " : "! ") << std::string(left.size() < 30 ? 30 - left.size() : 0, ' ') << left << " | "
          << right << "\n";
  }
  return ::testing::AssertionFailure() << table.str();
}

void SetHandler(HandlerSlot slot, std::function<void()> handler) { handlers[static_cast<int>(slot)] = std::move(handler); }

void ResetHandlers() {
  for (auto& handler : handlers) handler = nullptr;
}

void PrepareFramework() {
  static bool initialised = false;
  if (!initialised) {
    ASSERT_TRUE(InitializeFramework());
    initialised = true;
  }
  ASSERT_TRUE(TakeInDefinitions(ProgramWindowTable(), TestHandlers()));
  if (!serverTable) CreateTables();
}

void CloseAllWindows() {
  for (int round = 0; round < 4 && AnyWindowLoaded(); ++round) {
    for (const auto& window : Framework().live)
      if (window && window->hwnd()) DestroyWindow(window->hwnd());
    Pump();
  }
  Framework().modalWindowId = 0;
  Pump();
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    if (PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(int milliseconds) { PumpUntil([] { return false; }, milliseconds); }

HWND LiveHwnd(WindowId window, ControlId control) {
  LiveWindow* live = FindLiveWindow(window);
  UnitObject* unit = live ? live->Unit(control) : nullptr;
  return unit ? unit->hwnd() : nullptr;
}

POINT ListCellCenter(HWND list, int row, int column) {
  RECT r{};
  r.top = column;
  r.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickAt(HWND hwnd, POINT client, bool right, bool twice) {
  POINT screen = client;
  ClientToScreen(hwnd, &screen);
  SendMouseAt(0, screen);
  const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  for (int k = 0; k < (twice ? 2 : 1); ++k) {
    SendMouseAt(down, screen);
    SendMouseAt(up, screen);
  }
}

void PressKey(WORD key, bool shift) { PressKeyOnce(key, shift); }

TimerScript* activeScript = nullptr;

TimerScript::TimerScript(std::vector<std::function<void()>> steps, UINT intervalMs, std::function<bool()> ready)
    : steps_(std::move(steps)), ready_(std::move(ready)) {
  activeScript = this;
  timer_ = SetTimer(nullptr, 0, intervalMs, &TimerScript::Tick);
}

TimerScript::~TimerScript() {
  if (timer_) KillTimer(nullptr, timer_);
  activeScript = nullptr;
}

void CALLBACK TimerScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  TimerScript* script = activeScript;
  if (!script || script->Finished()) return;
  if (script->ready_ && !script->ready_()) return;
  // Advance first: a step may run a nested loop in which the timer fires.
  auto& step = script->steps_[script->next_++];
  step();
}

void GuiTest::SetUp() {
  ResetHandlers();
  PrepareFramework();
}

void GuiTest::TearDown() {
  CloseAllWindows();
  ResetHandlers();
}

}  // namespace tavrel::testing
