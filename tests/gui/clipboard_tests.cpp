// SetClipboardText against the real clipboard, and its failure paths
// through the clipboard seam.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "services/clipboard.h"
#include "services/clipboard_api.h"
#include "tests/child_process.h"
#include "tests/gui/child_runner.h"

namespace tavrel {
namespace {

struct ClipboardContent {
  bool hasText = false;
  std::string bytes;  // the whole block, terminator included
};

ClipboardContent ReadClipboard() {
  ClipboardContent content;
  if (!OpenClipboard(nullptr)) return content;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    const char* text = static_cast<const char*>(GlobalLock(block));
    if (text) {
      content.hasText = true;
      content.bytes.assign(text, std::strlen(text) + 1);
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return content;
}

struct CopyCase {
  const char* text;
  std::size_t blockBytes;
};

TEST(Clipboard, PutsExactlyTheTextAndItsTerminator) {
  const CopyCase cases[] = {{"", 1}, {"1.2.3.4", 8}, {"超时（禁Ping）", 15}};
  for (const CopyCase& c : cases) {
    EXPECT_EQ(SetClipboardText(c.text), 1) << c.text;
    const ClipboardContent content = ReadClipboard();
    ASSERT_TRUE(content.hasText) << c.text;
    EXPECT_EQ(content.bytes.size(), c.blockBytes) << c.text;
    EXPECT_EQ(content.bytes, std::string(c.text, c.blockBytes)) << c.text;
  }
}

TEST(Clipboard, TheSecondCallReplacesTheFirstAndEverythingElse) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL other = GlobalAlloc(GMEM_MOVEABLE, 4);
  *static_cast<DWORD*>(GlobalLock(other)) = 42;
  GlobalUnlock(other);
  SetClipboardData(CF_DIB + 100, other);  // a private format that must disappear
  CloseClipboard();
  EXPECT_EQ(SetClipboardText("first"), 1);
  EXPECT_EQ(SetClipboardText("second"), 1);
  EXPECT_EQ(ReadClipboard().bytes, std::string("second", 7));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB + 100));
  CloseClipboard();
}

// A child holds the clipboard open with a window of its own until told to
// let go (Wine lets a second open succeed when the holder has no window).
TAVREL_CHILD(hold_clipboard) {
  HWND window = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!window || !OpenClipboard(window)) return 2;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "tavrel-clipboard-held");
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "tavrel-clipboard-release");
  if (!ready || !release) return 3;
  SetEvent(ready);
  WaitForSingleObject(release, 10000);
  CloseClipboard();
  return 0;
}

TEST(Clipboard, AClipboardHeldByAnotherProgramIsLeftAsItWas) {
  ASSERT_EQ(SetClipboardText("before"), 1);
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "tavrel-clipboard-held");
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "tavrel-clipboard-release");
  testing::ChildProcess holder("hold_clipboard");
  ASSERT_TRUE(holder.Started());
  ASSERT_EQ(WaitForSingleObject(held, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(SetClipboardText("after"), 0);
  SetEvent(release);
  EXPECT_EQ(holder.WaitForExit(), 0u);
  EXPECT_EQ(ReadClipboard().bytes, std::string("before", 7));
  CloseHandle(held);
  CloseHandle(release);
}

// ---- failure paths through the seam ----
std::vector<std::string> calls;
HGLOBAL freed = nullptr;
HGLOBAL allocated = nullptr;

HGLOBAL WINAPI FailingAlloc(UINT, SIZE_T) {
  calls.push_back("GlobalAlloc");
  return nullptr;
}
HGLOBAL WINAPI RecordingAlloc(UINT flags, SIZE_T size) {
  calls.push_back("GlobalAlloc " + std::to_string(flags) + " " + std::to_string(size));
  allocated = GlobalAlloc(flags, size);
  return allocated;
}
HANDLE WINAPI RefusingSetData(UINT, HANDLE) {
  calls.push_back("SetClipboardData");
  return nullptr;
}
HGLOBAL WINAPI RecordingFree(HGLOBAL block) {
  calls.push_back("GlobalFree");
  freed = block;
  return GlobalFree(block);
}
BOOL WINAPI RecordingClose() {
  calls.push_back("CloseClipboard");
  return CloseClipboard();
}

class ClipboardSeamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    freed = allocated = nullptr;
    ClipboardSeam() = RealClipboardApi();
    ClipboardSeam().globalFree = &RecordingFree;
    ClipboardSeam().close = &RecordingClose;
  }
  void TearDown() override { ClipboardSeam() = RealClipboardApi(); }
};

TEST_F(ClipboardSeamTest, AFailedAllocationLeavesTheClipboardEmptiedAndClosed) {
  ASSERT_EQ(SetClipboardText("old"), 1);
  calls.clear();
  ClipboardSeam().globalAlloc = &FailingAlloc;
  EXPECT_EQ(SetClipboardText("new"), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"GlobalAlloc", "CloseClipboard"}));
  EXPECT_FALSE(ReadClipboard().hasText) << "the clipboard was emptied";
}

TEST_F(ClipboardSeamTest, ARefusedBlockIsFreedAndStillReportsSuccess) {
  ClipboardSeam().globalAlloc = &RecordingAlloc;
  ClipboardSeam().setData = &RefusingSetData;
  EXPECT_EQ(SetClipboardText("abc"), 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"GlobalAlloc 66 4", "SetClipboardData", "GlobalFree", "CloseClipboard"}));
  EXPECT_EQ(freed, allocated);
}

}  // namespace
}  // namespace tavrel
