// The instruction word, its operand sizes, the write buffer, debug pairs
// and the byte-exact disassembly line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "front_end_support.h"
#include "script/compiler/function_registry.h"
#include "script/variables/variable_names.h"
#include "script/vm/bytecode.h"
#include "script/vm/bytecode_strings.h"
#include "support/test_support.h"

namespace {

// Little-endian bytes of words and operands.
struct Code {
  std::vector<uint8_t> bytes;
  Code& Word(uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
    return *this;
  }
  Code& Long(uint64_t value) {
    Word(static_cast<uint32_t>(value));
    return Word(static_cast<uint32_t>(value >> 32));
  }
  Code& Double(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    return Long(bits);
  }
  int32_t Size() const { return static_cast<int32_t>(bytes.size()); }
};

struct Listing {
  std::vector<std::string> lines;
  std::vector<int32_t> next;
};

// Disassembles every instruction of code from `offset`, as the whole-buffer
// listing does, remembering where each line sent the walk next.
Listing Disassemble(const Code& code, const IVMStrings* strings = nullptr) {
  testsupport::RecordingConsole console;
  Listing listing;
  int32_t offset = 0;
  while (offset < code.Size()) {
    offset = VM_Disassemble(code.bytes.data(), code.Size(), offset, &console, strings);
    listing.next.push_back(offset);
  }
  listing.lines = console.lines;
  return listing;
}

std::string One(uint32_t word) { return Disassemble(Code().Word(word)).lines.at(0); }

class DisassemblyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Code_Variable_Reset();
    ASSERT_EQ(Code_Variable_Find("a"), 100000);
    front_test::RegisterNames();
    ASSERT_TRUE(Function_Find("two_args", &builtin_));
  }
  int32_t builtin_ = -1;
};

TEST(BytecodeWordTest, OperandSizesOfEveryTypeCode) {
  const int32_t expected[16] = {8, 4, 4, 8, 4, 4, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int type = 0; type < 16; ++type) {
    EXPECT_EQ(VM_OperandSize(static_cast<uint8_t>(type)), expected[type]) << type;
    // Only the low nibble counts.
    EXPECT_EQ(VM_OperandSize(static_cast<uint8_t>(0xF0 | type)), expected[type]) << type;
  }
  EXPECT_EQ(VM_InstructionLength(0xC0000000u), 12);  // push.d
  EXPECT_EQ(VM_InstructionLength(0xC00F0005u), 4);   // push.e
  EXPECT_EQ(VM_InstructionLength(0x03520000u), 4);   // conv: no operand bit
  EXPECT_EQ(VM_InstructionLength(0xDA020002u), 8);   // call.i
}

TEST(BytecodeWordTest, FieldsAndLoaderClassification) {
  EXPECT_EQ(VM_BranchOffset(0xB7FFFFFFu), -1);
  EXPECT_EQ(VM_BranchOffset(0xB7800000u), -0x800000);
  EXPECT_EQ(VM_BranchOffset(0xB77FFFFFu), 0x7FFFFF);
  EXPECT_EQ(VM_Data(0xC00F8000u), -32768);
  EXPECT_EQ(VM_Word(kOpPop, kVMVariant, kVMInt, -6), 0x4125FFFAu);

  EXPECT_TRUE(VM_IsVariableAccess(0xC0050000u));   // push.v
  EXPECT_TRUE(VM_IsVariableAccess(0x4155FFFAu));   // pop.v.v
  EXPECT_FALSE(VM_IsVariableAccess(0xC0020000u));  // push.i
  EXPECT_TRUE(VM_IsCall(0xDA020000u));
  EXPECT_FALSE(VM_IsCall(0xC0020000u));
  EXPECT_TRUE(VM_IsStringPush(0xC0060000u));
  EXPECT_FALSE(VM_IsStringPush(0x41650000u));  // pop.v.s stores a string
}

TEST(BytecodeWordTest, WriteBufferDoublesFromSixteenBytes) {
  VMWriteBuffer buffer(16);
  std::vector<int32_t> capacities;
  for (uint32_t i = 0; i < 9; ++i) {
    ASSERT_TRUE(buffer.AppendWord(0x11223344u + i));
    capacities.push_back(buffer.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{16, 16, 16, 16, 32, 32, 32, 32, 64}));
  EXPECT_EQ(buffer.size, 0);  // not finished yet
  buffer.Finish();
  ASSERT_EQ(buffer.size, 36);
  // Every word survived both moves, little-endian.
  EXPECT_EQ(buffer.bytes[0], 0x44);
  for (uint32_t i = 0; i < 9; ++i) EXPECT_EQ(buffer.WordAt(static_cast<int32_t>(4 * i)), 0x11223344u + i);
  buffer.PatchWord(4, 0xB7000003u);
  EXPECT_EQ(buffer.WordAt(4), 0xB7000003u);
}

TEST(BytecodeWordTest, WriteBufferRefusesToGrowPastItsLimit) {
  VMWriteBuffer buffer(16);
  EXPECT_FALSE(buffer.Append("x", VMWriteBuffer::kMaxCapacity + 1));
  EXPECT_FALSE(buffer.Append("x", -4));
  EXPECT_EQ(buffer.Cursor(), 0);
  EXPECT_EQ(buffer.Capacity(), 16);
  EXPECT_TRUE(buffer.AppendWord(1));
}

