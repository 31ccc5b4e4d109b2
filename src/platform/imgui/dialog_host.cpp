#include "platform/dialog_host.h"

#include <GL/gl.h>
#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/debug_view.h"
#include "platform/device_window.h"
#include "platform/imgui/imgui_support.h"
#include "platform/native_messages.h"
#include "platform/window_picture.h"

namespace {

constexpr Uint32 kWaitMilliseconds = 16;
// Events other than input held while a dialog runs; more are dropped.
constexpr size_t kMostHeldEvents = 1024;
// Frames drawn before the first input is taken: by then the field that
// takes the keyboard has it, so nothing typed at once is lost.
constexpr int kSettleFrames = 3;

// Over the game, a window smaller than this draws a dialog that does not
// fit in it in a smaller font, down to half size.
constexpr float kFullFontWidth = 320.0f, kFullFontHeight = 200.0f;
constexpr float kSmallestFontScale = 0.5f;
constexpr float kSmallPadding = 2.0f;
int g_panelStyleVars = 0;  // pushed by the panel being drawn

struct Session;
Session* g_session = nullptr;
DialogQuitCheck g_quitCheck = nullptr;

bool Visible() { return ImguiSupport_DesktopSeen(); }
bool IsInputEvent(Uint32 type) { return ImguiSupport_IsInputEvent(type); }
Uint32 EventWindow(const SDL_Event& event) { return ImguiSupport_EventWindow(event); }

// Everything one run sets up on its window, and puts back as it was.
struct Session {
  SDL_Window* window = nullptr;
  bool ownWindow = false;
  SDL_GLContext gl = nullptr;
  ImGuiContext* imgui = nullptr;
  bool sdlBackend = false;
  bool glBackend = false;
  // What was there before.
  Session* outer = nullptr;
  ImGuiContext* outerImgui = nullptr;
  SDL_Window* outerGlWindow = nullptr;
  SDL_GLContext outerGl = nullptr;
  SDL_Cursor* cursor = nullptr;
  int cursorShown = SDL_ENABLE;
  bool textInput = false;
  bool closeKeepsOpen = false;
  // A close of the window was dropped: the quit SDL sends with the close of
  // its last window goes too.
  bool closeDropped = false;
  // Events taken from the desktop and not yet handed to the dialog.
  std::deque<SDL_Event> waiting;
  int frames = 0;
  ImguiGlyphs glyphs;
  // The first frame that takes input: a few after the start, so the field
  // that takes the keyboard has it, and again once a Tab has moved it.
  int inputFrom = kSettleFrames;

  // Hands `take` what the frame about to be drawn takes of the waiting
  // events, if anything.
  void Feed(const std::function<void(const SDL_Event&)>& take) {
    if (frames < inputFrom) return;
    if (ImguiSupport_FeedFrame(&waiting, take)) inputFrom = frames + kFocusMoveFrames;
  }

  bool Start(SDL_Window* target, bool own) {
    window = target;
    ownWindow = own;
    outer = g_session;
    outerImgui = ImGui::GetCurrentContext();
    outerGlWindow = SDL_GL_GetCurrentWindow();
    outerGl = SDL_GL_GetCurrentContext();
    cursor = SDL_GetCursor();
    cursorShown = SDL_ShowCursor(SDL_QUERY);
    textInput = SDL_IsTextInputActive() == SDL_TRUE;
    g_session = this;
    gl = SDL_GL_CreateContext(window);
    if (gl == nullptr || SDL_GL_MakeCurrent(window, gl) != 0) return false;
    IMGUI_CHECKVERSION();
    imgui = ImGui::CreateContext();
    ImGui::SetCurrentContext(imgui);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    glyphs.Load(io);
    sdlBackend = ImGui_ImplSDL2_InitForOpenGL(window, gl);
    glBackend = sdlBackend && ImGui_ImplOpenGL3_Init("#version 130");
    if (!textInput) SDL_StartTextInput();
    return glBackend;
  }

