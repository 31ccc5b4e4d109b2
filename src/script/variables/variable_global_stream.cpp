// The saved-game form of the global scope: tag 700, the global list, then the
// globalvar flags as one integer each.
#include "runtime/memory.h"
#include "runtime/stream.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"

namespace {

constexpr int32_t kTagGlobals = 700;

int64_t Left(const CStream& stream) { return static_cast<int64_t>(stream.GetSize()) - stream.GetPosition(); }

// The flags as bytes (null for none) in *flags; false when the stream ends
// before them.
bool ReadFlags(CStream& stream, uint8_t** flags, int32_t* count) {
  *flags = nullptr;
  *count = 0;
  if (Left(stream) < 4) return false;
  int32_t length = stream.ReadInteger();
  if (length < 0 || static_cast<int64_t>(length) * 4 > Left(stream)) return false;
  if (length == 0) return true;
  *flags = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(length), true));
  for (int32_t i = 0; i < length; ++i) (*flags)[i] = stream.ReadInteger() != 0 ? 1 : 0;
  *count = length;
  return true;
}

}  // namespace

void Variable_Global_Save(CStream& stream) {
  stream.WriteInteger(kTagGlobals);
  if (g_globalScope.list != nullptr) {
    g_globalScope.list->Save(stream);
  } else {
    CVariableList().Save(stream);
  }
  stream.WriteInteger(g_globalScope.flagCount);
  for (int32_t i = 0; i < g_globalScope.flagCount; ++i) stream.WriteBoolean(g_globalScope.flags[i] == 1);
}

GlobalScopeStage::~GlobalScopeStage() {
  if (flags != nullptr) MemoryManager::Free(flags);
}

bool Variable_Global_Parse(CStream& stream, GlobalScopeStage* stage) {
  if (Left(stream) < 4 || stream.ReadInteger() != kTagGlobals) return false;
  if (!CVariableList::LoadFresh(stream, stage->list)) return false;
  return ReadFlags(stream, &stage->flags, &stage->flagCount);
}

void Variable_Global_Apply(GlobalScopeStage& stage) {
  // The saved globals are the whole global scope: older ones do not survive.
  if (g_globalScope.list == nullptr) g_globalScope.list = new CVariableList();
  g_globalScope.list->Clear();
  g_globalScope.list->Merge(stage.list);
  GlobalScope_ReplaceFlags(stage.flags, stage.flagCount);
  stage.flags = nullptr;
  stage.flagCount = 0;
}

bool Variable_Global_Load(CStream& stream) {
  GlobalScopeStage stage;
  if (!Variable_Global_Parse(stream, &stage)) return false;
  Variable_Global_Apply(stage);
  return true;
}