TEST(BytecodeWordTest, DebugPairLookupTakesTheLastPairNotBeyondTheCounter) {
  Code pairs;
  pairs.Word(4).Word(10).Word(12).Word(20).Word(12).Word(25).Word(40).Word(30);
  VMBuffer debug(pairs.bytes.data(), pairs.Size());
  VMDebugPair pair{};
  EXPECT_FALSE(VM_FindDebugPair(&debug, 0, &pair));  // first pair lies beyond
  ASSERT_TRUE(VM_FindDebugPair(&debug, 4, &pair));
  EXPECT_EQ(pair.sourcePosition, 10);
  ASSERT_TRUE(VM_FindDebugPair(&debug, 39, &pair));
  EXPECT_EQ(pair.sourcePosition, 25);  // the later of two pairs at 12
  ASSERT_TRUE(VM_FindDebugPair(&debug, 1000, &pair));
  EXPECT_EQ(pair.codeOffset, 40);
  EXPECT_FALSE(VM_FindDebugPair(nullptr, 8, &pair));
  VMBuffer partial(pairs.bytes.data(), 7);  // less than one pair
  EXPECT_FALSE(VM_FindDebugPair(&partial, 8, &pair));
}

TEST(BytecodeWordTest, StringPoolSharesEqualTexts) {
  VMStringPool pool;
  EXPECT_EQ(pool.Add("one"), 0);
  EXPECT_EQ(pool.Add("two"), 1);
  EXPECT_EQ(pool.Add("one"), 0);
  EXPECT_EQ(pool.Add(nullptr), 2);
  EXPECT_EQ(pool.Add(""), 2);
  EXPECT_STREQ(pool.Text(1), "two");
  EXPECT_EQ(pool.Text(3), nullptr);
  EXPECT_EQ(pool.Text(-1), nullptr);
}

TEST_F(DisassemblyTest, OneLinePerOpcodeFamily) {
  // Bytes end before column 36, the operand starts at column 46.
  EXPECT_EQ(One(0x03520000u), "00000000 : 00005203                 conv.i.v  \n");
  EXPECT_EQ(One(0x08050000u), "00000000 : 00000508                 add.v.d   \n");
  EXPECT_EQ(One(0x0E040000u), "00000000 : 0000040e                 not.b.d   \n");
  EXPECT_EQ(One(0x82020000u), "00000000 : 00000282                 dup.i     \n");
  EXPECT_EQ(One(0x9D050000u), "00000000 : 0000059d                 ret.v     \n");
  EXPECT_EQ(One(0x9E020000u), "00000000 : 0000029e                 exit.i    \n");
  EXPECT_EQ(One(0x9F050000u), "00000000 : 0000059f                 popz.v    \n");
  EXPECT_EQ(One(0xC00FFFFFu), "00000000 : ffff0fc0                 push.e    -1\n");
  EXPECT_EQ(One(0xC00F8000u), "00000000 : 00800fc0                 push.e    -32768\n");
  EXPECT_EQ(One(0xFF0F0007u), "00000000 : 07000fff                 break     7\n");
  EXPECT_EQ(One(0x01000000u), "00000000 : 00000001                 unknown.d.d\n");
  EXPECT_EQ(One(0x90020000u), "00000000 : 00000290                 unknown.i \n");
}

TEST_F(DisassemblyTest, OperandsByType) {
  VMStringPool pool;
  pool.Add("first");
  pool.Add("say \"hi\"");
  Code code;
  code.Word(0xC0000000u).Double(0.5);
  code.Word(0xC0010000u).Word(0x3FC00000u);  // float 1.5
  code.Word(0xC0020000u).Word(0x00008000u);
  code.Word(0xC0030000u).Long(0x80000000ull);
  code.Word(0xC0030000u).Long(0xFFFFFFFFFFFFFFFFull);
  code.Word(0xC0040000u).Word(1);
  code.Word(0xC0040000u).Word(0);
  code.Word(0xC0060000u).Word(1);
  code.Word(0xC0060000u).Word(7);  // no such string
  Listing listing = Disassemble(code, &pool);
  EXPECT_EQ(listing.lines, (std::vector<std::string>{
                               "00000000 : 000000c0000000000000e03f push.d    0.500000\n",
                               "0000000c : 000001c00000c03f         push.f    1.500000\n",
                               "00000014 : 000002c000800000         push.i    32768\n",
                               "0000001c : 000003c00000008000000000 push.l    2147483648\n",
                               "00000028 : 000003c0ffffffffffffffff push.l    -1\n",
                               "00000034 : 000004c001000000         push.b    true\n",
                               "0000003c : 000004c000000000         push.b    false\n",
                               "00000044 : 000006c001000000         push.s    \"say \"hi\"\"\n",
                               "0000004c : 000006c007000000         push.s    \"<string 7>\"\n",
                           }));
  EXPECT_EQ(listing.next, (std::vector<int32_t>{12, 20, 28, 40, 52, 60, 68, 76, 84}));
}

