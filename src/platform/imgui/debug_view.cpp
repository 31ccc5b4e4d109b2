#include "platform/debug_view.h"

#include <GL/gl.h>
#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <deque>
#include <map>

#include "platform/clipboard.h"
#include "platform/device_window.h"
#include "platform/imgui/imgui_support.h"
#include "platform/native_messages.h"

namespace {

constexpr float kFormWidth = 300.0f;
constexpr float kPaneWidth = 340.0f;
constexpr float kPaneHeight = 240.0f;
constexpr float kPaneCascade = 24.0f;
constexpr int64_t kMostPlacement = 32768;
// Events held for the next draw; more are dropped (a window never drawn
// must not grow without end).
constexpr size_t kMostWaiting = 4096;

struct View {
  SDL_Window* window = nullptr;
  Uint32 windowId = 0;
  SDL_GLContext gl = nullptr;
  ImGuiContext* imgui = nullptr;
  bool sdlBackend = false;
  bool glBackend = false;
  bool closeAsked = false;
  std::deque<SDL_Event> waiting;
  // The pointer as this window's own events left it: SDL's mouse state
  // follows only the window the desktop says has it.
  ImVec2 mouse{-FLT_MAX, -FLT_MAX};
  bool held[3] = {};
  bool pressed[3] = {};
  std::map<int32_t, DebugViewRect> buttons;
  std::map<int32_t, DebugViewRect> panes;
  std::vector<DebugViewAction> actions;
};
View* g_view = nullptr;

// Makes the view's contexts current for a while, and puts back what was.
class Within {
 public:
  Within() : imgui_(ImGui::GetCurrentContext()), glWindow_(SDL_GL_GetCurrentWindow()), gl_(SDL_GL_GetCurrentContext()) {
    SDL_GL_MakeCurrent(g_view->window, g_view->gl);
    ImGui::SetCurrentContext(g_view->imgui);
  }
  ~Within() {
    ImGui::SetCurrentContext(imgui_);
    SDL_GL_MakeCurrent(glWindow_, gl_);
  }
  Within(const Within&) = delete;
  Within& operator=(const Within&) = delete;

 private:
  ImGuiContext* imgui_;
  SDL_Window* glWindow_;
  SDL_GLContext gl_;
};

int ButtonIndex(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
  }
}

// The window's events are its own: the game never sees them.
bool TakeEvent(const SDL_Event& event) {
  if (g_view == nullptr || ImguiSupport_EventWindow(event) != g_view->windowId) return false;
  if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
    g_view->closeAsked = true;
    return true;
  }
  if (g_view->waiting.size() < kMostWaiting) g_view->waiting.push_back(event);
  return true;
}

void Track(const SDL_Event& event) {
  View& view = *g_view;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      view.mouse = ImVec2(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      view.mouse = ImVec2(static_cast<float>(event.button.x), static_cast<float>(event.button.y));
      const int index = ButtonIndex(event.button.button);
      if (index < 0) break;
      view.held[index] = event.type == SDL_MOUSEBUTTONDOWN;
      if (view.held[index]) view.pressed[index] = true;
      break;
    }
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_LEAVE) view.mouse = ImVec2(-FLT_MAX, -FLT_MAX);
      break;
    default: break;
  }
}

DebugViewRect LastItemRect() {
  const ImVec2 min = ImGui::GetItemRectMin();
  const ImVec2 max = ImGui::GetItemRectMax();
  return DebugViewRect{min.x, min.y, max.x, max.y};
}

void Act(DebugViewActionKind kind, int32_t pane, int32_t value) {
  DebugViewAction action;
  action.kind = kind;
  action.pane = pane;
  action.value = value;
  g_view->actions.push_back(action);
}

