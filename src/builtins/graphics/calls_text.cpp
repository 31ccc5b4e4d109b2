// The text operations reached by the built-ins: the text drawing itself.
#include "builtins/graphics/calls.h"
#include "resources/text_draw.h"

void GraphicsCalls_FillText(GraphicsCalls* calls);

void GraphicsCalls_FillText(GraphicsCalls* calls) {
  calls->setFont = GR_Text_Set_Font;
  calls->setHalign = GR_Text_Set_Halign;
  calls->setValign = GR_Text_Set_Valign;
  calls->stringWidth = GR_Text_String_Width;
  calls->stringHeight = GR_Text_String_Height;
  calls->text = GR_Text_Draw;
  calls->textTransformed = GR_Text_Draw_Transformed;
  calls->textColor = GR_Text_Draw_Color;
  calls->textTransformedColor = GR_Text_Draw_Transformed_Color;
}
