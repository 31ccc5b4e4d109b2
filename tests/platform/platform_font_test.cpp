// Platform fonts over fontconfig and FreeType: what a face name, height and
// style bits ask for, and one face shared by assigned fonts.
#include "platform/platform_font.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

class PlatformFont : public ::testing::Test {
 protected:
  void TearDown() override { PlatformFont_Shutdown(); }
};

std::string Family(FontHandle face) { return face != nullptr && face->family_name != nullptr ? face->family_name : ""; }

TEST_F(PlatformFont, StyleBitsAskForBoldAndItalic) {
  TFont font;
  EXPECT_EQ(font.GetHandle(), nullptr) << "nothing is made before a property is set";
  font.SetName("DejaVu Sans");
  font.SetSize(-16);
  font.SetStyle(kFontBold | kFontItalic);
  const FontHandle face = font.GetHandle();
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(Family(face), "DejaVu Sans");
  EXPECT_NE(face->style_flags & FT_STYLE_FLAG_BOLD, 0);
  EXPECT_NE(face->style_flags & FT_STYLE_FLAG_ITALIC, 0);
  font.SetStyle(kFontUnderline | kFontStrikeOut);
  ASSERT_NE(font.GetHandle(), nullptr);
  EXPECT_EQ(font.GetHandle()->style_flags & (FT_STYLE_FLAG_BOLD | FT_STYLE_FLAG_ITALIC), 0);
  EXPECT_EQ(font.GetStyle(), kFontUnderline | kFontStrikeOut) << "kept in the bits only";
}

TEST_F(PlatformFont, HeightsReadAsEmOrCell) {
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(-16);
  ASSERT_NE(font.GetHandle(), nullptr);
  EXPECT_EQ(font.GetHandle()->size->metrics.y_ppem, 16);
  font.SetSize(0);
  EXPECT_EQ(font.GetHandle()->size->metrics.y_ppem, 16);
  font.SetSize(40);
  const FT_Size_Metrics& cell = font.GetHandle()->size->metrics;
  EXPECT_LT(cell.y_ppem, 40) << "a cell height holds the ascent and descent";
  EXPECT_NEAR((cell.ascender - cell.descender) / 64.0, 40, 1.5);
  font.SetSize(-100000);
  EXPECT_EQ(font.GetHandle(), nullptr) << "a height FreeType cannot take gives no face";
}

TEST_F(PlatformFont, ANullNameKeepsSizeAndStyleWithTheDefaultFamily) {
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(-20);
  font.SetStyle(kFontBold);
  font.SetExtra(7);
  font.SetName(nullptr);
  EXPECT_EQ(font.GetName(), nullptr);
  EXPECT_EQ(font.GetSize(), -20);
  EXPECT_EQ(font.GetStyle(), kFontBold);
  EXPECT_EQ(font.GetExtra(), 7);
  ASSERT_NE(font.GetHandle(), nullptr);
  EXPECT_EQ(font.GetHandle()->size->metrics.y_ppem, 20);
}

TEST_F(PlatformFont, NamesAreCopiedInAndOut) {
  TFont font;
  std::string name = "DejaVu Sans Mono";
  font.SetName(name.c_str());
  name[0] = 'X';
  char* copy = font.GetName();
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "DejaVu Sans Mono");
  std::free(copy);
  font.SetName("Short");
  copy = font.GetName();
  EXPECT_STREQ(copy, "Short");
  std::free(copy);
}

TEST_F(PlatformFont, AssignSharesOneFaceReleasedByTheLastHolder) {
  auto source = std::make_unique<TFont>();
  source->SetName("DejaVu Sans");
  source->SetSize(-12);
  source->SetStyle(kFontItalic);
  source->SetExtra(3);
  TFont copy;
  copy.Assign(*source);
  EXPECT_EQ(copy.GetHandle(), source->GetHandle());
  EXPECT_EQ(copy.GetSize(), -12);
  EXPECT_EQ(copy.GetStyle(), kFontItalic);
  EXPECT_EQ(copy.GetExtra(), 3);
  source.reset();
  ASSERT_NE(copy.GetHandle(), nullptr);
  EXPECT_EQ(copy.GetHandle()->size->metrics.y_ppem, 12) << "the face outlives the font that made it";
  copy.Assign(copy);
  EXPECT_NE(copy.GetHandle(), nullptr);
}

}  // namespace