void DrawButtons(const std::vector<DebugViewButton>& buttons) {
  const float right = ImGui::GetWindowPos().x + ImGui::GetWindowContentRegionMax().x;
  const ImGuiStyle& style = ImGui::GetStyle();
  for (size_t i = 0; i < buttons.size(); ++i) {
    const DebugViewButton& button = buttons[i];
    if (i > 0) {
      // Buttons wrap onto the next row when they would not fit.
      const float width = ImGui::CalcTextSize(button.label).x + style.FramePadding.x * 2.0f;
      const float last = g_view->buttons[buttons[i - 1].command].right;
      if (last + style.ItemSpacing.x + width <= right) ImGui::SameLine();
    }
    ImGui::PushID(button.command);
    if (ImGui::Button(button.label)) Act(DebugViewActionKind::kCommand, -1, button.command);
    ImGui::PopID();
    g_view->buttons[button.command] = LastItemRect();
  }
}

void DrawWatches(const DebugViewContent& content) {
  constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_Borders | ImGuiTableFlags_RowBg | ImGuiTableFlags_Resizable;
  const int32_t rows = static_cast<int32_t>(content.watchExpressions.size());
  const ImVec2 top = ImGui::GetCursorScreenPos();
  if (!ImGui::BeginTable("watches", 2, kFlags)) return;
  ImGui::TableSetupColumn("Expressions");
  ImGui::TableSetupColumn("Value");
  ImGui::TableHeadersRow();
  for (int32_t row = 0; row < rows; ++row) {
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    ImGui::PushID(row);
    if (ImGui::Selectable(content.watchExpressions[static_cast<size_t>(row)].c_str(), row == content.selectedWatch,
                          ImGuiSelectableFlags_SpanAllColumns))
      Act(DebugViewActionKind::kSelectWatch, -1, row);
    ImGui::PopID();
    ImGui::TableSetColumnIndex(1);
    if (static_cast<size_t>(row) < content.watchValues.size())
      ImGui::TextUnformatted(content.watchValues[static_cast<size_t>(row)].c_str());
  }
  ImGui::EndTable();
  // The wheel over the list moves the selection a row, kept within the rows.
  const ImVec2 bottom(top.x + ImGui::GetContentRegionAvail().x, ImGui::GetCursorScreenPos().y);
  const float wheel = ImGui::GetIO().MouseWheel;
  if (wheel != 0.0f && rows > 0 && ImGui::IsMouseHoveringRect(top, bottom)) {
    int32_t next = content.selectedWatch + (wheel > 0.0f ? -1 : 1);
    next = next < 0 ? 0 : (next >= rows ? rows - 1 : next);
    if (next != content.selectedWatch) Act(DebugViewActionKind::kSelectWatch, -1, next);
  }
}

void DrawForm(const DebugViewContent& content) {
  const ImGuiViewport* viewport = ImGui::GetMainViewport();
  const float width = viewport->WorkSize.x < kFormWidth ? viewport->WorkSize.x : kFormWidth;
  ImGui::SetNextWindowPos(viewport->WorkPos);
  ImGui::SetNextWindowSize(ImVec2(width, viewport->WorkSize.y));
  constexpr ImGuiWindowFlags kFixed = ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                      ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoTitleBar |
                                      ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoScrollWithMouse;
  ImGui::Begin("form", nullptr, kFixed);
  DrawButtons(content.toolbar);
  ImGui::Separator();
  DrawButtons(content.paneButtons);
  ImGui::Separator();
  for (const std::string& text : content.texts) ImGui::TextUnformatted(text.c_str());
  bool checked = content.checkBoxChecked;
  if (ImGui::Checkbox(content.checkBoxLabel, &checked)) Act(DebugViewActionKind::kCommand, -1, content.checkBoxCommand);
  ImGui::Separator();
  DrawWatches(content);
  if (content.deleteWatchCommand != 0 && ImGui::IsWindowFocused(ImGuiFocusedFlags_RootAndChildWindows) &&
      ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Delete), false))
    Act(DebugViewActionKind::kCommand, -1, content.deleteWatchCommand);
  ImGui::End();
}

const std::string& Cell(const DebugViewPane& pane, int32_t column, size_t row) {
  static const std::string& kEmpty = *new std::string;
  const std::vector<std::string>* rows = pane.columns[column];
  return rows == nullptr || row >= rows->size() ? kEmpty : (*rows)[row];
}

void CopyRows(const DebugViewPane& pane) {
  std::string text;
  const size_t rows = pane.columns[0] == nullptr ? 0 : pane.columns[0]->size();
  for (size_t row = 0; row < rows; ++row) {
    for (int32_t column = 0; column < pane.columnCount; ++column) {
      if (column > 0) text += '\t';
      text += Cell(pane, column, row);
    }
    text += '\n';
  }
  Clipboard_SetText(text.c_str());
}