  ~Session() {
    if (glBackend) ImGui_ImplOpenGL3_Shutdown();
    if (sdlBackend) ImGui_ImplSDL2_Shutdown();
    if (imgui != nullptr) ImGui::DestroyContext(imgui);
    ImGui::SetCurrentContext(outerImgui);
    if (gl != nullptr) SDL_GL_DeleteContext(gl);
    SDL_GL_MakeCurrent(outerGlWindow, outerGl);
    if (!textInput) SDL_StopTextInput();
    if (cursor != nullptr) SDL_SetCursor(cursor);
    SDL_ShowCursor(cursorShown);
    if (ownWindow && window != nullptr) SDL_DestroyWindow(window);
    g_session = outer;
  }

  // After the GL backend's new frame, before ImGui's: the font again, with
  // the characters the last frame's texts wanted.
  void RefreshFont() {
    if (!glyphs.Grown()) return;
    glyphs.Load(ImGui::GetIO());
    ImGui_ImplOpenGL3_DestroyFontsTexture();
    ImGui_ImplOpenGL3_CreateFontsTexture();
  }

  // Hands the dialog the events that came since the last frame; false when
  // its window was closed or a quit came.
  bool Pump(std::vector<SDL_Event>* held) {
    if (frames < kSettleFrames) return true;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) waiting.push_back(event);
    bool open = true;
    Feed([&](const SDL_Event& next) { open = Handle(next, held) && open; });
    return open;
  }

  // What is left when the dialog ends: input is dropped, the rest kept.
  void Leave(std::vector<SDL_Event>* held) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) waiting.push_back(event);
    for (const SDL_Event& left : waiting) {
      if (!IsInputEvent(left.type)) Keep(left, held);
    }
    waiting.clear();
  }

  void Keep(const SDL_Event& event, std::vector<SDL_Event>* held) const {
    // The dialog's own window is gone afterwards: nothing of it is kept.
    const bool mine = ownWindow && EventWindow(event) == SDL_GetWindowID(window);
    if (!mine && held->size() < kMostHeldEvents) held->push_back(event);
  }

  // Feeds the dialog one event; false when it closes the dialog. Events the
  // dialog has no use for are kept for the game.
  bool Handle(const SDL_Event& event, std::vector<SDL_Event>* held) {
    const Uint32 id = SDL_GetWindowID(window);
    const Uint32 target = EventWindow(event);
    bool open = true;
    const bool close = event.type == SDL_WINDOWEVENT && target == id && event.window.event == SDL_WINDOWEVENT_CLOSE;
    if (closeKeepsOpen && close) {
      closeDropped = true;
      return true;
    }
    if (closeKeepsOpen && closeDropped && event.type == SDL_QUIT) {
      closeDropped = false;
      return true;
    }
    if (event.type == SDL_QUIT || close) open = false;
    if (IsInputEvent(event.type)) {
      if (target == id) ImGui_ImplSDL2_ProcessEvent(&event);
      return open;
    }
    if (event.type == SDL_WINDOWEVENT && target == id) ImGui_ImplSDL2_ProcessEvent(&event);
    Keep(event, held);
    return open;
  }

  // The SDL backend takes the pointer as the desktop last read it less the
  // window's place as SDL last heard it: a pointer placed rather than moved,
  // or a window another program moved with no window manager to say so,
  // puts the dialog's pointer somewhere else. Where the backend placed the
  // pointer at all, the X server's own answer replaces it.
  void PointerFromServer() const {
    ImGuiIO& io = ImGui::GetIO();
    int32_t x = 0, y = 0;
    if (io.MousePos.x == -FLT_MAX || !DeviceWindow_PointerInWindow(window, &x, &y)) return;
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
  }

  // Over the game's window the game's last picture is under the dialog
  // (and a dialog shown beside the game over that); in a window of its own
  // a plain ground.
  void Present() {
    ImGui::Render();
    // The debugger's window holds no game picture: a plain ground there.
    const bool overPicture = !ownWindow && window != DebugView_Window() && WindowPicture_DrawLast();
    if (overPicture) WindowPicture_DrawOverlay();
    SDL_GL_MakeCurrent(window, gl);
    ImGui::SetCurrentContext(imgui);
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
    if (!overPicture) {
      glClearColor(0.12f, 0.13f, 0.15f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
    }
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(window);
    ++frames;
  }
};

