// The saved-game form of a variable list. Version 442 is written; 440 (read
// the same way) and 441 (one rectangular extent per variable) are read too.
// Every count is checked against the bytes left before anything is made.
#include <cstring>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/stream.h"
#include "runtime/stream_reader.h"
#include "script/variables/variable_list.h"

namespace {

constexpr int32_t kTagRows = 442;
constexpr int32_t kTagRowsOld = 440;
constexpr int32_t kTagExtent = 441;
// id, kind, real, string length and the row count (or extent).
constexpr int64_t kVariableBytes = 24;
// kind, real, string length.
constexpr int64_t kItemBytes = 16;
constexpr int64_t kRowBytes = 4;
// No element index reaches past these: k = 2^31 - 1 is row 67108, and a
// column is always below 32000.
constexpr int32_t kMaxRows = 67109;
constexpr int32_t kMaxRowLength = CVariableList::kRowStride;

void ReadValue(CheckedStreamReader& in, ScriptValue* value) {
  value->kind = in.Integer();
  value->real = in.Real();
  char* text = in.ManagedText();
  // Only a string owns a text; any other kind would never free it.
  if (value->kind == kValueString) {
    value->text = text;
  } else {
    MemoryManager::Free(text);
    value->text = nullptr;
  }
}

bool ReadItems(CheckedStreamReader& in, ArrayRow* row, int32_t length) {
  if (length > kMaxRowLength || !in.Fits(length, kItemBytes)) return false;
  ArrayRow_Grow(row, length);
  for (int32_t i = 0; i < length && in.ok(); ++i) ReadValue(in, &row->items[i]);
  return in.ok();
}

bool ReadRows(CheckedStreamReader& in, VariableNode* node) {
  int32_t rows = in.Integer();
  if (rows > kMaxRows || !in.Fits(rows, kRowBytes)) return false;
  VariableNode_GrowRows(node, rows);
  for (int32_t r = 0; r < rows; ++r)
    if (!ReadItems(in, &node->rows[r], in.Integer())) return false;
  return true;
}

bool ReadExtent(CheckedStreamReader& in, VariableNode* node) {
  int32_t extent = in.Integer();
  if (extent < 0) return false;
  int32_t rows = extent / CVariableList::kRowStride;
  int32_t columns = extent % CVariableList::kRowStride;
  if (!in.Fits(static_cast<int64_t>(rows) * columns, kItemBytes)) return false;
  VariableNode_GrowRows(node, rows);
  for (int32_t r = 0; r < rows; ++r)
    if (!ReadItems(in, &node->rows[r], columns)) return false;
  return true;
}

void WriteValue(CStream& stream, const ScriptValue& value) {
  stream.WriteInteger(value.kind);
  stream.WriteReal(value.real);
  stream.WriteString(value.kind == kValueString ? value.text : nullptr);
}

}  // namespace

void CVariableList::Save(CStream& stream) const {
  stream.WriteInteger(kTagRows);
  stream.WriteInteger(count_);
  ForEach([&stream](const VariableNode& node) {
    stream.WriteInteger(node.id);
    WriteValue(stream, node.value);
    stream.WriteInteger(node.rowCount);
    for (int32_t r = 0; r < node.rowCount; ++r) {
      const ArrayRow& row = node.rows[r];
      stream.WriteInteger(row.length);
      for (int32_t i = 0; i < row.length; ++i) WriteValue(stream, row.items[i]);
    }
  });
}

bool CVariableList::ReadForm(CStream& stream) {
  CheckedStreamReader in(stream);
  int32_t tag = in.Integer();
  if (!in.ok() || (tag != kTagRows && tag != kTagRowsOld && tag != kTagExtent)) return false;
  int32_t count = in.Integer();
  if (!in.ok()) return false;
  if (count < 1) return true;
  if (!in.Fits(count, kVariableBytes)) return false;
  for (int32_t v = 0; v < count; ++v) {
    VariableNode* node = VariableNode_Take(in.Integer());
    ReadValue(in, &node->value);
    bool read = tag == kTagExtent ? ReadExtent(in, node) : ReadRows(in, node);
    // Only the first record of an id was visible when the stream was written.
    if (!read || !in.ok() || FindNode(node->id) != nullptr) {
      VariableNode_Return(node);
      if (!read || !in.ok()) return false;
      continue;
    }
    Link(node);
  }
  return true;
}

bool CVariableList::LoadFresh(CStream& stream, CVariableList& fresh) {
  g_debugConsole->Output("%s\n", "!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!");
  if (fresh.ReadForm(stream)) return true;
  g_debugConsole->Output("Saved variables are damaged or of an unknown version; nothing was loaded\n");
  return false;
}

bool CVariableList::Load(CStream& stream) {
  CVariableList fresh;
  if (!LoadFresh(stream, fresh)) return false;
  Merge(fresh);
  return true;
}