void DrawPane(DebugViewPane* pane, int32_t index) {
  int32_t* place = pane->placement;
  if (place[2] > place[0] && place[3] > place[1]) {
    // Debug.ini may hold any numbers: the size is worked out in 64 bits and
    // the rectangle kept within what a screen could show.
    auto within = [](int64_t v) { return static_cast<float>(std::clamp<int64_t>(v, -kMostPlacement, kMostPlacement)); };
    ImGui::SetNextWindowPos(ImVec2(within(place[0]), within(place[1])), ImGuiCond_Appearing);
    ImGui::SetNextWindowSize(ImVec2(within(int64_t{place[2]} - place[0]), within(int64_t{place[3]} - place[1])),
                             ImGuiCond_Appearing);
  } else {
    const float step = kPaneCascade * static_cast<float>(index);
    ImGui::SetNextWindowPos(ImVec2(kFormWidth + kPaneCascade + step, kPaneCascade + step), ImGuiCond_Appearing);
    ImGui::SetNextWindowSize(ImVec2(kPaneWidth, kPaneHeight), ImGuiCond_Appearing);
  }
  // The id stays when the title changes (a locals pane names its instance).
  const std::string label = pane->title + "###pane" + std::to_string(index);
  bool open = true;
  if (ImGui::Begin(label.c_str(), &open)) {
    const int32_t columns = pane->columnCount < 1 ? 1 : (pane->columnCount > 3 ? 3 : pane->columnCount);
    const int rows = pane->columns[0] == nullptr ? 0 : static_cast<int>(pane->columns[0]->size());
    constexpr ImGuiTableFlags kFlags =
        ImGuiTableFlags_RowBg | ImGuiTableFlags_Resizable | ImGuiTableFlags_BordersInnerV;
    if (ImGui::BeginTable("rows", columns, kFlags)) {
      ImGuiListClipper clipper;
      clipper.Begin(rows);
      while (clipper.Step()) {
        for (int row = clipper.DisplayStart; row < clipper.DisplayEnd; ++row) {
          ImGui::TableNextRow();
          ImGui::TableSetColumnIndex(0);
          ImGui::PushID(row);
          constexpr ImGuiSelectableFlags kRow =
              ImGuiSelectableFlags_SpanAllColumns | ImGuiSelectableFlags_AllowDoubleClick;
          ImGui::Selectable(Cell(*pane, 0, static_cast<size_t>(row)).c_str(), false, kRow);
          if (ImGui::IsItemHovered() && ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left))
            Act(DebugViewActionKind::kRowActivated, index, row);
          ImGui::PopID();
          for (int32_t column = 1; column < columns; ++column) {
            ImGui::TableSetColumnIndex(column);
            ImGui::TextUnformatted(Cell(*pane, column, static_cast<size_t>(row)).c_str());
          }
        }
      }
      ImGui::EndTable();
    }
    const ImGuiIO& io = ImGui::GetIO();
    if (pane->copyable && ImGui::IsWindowFocused(ImGuiFocusedFlags_RootAndChildWindows) && io.KeyCtrl &&
        ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_C), false))
      CopyRows(*pane);
  }
  const ImVec2 pos = ImGui::GetWindowPos();
  const ImVec2 size = ImGui::GetWindowSize();
  ImGui::End();
  place[0] = static_cast<int32_t>(pos.x);
  place[1] = static_cast<int32_t>(pos.y);
  place[2] = static_cast<int32_t>(pos.x + size.x);
  place[3] = static_cast<int32_t>(pos.y + size.y);
  g_view->panes[index] = DebugViewRect{pos.x, pos.y, pos.x + size.x, pos.y + size.y};
  if (!open) Act(DebugViewActionKind::kPaneClosed, index, 0);
}