bool Shown(SDL_Window* window) {
  const Uint32 flags = SDL_GetWindowFlags(window);
  return (flags & SDL_WINDOW_SHOWN) != 0 && (flags & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0 &&
         (flags & SDL_WINDOW_OPENGL) != 0;
}

}  // namespace

DialogHostResult DialogHost_Run(SDL_Window* window, const DialogOwnWindow& own, const DialogFrame& frame) {
  if (!DeviceWindow_StartVideo() || !Visible()) return DialogHostResult::kUnavailable;
  const bool ownWindow = window == nullptr || !Shown(window);
  if (ownWindow) {
    window = SDL_CreateWindow(own.title == nullptr ? "" : own.title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              own.width, own.height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr) return DialogHostResult::kUnavailable;
    SDL_RaiseWindow(window);
  }
  std::vector<SDL_Event> held;
  DialogHostResult result = DialogHostResult::kUnavailable;
  {
    Session session;
    // A failed start is undone, its own window included, as the session ends.
    session.closeKeepsOpen = own.closeKeepsOpen;
    if (!session.Start(window, ownWindow)) return DialogHostResult::kUnavailable;
    while (true) {
      if (!session.Pump(&held) || (g_quitCheck != nullptr && g_quitCheck())) {
        result = DialogHostResult::kClosed;
        break;
      }
      ImGui_ImplOpenGL3_NewFrame();
      session.RefreshFont();
      ImGui_ImplSDL2_NewFrame();
      session.PointerFromServer();
      ImGui::NewFrame();
      const bool going = frame();
      ImGui::EndFrame();
      if (!going) {
        result = DialogHostResult::kFinished;
        break;
      }
      session.Present();
      if (session.waiting.empty()) SDL_WaitEventTimeout(nullptr, static_cast<int>(kWaitMilliseconds));
    }
    session.Leave(&held);
  }
  for (SDL_Event& event : held) SDL_PushEvent(&event);
  return result;
}

void DialogHost_SetQuitCheck(DialogQuitCheck check) { g_quitCheck = check; }

bool DialogHost_InOwnWindow() { return g_session != nullptr && g_session->ownWindow; }

bool DialogHost_BeginPanel(const char* title, float width, float height) {
  const ImGuiViewport* viewport = ImGui::GetMainViewport();
  constexpr ImGuiWindowFlags kFixed = ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                      ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings;
  g_panelStyleVars = 0;
  if (DialogHost_InOwnWindow()) {
    ImGui::SetNextWindowPos(viewport->WorkPos);
    ImGui::SetNextWindowSize(viewport->WorkSize);
    ImGui::Begin(title, nullptr, kFixed | ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoBringToFrontOnFocus);
    return false;
  }
  const ImVec2 room = viewport->WorkSize;
  if (width <= room.x && height <= room.y) {
    ImGui::SetNextWindowPos(ImVec2(viewport->WorkPos.x + room.x * 0.5f, viewport->WorkPos.y + room.y * 0.5f),
                            ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSize(ImVec2(width, height));
    ImGui::Begin(title, nullptr, kFixed);
    return false;
  }
  const float scale = std::clamp(std::min(room.x / kFullFontWidth, room.y / kFullFontHeight), kSmallestFontScale, 1.0f);
  const ImGuiStyle& style = ImGui::GetStyle();
  const ImVec2 frame(style.FramePadding.x * scale, style.FramePadding.y * scale);
  const ImVec2 spacing(style.ItemSpacing.x * scale, style.ItemSpacing.y * scale);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(kSmallPadding, kSmallPadding));
  ImGui::SetNextWindowPos(viewport->WorkPos);
  ImGui::SetNextWindowSize(room);
  ImGui::Begin(title, nullptr, kFixed | ImGuiWindowFlags_NoTitleBar);
  // The panel has its padding now; what ImGui pushes inside a window is
  // popped inside it.
  ImGui::PopStyleVar();
  ImGui::SetWindowFontScale(scale);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, frame);
  ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, spacing);
  g_panelStyleVars = 2;
  return true;
}

