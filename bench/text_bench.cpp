// Text against a reference immediate-mode interface, side by side: 200
// lines of 40 characters laid out into the vertex batch (recording device),
// and a 2000-character paragraph measured with wrapping.
#include <benchmark/benchmark.h>

#include <imgui.h>

#include <cfloat>
#include <string>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"
#include "platform/backends.h"
#include "platform/device_window.h"
#include "platform/fake/fake_graphics.h"
#include "resources/text_draw.h"
#include "world/start/service_list.h"

namespace {

constexpr int kLines = 200;
constexpr int kLineLength = 40;
constexpr int kParagraphLength = 2000;
constexpr int32_t kWrapWidth = 300;

std::string Line(int n) {
  std::string line;
  for (int i = 0; i < kLineLength; ++i) line += static_cast<char>(i % 7 == 6 ? ' ' : 'a' + (n * 7 + i) % 26);
  return line;
}

// The lines joined by breaks, as one text.
std::string Page() {
  std::string page;
  for (int n = 0; n < kLines; ++n) page += Line(n) + (n + 1 < kLines ? "#" : "");
  return page;
}

std::string Paragraph() {
  std::string text;
  while (static_cast<int>(text.size()) < kParagraphLength) text += Line(static_cast<int>(text.size())) + " ";
  text.resize(kParagraphLength);
  return text;
}

// The recording device and the built-in font, for one benchmark.
class RecordingText {
 public:
  RecordingText() {
    ServiceList_Install();
    PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
    DeviceWindow_State() = DeviceWindowState{};
    ready_ = Graphics::CreateDevice(nullptr, 640, 480, 0);
    GR_Text_Reset();
  }
  ~RecordingText() {
    GR_Text_Reset();
    GR_D3D_Shutdown();
    DeviceWindow_Destroy();
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
  }
  RecordingText(const RecordingText&) = delete;
  RecordingText& operator=(const RecordingText&) = delete;
  bool Ready() const { return ready_; }

 private:
  bool ready_ = false;
};

// The reference's default font, its atlas built, inside one frame.
class ReferenceText {
 public:
  ReferenceText() {
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->AddFontDefault();
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    // Tall enough that no line is clipped away.
    io.DisplaySize = ImVec2(640, 13.0f * (kLines + 1));
    io.DeltaTime = 1.0f / 60;
    ImGui::NewFrame();
  }
  ~ReferenceText() {
    ImGui::EndFrame();
    ImGui::DestroyContext();
  }
  ReferenceText(const ReferenceText&) = delete;
  ReferenceText& operator=(const ReferenceText&) = delete;
};

void BM_TextLinesIntoTheBatch(benchmark::State& state) {
  const RecordingText text;
  if (!text.Ready()) {
    state.SkipWithError("no graphics device");
    return;
  }
  const std::string page = Page();
  for (auto _ : state) {
    Graphics::BeginScene();
    GR_Text_Draw(0, 0, page.c_str(), -1, -1);
    Graphics::ResetVertexBuffers();
    Graphics::EndScene();
  }
  state.SetItemsProcessed(state.iterations() * kLines * kLineLength);
}
BENCHMARK(BM_TextLinesIntoTheBatch)->Unit(benchmark::kMicrosecond);

void BM_ReferenceLinesIntoADrawList(benchmark::State& state) {
  const ReferenceText reference;
  std::string lines[kLines];
  for (int n = 0; n < kLines; ++n) lines[n] = Line(n);
  ImDrawList list(ImGui::GetDrawListSharedData());
  for (auto _ : state) {
    list._ResetForNewFrame();
    list.PushClipRectFullScreen();
    list.PushTextureID(ImGui::GetIO().Fonts->TexID);
    for (int n = 0; n < kLines; ++n) list.AddText(ImVec2(0, 13.0f * n), 0xFFFFFFFF, lines[n].c_str());
    benchmark::DoNotOptimize(list.VtxBuffer.Data);
  }
  state.SetItemsProcessed(state.iterations() * kLines * kLineLength);
}
BENCHMARK(BM_ReferenceLinesIntoADrawList)->Unit(benchmark::kMicrosecond);

void BM_TextParagraphMeasuredWrapped(benchmark::State& state) {
  const RecordingText text;
  const std::string paragraph = Paragraph();
  for (auto _ : state) benchmark::DoNotOptimize(GR_Text_String_Height(paragraph.c_str(), -1, kWrapWidth));
  state.SetItemsProcessed(state.iterations() * kParagraphLength);
}
BENCHMARK(BM_TextParagraphMeasuredWrapped)->Unit(benchmark::kMicrosecond);

void BM_ReferenceParagraphMeasuredWrapped(benchmark::State& state) {
  const ReferenceText reference;
  const std::string paragraph = Paragraph();
  ImFont* font = ImGui::GetFont();
  for (auto _ : state) {
    const char* end = paragraph.c_str() + paragraph.size();
    benchmark::DoNotOptimize(font->CalcTextSizeA(font->FontSize, FLT_MAX, kWrapWidth, paragraph.c_str(), end));
  }
  state.SetItemsProcessed(state.iterations() * kParagraphLength);
}
BENCHMARK(BM_ReferenceParagraphMeasuredWrapped)->Unit(benchmark::kMicrosecond);

}  // namespace