TEST_F(DisassemblyTest, VariableNamesIgnoreEveryReferenceBit) {
  for (uint32_t bits = 0; bits < 8; ++bits) {
    uint32_t reference = (bits << 29) | 100000u;
    Listing push = Disassemble(Code().Word(0xC0050000u).Word(reference));
    Listing pop = Disassemble(Code().Word(0x4125FFFAu).Word(reference));
    char bytes[9];
    std::snprintf(bytes, sizeof bytes, "a08601%02x", bits << 5);
    EXPECT_EQ(push.lines.at(0), std::string("00000000 : 000005c0") + bytes + "         push.v    $a$\n") << bits;
    EXPECT_EQ(pop.lines.at(0), std::string("00000000 : faff2541") + bytes + "         pop.v.i   $a$\n") << bits;
  }
}

TEST_F(DisassemblyTest, CallsNameBuiltinsAndNumberScripts) {
  Code code;
  code.Word(0xDA020002u).Word(static_cast<uint32_t>(builtin_));
  code.Word(0xDA020000u).Word(100003u);
  code.Word(0xDA020000u).Word(500001u);
  code.Word(0xDA020000u).Word(99999u);  // no such built-in
  Listing listing = Disassemble(code);
  ASSERT_EQ(listing.lines.size(), 4u);
  char first[80];
  std::snprintf(first, sizeof first, "00000000 : 020002da%02x%02x0000         call.i    two_args\n", builtin_ & 0xFF,
                (builtin_ >> 8) & 0xFF);
  EXPECT_EQ(listing.lines[0], first);
  EXPECT_EQ(listing.lines[1], "00000008 : 000002daa3860100         call.i    100003\n");
  EXPECT_EQ(listing.lines[2], "00000010 : 000002da21a10700         call.i    500001\n");
  EXPECT_EQ(listing.lines[3], "00000018 : 000002da9f860100         call.i    99999\n");
}

TEST_F(DisassemblyTest, BranchesPrintTheirTargetInBytes) {
  Code code;
  code.Word(0xB9000003u);  // bf +3 words
  code.Word(0xB7000000u);  // b to itself
  code.Word(0xB8FFFFFEu);  // bt two words back
  code.Word(0xBB000002u);  // pushenv
  code.Word(0xBCFFFFFFu);  // popenv one word back
  code.Word(kVMWithClose);
  Listing listing = Disassemble(code);
  EXPECT_EQ(listing.lines, (std::vector<std::string>{
                               "00000000 : 030000b9                 bf        0x0000000c\n",
                               "00000004 : 000000b7                 b         0x00000004\n",
                               "00000008 : feffffb8                 bt        0x00000000\n",
                               "0000000c : 020000bb                 pushenv   0x00000014\n",
                               "00000010 : ffffffbc                 popenv    0x0000000c\n",
                               // The close word's type byte reads as a far
                               // backward offset.
                               "00000014 : 0000f0bc                 popenv    0xffc00014\n",
                           }));
}

TEST_F(DisassemblyTest, NeverReadsPastTheBuffer) {
  // A push.d whose operand is cut short, then a lone half word.
  Code code;
  code.Word(0xC0000000u).Word(0x11111111u);
  Listing cut = Disassemble(code);
  EXPECT_EQ(cut.lines, (std::vector<std::string>{"00000000 : 000000c011111111         push.d    \n"}));
  EXPECT_EQ(cut.next, (std::vector<int32_t>{8}));

  std::vector<uint8_t> half = {0x01, 0x00, 0x0f};
  testsupport::RecordingConsole console;
  EXPECT_EQ(VM_Disassemble(half.data(), 3, 0, &console), 3);
  EXPECT_EQ(console.lines.at(0), "00000000 : 01000f\n");
  EXPECT_EQ(VM_Disassemble(half.data(), 3, 5, &console), 3);  // offset beyond: nothing
  EXPECT_EQ(VM_Disassemble(half.data(), 3, -4, &console), 3);
  EXPECT_EQ(console.lines.size(), 1u);

  // An unknown opcode with the operand bit is stepped over with its operand.
  Listing unknown = Disassemble(Code().Word(0x42020000u).Word(5).Word(0x9F020000u));
  EXPECT_EQ(unknown.next, (std::vector<int32_t>{8, 12}));
  EXPECT_EQ(unknown.lines.at(0), "00000000 : 0000024205000000         unknown.i.d5\n");
}

TEST_F(DisassemblyTest, WholeBufferListing) {
  Code code;
  code.Word(0xC00F0001u).Word(0x4125FFFAu).Word(0xA00186A0u);
  VMBuffer buffer(code.bytes.data(), code.Size());
  testsupport::RecordingConsole console;
  VM_DisassembleAll(&buffer, &console);
  EXPECT_EQ(console.lines, (std::vector<std::string>{
                               "00000000 : 01000fc0                 push.e    1\n",
                               "00000004 : faff2541a08601a0         pop.v.i   $a$\n",
                           }));
  VM_DisassembleAll(nullptr, &console);
  EXPECT_EQ(console.lines.size(), 2u);
}

}  // namespace