void DialogHost_EndPanel() {
  ImGui::PopStyleVar(g_panelStyleVars);
  g_panelStyleVars = 0;
  ImGui::End();
}

void DialogHost_ShowsText(const std::string& text) {
  if (g_session != nullptr) g_session->glyphs.Want(text);
}

namespace {

struct ButtonPlace {
  float width = 0.0f;
  bool newRow = false;
};

// The buttons at `width` each when all fit on one row, else each as wide
// as its label (never wider than the panel), on as many rows as they need.
std::vector<ButtonPlace> PlaceButtons(const std::vector<const char*>& labels, float width) {
  const ImGuiStyle& style = ImGui::GetStyle();
  const float room = ImGui::GetContentRegionAvail().x;
  // As much smaller as the panel's font is.
  const float wanted = width * ImGui::GetFontSize() / ImGui::GetFont()->FontSize;
  std::vector<ButtonPlace> places(labels.size());
  float oneRow = 0.0f;
  for (size_t i = 0; i < labels.size(); ++i) {
    places[i].width = ImGui::CalcTextSize(labels[i]).x + 2 * style.FramePadding.x;
    oneRow += std::max(places[i].width, wanted) + (i > 0 ? style.ItemSpacing.x : 0.0f);
  }
  float x = 0.0f;
  for (size_t i = 0; i < places.size(); ++i) {
    ButtonPlace& place = places[i];
    place.width = oneRow <= room ? std::max(place.width, wanted) : std::min(place.width, room);
    place.newRow = i > 0 && x + style.ItemSpacing.x + place.width > room;
    x = place.newRow || i == 0 ? place.width : x + style.ItemSpacing.x + place.width;
  }
  return places;
}

}  // namespace

float DialogHost_ButtonsHeight(const std::vector<const char*>& labels, float width) {
  int rows = 0;
  for (const ButtonPlace& place : PlaceButtons(labels, width)) rows += place.newRow || rows == 0 ? 1 : 0;
  return rows * ImGui::GetFrameHeight() + std::max(rows - 1, 0) * ImGui::GetStyle().ItemSpacing.y;
}

int DialogHost_Buttons(const std::vector<const char*>& labels, float width, int focused) {
  const std::vector<ButtonPlace> places = PlaceButtons(labels, width);
  int clicked = -1;
  for (size_t i = 0; i < places.size(); ++i) {
    if (i > 0 && !places[i].newRow) ImGui::SameLine();
    const bool ringed = focused == static_cast<int>(i);
    if (ringed) {
      ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 2.0f);
      ImGui::PushStyleColor(ImGuiCol_Border, ImVec4(1.0f, 1.0f, 1.0f, 1.0f));
    }
    if (ImGui::Button(labels[i], ImVec2(places[i].width, 0.0f))) clicked = static_cast<int>(i);
    if (ringed) {
      ImGui::PopStyleColor();
      ImGui::PopStyleVar();
    }
  }
  return clicked;
}

bool DialogHost_ReturnPressed() {
  return ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter), false) ||
         ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_KeyPadEnter), false);
}

bool DialogHost_EscapePressed() { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape), false); }

// ---- the dialog shown beside the running game

namespace {

struct Modeless {
  Session session;
  DialogFrame frame;
  bool done = false;
  bool drawn = false;  // since the last frame's end
  bool wantsMouse = false;
};
Modeless* g_modeless = nullptr;

// Makes the dialog's contexts current for a while, and puts back what was.
class Within {
 public:
  explicit Within(bool withGl) : imgui_(ImGui::GetCurrentContext()), session_(g_session) {
    if (withGl) {
      glWindow_ = SDL_GL_GetCurrentWindow();
      gl_ = SDL_GL_GetCurrentContext();
      SDL_GL_MakeCurrent(g_modeless->session.window, g_modeless->session.gl);
      restoreGl_ = true;
    }
    ImGui::SetCurrentContext(g_modeless->session.imgui);
    g_session = &g_modeless->session;
  }
  ~Within() {
    g_session = session_;
    ImGui::SetCurrentContext(imgui_);
    if (restoreGl_) SDL_GL_MakeCurrent(glWindow_, gl_);
  }
  Within(const Within&) = delete;
  Within& operator=(const Within&) = delete;

