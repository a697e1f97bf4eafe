// Operations on a report list, named by window and control. Each optional
// argument is told apart from a given one whatever its value.
#pragma once
#include <cstdint>
#include <optional>

#include "app/memory.h"
#include "ui/ids.h"

namespace tavrel {

struct ListRef {
  WindowId window;
  ControlId control;
};

struct ColumnArguments {
  std::optional<int32_t> position;  // omitted: after the last column
  const char* headerText = nullptr; // omitted: the empty text
  std::optional<int32_t> width;     // omitted: 50
  std::optional<int32_t> alignment;
  std::optional<int32_t> image;
  std::optional<int32_t> imageOnRight;
};

struct RowArguments {
  std::optional<int32_t> position;  // omitted: after the last row
  const char* text = nullptr;
  std::optional<int32_t> image;
  std::optional<int32_t> stateImage;
  std::optional<int32_t> indent;
  std::optional<int32_t> itemData;
};

// The index of the new column or row, or -1 when the control refuses it or
// the list is not loaded.
int32_t InsertColumn(ListRef list, const ColumnArguments& arguments = {});
int32_t AppendRow(ListRef list, const RowArguments& arguments = {});
void SetCellText(ListRef list, std::optional<int32_t> row, std::optional<int32_t> column, const char* text);
// A new text, or none for an empty cell or one that does not exist.
OwnedText GetCellText(ListRef list, std::optional<int32_t> row = {}, std::optional<int32_t> column = {});

// Rows appended inside a handler are drawn once the handler returns: the
// list does not repaint while a handler runs anyway (no message is
// processed), and redrawing it row by row costs far more than the rows.
// The framework calls this when a handler returns.
void FlushDeferredListRedraws();

}  // namespace tavrel
