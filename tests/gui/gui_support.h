// Support for in-process tests of the windows: the program's definitions
// with handlers that tests can replace, a recorder of events, message
// pumping with deadlines, synthesised input and sequence comparison.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/framework.h"

namespace tavrel::testing {

struct RecordedEvent {
  WindowId window;
  ControlId control;
  int32_t number;
  bool operator==(const RecordedEvent& other) const {
    return window == other.window && control == other.control && number == other.number;
  }
};
std::string Describe(const RecordedEvent& event);

// Records every event that reaches the handler stage, except idle and the
// common mouse and keyboard events, which would only add noise.
class EventRecorder {
 public:
  EventRecorder();
  ~EventRecorder();
  const std::vector<RecordedEvent>& events() const { return events_; }
  void Clear() { events_.clear(); }
  void Note(const RecordedEvent& event) { events_.push_back(event); }  // a test's own marker
  int Count(WindowId window, ControlId control, int32_t number) const;

 private:
  static void Observe(WindowId, ControlId, int32_t, const int32_t*, int);
  std::vector<RecordedEvent> events_;
};

// Compares with an expected sequence and prints both side by side.
::testing::AssertionResult SameSequence(const std::vector<RecordedEvent>& expected,
                                        const std::vector<RecordedEvent>& actual);

// Handlers bound by the definitions, replaceable by a test. Unset ones do
// nothing.
enum class HandlerSlot { MainCreated, StartClicked, ResultsCreated, ResultsFirstActivated, ListClicked, Count };
void SetHandler(HandlerSlot slot, std::function<void()> handler);
void ResetHandlers();

// Takes in the program's definitions once per process with the test's
// handler table, and creates the tables.
void PrepareFramework();
// Closes every loaded window and processes what follows.
void CloseAllWindows();

void Pump();  // processes every waiting message
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void PumpFor(int milliseconds);

HWND LiveHwnd(WindowId window, ControlId control = 0);

// The centre of a list cell, in the list's client coordinates.
POINT ListCellCenter(HWND list, int row, int column);

// Synthesised input through the system's input queue.
void ClickAt(HWND hwnd, POINT client, bool right = false, bool twice = false);
void PressKey(WORD key, bool shift = false);

// Runs steps one per timer tick while a modal loop runs.
class TimerScript {
 public:
  // A step runs on a tick only while ready() holds (when given); ticks
  // may also come from message processing before the awaited state.
  explicit TimerScript(std::vector<std::function<void()>> steps, UINT intervalMs = 50,
                       std::function<bool()> ready = nullptr);
  ~TimerScript();
  bool Finished() const { return next_ >= steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::vector<std::function<void()>> steps_;
  std::function<bool()> ready_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
};

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace tavrel::testing