 private:
  ImGuiContext* imgui_;
  Session* session_;
  SDL_Window* glWindow_ = nullptr;
  SDL_GLContext gl_ = nullptr;
  bool restoreGl_ = false;
};

// The game's window's keys and text go to the dialog alone; its mouse
// reaches the dialog, and the game too unless the pointer is over the
// dialog. Other events are the game's. The dialog takes what it got at its
// next frame.
bool TakeEvent(const SDL_Event& event) {
  if (g_modeless == nullptr || g_modeless->done || !IsInputEvent(event.type)) return false;
  const Uint32 target = EventWindow(event);
  if (target != 0 && target != SDL_GetWindowID(g_modeless->session.window)) return false;
  g_modeless->session.waiting.push_back(event);
  const bool mouse = event.type == SDL_MOUSEMOTION || event.type == SDL_MOUSEBUTTONDOWN ||
                     event.type == SDL_MOUSEBUTTONUP || event.type == SDL_MOUSEWHEEL;
  return !mouse || g_modeless->wantsMouse;
}

void DrawOver() {
  if (g_modeless == nullptr || g_modeless->done) return;
  Within within(true);
  Session& session = g_modeless->session;
  session.Feed([](const SDL_Event& next) { ImGui_ImplSDL2_ProcessEvent(&next); });
  ImGui_ImplOpenGL3_NewFrame();
  session.RefreshFont();
  ImGui_ImplSDL2_NewFrame();
  session.PointerFromServer();
  ImGui::NewFrame();
  g_modeless->done = !g_modeless->frame();
  ImGui::Render();
  g_modeless->wantsMouse = ImGui::GetIO().WantCaptureMouse;
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(session.window, &width, &height);
  glViewport(0, 0, width, height);
  ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
  ++session.frames;
  g_modeless->drawn = true;
}

void CloseModeless() {
  if (g_modeless == nullptr) return;
  WindowPicture_SetOverlay(nullptr);
  Native_RemoveEventFilter(TakeEvent);
  Modeless* closing = g_modeless;
  g_modeless = nullptr;
  // The backends let their objects go inside the dialog's own contexts;
  // then what is current now is current again.
  Session& session = closing->session;
  session.outerImgui = ImGui::GetCurrentContext();
  session.outerGlWindow = SDL_GL_GetCurrentWindow();
  session.outerGl = SDL_GL_GetCurrentContext();
  session.outer = g_session;
  if (session.imgui != nullptr) ImGui::SetCurrentContext(session.imgui);
  if (session.gl != nullptr) SDL_GL_MakeCurrent(session.window, session.gl);
  delete closing;
}

}  // namespace

bool DialogHost_Open(SDL_Window* window, const DialogFrame& frame) {
  DialogHost_Close();
  if (window == nullptr || !DeviceWindow_StartVideo() || !Visible() || !Shown(window)) return false;
  auto* modeless = new Modeless;
  modeless->frame = frame;
  g_modeless = modeless;
  const bool started = modeless->session.Start(window, false);
  // The game goes on drawing with its own contexts.
  g_session = modeless->session.outer;
  ImGui::SetCurrentContext(modeless->session.outerImgui);
  SDL_GL_MakeCurrent(modeless->session.outerGlWindow, modeless->session.outerGl);
  if (!started) {
    CloseModeless();
    return false;
  }
  WindowPicture_SetOverlay(DrawOver);
  Native_AddEventFilter(TakeEvent);
  return true;
}

bool DialogHost_IsOpen() { return g_modeless != nullptr && !g_modeless->done; }

void DialogHost_Close() { CloseModeless(); }

void DialogHost_FrameEnd() {
  if (g_modeless == nullptr) return;
  if (!g_modeless->done && !g_modeless->drawn && WindowPicture_DrawLast()) {
    // The game showed nothing this frame: its last picture, with the dialog.
    SDL_Window* glWindow = SDL_GL_GetCurrentWindow();
    DrawOver();
    SDL_GL_SwapWindow(glWindow);
  }
  if (g_modeless->done) {
    CloseModeless();
    return;
  }
  g_modeless->drawn = false;
}