void Destroy(View* view) {
  {
    // The backends let their objects go inside the view's own contexts.
    Within within;
    if (view->glBackend) ImGui_ImplOpenGL3_Shutdown();
    if (view->sdlBackend) ImGui_ImplSDL2_Shutdown();
  }
  if (view->imgui != nullptr) {
    ImGuiContext* current = ImGui::GetCurrentContext();
    ImGui::DestroyContext(view->imgui);
    ImGui::SetCurrentContext(current == view->imgui ? nullptr : current);
  }
  if (view->gl != nullptr) {
    SDL_Window* glWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext gl = SDL_GL_GetCurrentContext();
    SDL_GL_DeleteContext(view->gl);
    if (gl != view->gl) SDL_GL_MakeCurrent(glWindow, gl);
  }
  if (view->window != nullptr) SDL_DestroyWindow(view->window);
  delete view;
}

}  // namespace

bool DebugView_Open(int width, int height) {
  DebugView_Close();
  if (!DeviceWindow_StartVideo() || !ImguiSupport_DesktopSeen()) return false;
  auto* view = new View;
  g_view = view;
  ImGuiContext* outerImgui = ImGui::GetCurrentContext();
  SDL_Window* outerWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext outerGl = SDL_GL_GetCurrentContext();
  view->window = SDL_CreateWindow("Debugger", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (view->window != nullptr) {
    view->windowId = SDL_GetWindowID(view->window);
    view->gl = SDL_GL_CreateContext(view->window);
  }
  if (view->gl != nullptr && SDL_GL_MakeCurrent(view->window, view->gl) == 0) {
    // The game's frames must never wait for this window's swap.
    SDL_GL_SetSwapInterval(0);
    view->imgui = ImGui::CreateContext();
    ImGui::SetCurrentContext(view->imgui);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    ImguiSupport_LoadFont(io);
    view->sdlBackend = ImGui_ImplSDL2_InitForOpenGL(view->window, view->gl);
    view->glBackend = view->sdlBackend && ImGui_ImplOpenGL3_Init("#version 130");
  }
  ImGui::SetCurrentContext(outerImgui);
  SDL_GL_MakeCurrent(outerWindow, outerGl);
  if (!view->glBackend) {
    DebugView_Close();
    return false;
  }
  Native_AddEventFilter(TakeEvent);
  return true;
}

bool DebugView_IsOpen() { return g_view != nullptr; }

bool DebugView_CloseAsked() { return g_view != nullptr && g_view->closeAsked; }

SDL_Window* DebugView_Window() { return g_view == nullptr ? nullptr : g_view->window; }

void DebugView_Close() {
  if (g_view == nullptr) return;
  Native_RemoveEventFilter(TakeEvent);
  View* view = g_view;
  Destroy(view);
  g_view = nullptr;
}

std::vector<DebugViewAction> DebugView_Draw(DebugViewContent* content) {
  if (g_view == nullptr) return {};
  View& view = *g_view;
  view.actions.clear();
  view.buttons.clear();
  view.panes.clear();
  {
    Within within;
    ImguiSupport_FeedFrame(&view.waiting, [](const SDL_Event& event) {
      Track(event);
      ImGui_ImplSDL2_ProcessEvent(&event);
    });
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = view.mouse;
    for (int i = 0; i < 3; ++i) {
      io.MouseDown[i] = view.pressed[i] || view.held[i];
      view.pressed[i] = false;
    }
    ImGui::NewFrame();
    DrawForm(*content);
    for (size_t i = 0; i < content->panes.size(); ++i)
      if (content->panes[i].visible) DrawPane(&content->panes[i], static_cast<int32_t>(i));
    ImGui::Render();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(view.window, &width, &height);
    glViewport(0, 0, width, height);
    glClearColor(0.12f, 0.13f, 0.15f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(view.window);
  }
  return view.actions;
}

bool DebugView_ButtonRect(int32_t command, DebugViewRect* rect) {
  if (g_view == nullptr) return false;
  auto found = g_view->buttons.find(command);
  if (found == g_view->buttons.end()) return false;
  *rect = found->second;
  return true;
}

bool DebugView_PaneRect(int32_t pane, DebugViewRect* rect) {
  if (g_view == nullptr) return false;
  auto found = g_view->panes.find(pane);
  if (found == g_view->panes.end()) return false;
  *rect = found->second;
  return true;
}
