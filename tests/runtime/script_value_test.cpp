#include "runtime/script_value.h"

#include <gtest/gtest.h>

#include "runtime/memory.h"

namespace {

TEST(ScriptValue, CopyDuplicatesTheTextAndReleaseFreesIt) {
  uint32_t blocks = MemoryManager::BlockCount();
  ScriptValue source;
  ScriptValue_SetString(&source, "h\xC3\xA9llo");
  ScriptValue copy;
  ScriptValue_Copy(&copy, &source);
  EXPECT_EQ(copy.kind, kValueString);
  ASSERT_NE(copy.text, source.text);
  EXPECT_STREQ(copy.text, "h\xC3\xA9llo");
  EXPECT_EQ(MemoryManager::GetSize(copy.text), 7u);
  ScriptValue_Release(&source);
  EXPECT_EQ(source.text, nullptr);
  EXPECT_EQ(source.kind, kValueString);  // still a string, now empty
  EXPECT_STREQ(ScriptValue_Text(source), "");
  EXPECT_STREQ(copy.text, "h\xC3\xA9llo");
  ScriptValue_Release(&copy);
  ScriptValue_Release(&copy);
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
}

TEST(ScriptValue, AssignReplacesAndSurvivesSelfAssignment) {
  uint32_t blocks = MemoryManager::BlockCount();
  ScriptValue a, b;
  ScriptValue_SetString(&a, "first");
  ScriptValue_SetString(&b, "second");
  ScriptValue_Assign(&a, &b);
  EXPECT_STREQ(a.text, "second");
  ScriptValue_Assign(&a, &a);
  EXPECT_STREQ(a.text, "second");
  ScriptValue_SetString(&a, a.text);  // a setter given its own text
  EXPECT_STREQ(a.text, "second");
  ScriptValue_SetReal(&a, -2.5);
  ScriptValue_Assign(&b, &a);
  EXPECT_EQ(b.kind, kValueReal);
  EXPECT_EQ(b.text, nullptr);
  EXPECT_EQ(b.real, -2.5);
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
}

}  // namespace
