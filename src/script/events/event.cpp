#include "script/events/event.h"

#include <cstdio>
#include <cstring>

#include "runtime/memory.h"
#include "runtime/text.h"
#include "script/compiler/code_table.h"
#include "script/events/event_code_seam.h"
#include "script/events/event_names.h"
#include "script/events/event_perform.h"

int32_t g_eventType = 0;
int32_t g_eventNumber = 0;
int32_t g_eventObject = 0;
int32_t g_eventAction = 0;

namespace {

// Event record: word 1 is the action's offset. Action record: word 8 the
// compiled entry, word 15 the source text's offset.
constexpr uint64_t kActionOffsetAt = 4;
constexpr uint64_t kCodeIndexAt = 32;
constexpr uint64_t kTextOffsetAt = 60;

}  // namespace

CEvent::~CEvent() {
  if (code != nullptr) EventCode_Get().free(code);
  MemoryManager::Free(text);
}

bool CEvent::Load(const GameImage& image, uint64_t offset) {
  ImageReader record = ImageReader::AtOffset(image, offset + kActionOffsetAt);
  uint64_t action = record.U32();
  if (record.Failed() || !image.Contains(action, kTextOffsetAt + 4)) return false;
  ImageReader fields = ImageReader::AtOffset(image, action + kCodeIndexAt);
  int32_t codeIndex = fields.I32();
  fields = ImageReader::AtOffset(image, action + kTextOffsetAt);
  uint32_t textOffset = fields.U32();
  const char* source = "";
  if (!g_hasBytecode && textOffset != 0) {
    source = image.TextAt(textOffset);
    if (source == nullptr) return false;
  }
  if (code != nullptr) EventCode_Get().free(code);
  MemoryManager::Free(text);
  text = String_Duplicate(source);
  code = g_hasBytecode ? EventCode_Get().fromIndex(codeIndex) : EventCode_Get().fromText(text);
  return true;
}

bool CEvent::Compile() {
  if (g_hasBytecode) return true;
  if (code == nullptr) return false;
  char name[256];
  std::snprintf(name, sizeof name, "Object.%s.%s.%d", Event_ObjectName(g_eventObject).c_str(),
                Event_ShortName(g_eventType, g_eventNumber).c_str(), g_eventAction);
  const EventCodeHooks& codes = EventCode_Get();
  if (codes.compile(code, name)) return true;
  char message[1024];
  std::snprintf(message, sizeof message, "COMPILATION ERROR in code action\n%s", codes.compileErrorText().c_str());
  codes.reportFatal(message);
  return false;
}

bool CEvent::Execute(CInstance* self, CInstance* other) {
  if (code == nullptr) return false;
  const EventCodeHooks& codes = EventCode_Get();
  bool relative = codes.relative();
  codes.setRelative(false);
  bool result = codes.execute(code, self, other);
  codes.setRelative(relative);
  return result;
}

bool Library_RunInitCode() { return false; }

void Library_FreeInitCode() {}
