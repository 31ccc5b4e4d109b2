// Reading a game description into the model, checking every name and value.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "mkgame/describe_resources.h"
#include "mkgame/game_model.h"
#include "mkgame/json_input.h"
#include "mkgame/key_names.h"

namespace mkgame {

namespace {

using NameIndex = std::map<std::string, int>;

struct Names {
  NameIndex sprites, backgrounds, fonts, paths, sounds, timelines, objects, scripts;
};

NameIndex IndexNames(const JsonNode& root, const char* key) {
  NameIndex index;
  if (!root.Has(key)) return index;
  int next = 0;
  root.Get(key).ForEachMember([&](const std::string& name, const JsonNode&) { index[name] = next++; });
  return index;
}

int Resolve(const JsonNode& node, const NameIndex& names, const char* kind) {
  std::string name = node.Text();
  auto it = names.find(name);
  if (it == names.end()) node.Fail(std::string("no ") + kind + " \"" + name + "\"");
  return it->second;
}

int OptResolve(const JsonNode& parent, const char* key, const NameIndex& names, const char* kind) {
  if (!parent.Has(key) || parent.Get(key).IsNull()) return -1;
  return Resolve(parent.Get(key), names, kind);
}

int ToInt(const JsonNode& node, double value) {
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) node.Fail("number out of range");
  return static_cast<int>(value);
}

constexpr int kOptionFullScreenWord = 0;
constexpr uint32_t kHeaderFullScreen = 0x1;

const std::map<std::string, int>& OptionWords() {
  static const std::map<std::string, int> words = {
      {"fullscreen", 0},          {"new_audio", 2},
      {"show_cursor", 4},         {"window_colour", 8},
      {"alt_enter", 15},          {"freeze_on_lost_focus", 22},
      {"show_load_bar", 23},      {"error_dialog", 30},
      {"errors_fatal", 32},       {"unset_variable_error", 33},
      {"create_before_code", 34},
  };
  return words;
}

void DefaultOptions(Game& game) {
  auto& o = game.options;
  o[4] = 1;
  o[5] = 100;
  o[8] = 0xFFFFFF;
  for (int w = 15; w <= 20; ++w) o[w] = 1;
  o[23] = 1;
  o[28] = 1;
  o[29] = 1;
  o[30] = 0;  // descriptions run without the blocking error dialog unless asked
}

uint32_t OptionValue(const JsonNode& node, int word) {
  if (word == 8) return node.Colour();
  if (json_object_is_type(node.Raw(), json_type_boolean)) return node.Bool() ? 1u : 0u;
  long long v = node.Int();
  if (v < INT32_MIN || v > UINT32_MAX) node.Fail("option value out of range");
  return static_cast<uint32_t>(v);
}

void ReadOptions(const JsonNode& node, Game& game) {
  DefaultOptions(game);
  if (node.IsNull()) return;
  node.ForEachMember([&](const std::string& key, const JsonNode& value) {
    int word = -1;
    auto it = OptionWords().find(key);
    if (it != OptionWords().end()) {
      word = it->second;
    } else if (key.rfind("word:", 0) == 0) {
      char* end = nullptr;
      long n = std::strtol(key.c_str() + 5, &end, 10);
      if (end != key.c_str() + 5 && *end == '\0' && n >= 0 && n <= 34) word = static_cast<int>(n);
    }
    if (word < 0) node.Fail("unknown option \"" + key + "\"");
    game.options[word] = OptionValue(value, word);
    // Full screen at the start is the header's pop-up flag, which headers
    // before format 8 do not have.
    if (word == kOptionFullScreenWord && game.options[word] != 0) {
      if (game.format < 8) value.Fail("needs \"format\": 8 or more");
      game.windowFlags |= kHeaderFullScreen;
    }
  });
}

int KeyCode(const JsonNode& node, const std::string& text) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (!text.empty() && *end == '\0') return static_cast<int>(n);
  int code = KeyNames_Find(text);
  if (code < 0) node.Fail("unknown key \"" + text + "\"");
  return code;
}

int Number(const JsonNode& node, const std::string& text) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || n < 0 || n > 100000000) node.Fail("bad event number \"" + text + "\"");
  return static_cast<int>(n);
}

Event ParseEvent(const JsonNode& node, const std::string& key, const Names& names) {
  Event e;
  e.code = node.Text();
  e.place = node.Path();
  size_t colon = key.find(':');
  std::string kind = key.substr(0, colon);
  std::string arg = colon == std::string::npos ? "" : key.substr(colon + 1);
  bool hasArg = colon != std::string::npos;
  static const std::map<std::string, int> plain = {{"create", 0}, {"destroy", 1}, {"draw", 8}};
  if (plain.count(kind) && (!hasArg || kind == "draw")) {
    e.type = plain.at(kind);
    e.number = hasArg ? Number(node, arg) : 0;
  } else if (kind == "step") {
    e.type = 3;
    if (!hasArg)
      e.number = 0;
    else if (arg == "begin")
      e.number = 1;
    else if (arg == "end")
      e.number = 2;
    else
      node.Fail("unknown event \"" + key + "\"");
  } else if (kind == "alarm" && hasArg) {
    e.type = 2;
    e.number = Number(node, arg);
  } else if (kind == "collision" && hasArg) {
    e.type = 4;
    auto it = names.objects.find(arg);
    if (it == names.objects.end()) node.Fail("no object \"" + arg + "\"");
    e.number = it->second;
  } else if ((kind == "keyboard" || kind == "keypress" || kind == "keyrelease") && hasArg) {
    e.type = kind == "keyboard" ? 5 : kind == "keypress" ? 9 : 10;
    e.number = KeyCode(node, arg);
  } else if ((kind == "mouse" || kind == "other") && hasArg) {
    e.type = kind == "mouse" ? 6 : 7;
    e.number = Number(node, arg);
  } else if (hasArg && !kind.empty() && std::strspn(kind.c_str(), "0123456789") == kind.size()) {
    e.type = Number(node, kind);
    if (e.type > 11) node.Fail("unknown event type in \"" + key + "\"");
    e.number = Number(node, arg);
  } else {
    node.Fail("unknown event \"" + key + "\"");
  }
  return e;
}

// The physics records begin with format 6; friction, awake and kinematic
// are stored from format 9 (before, the player takes their defaults).
void CheckPhysicsFormat(const JsonNode& node, int format) {
  if (format < 6) node.Fail("needs \"format\": 6 or more");
}

void CheckLateSettings(const JsonNode& node, const PhysicsShape& p, int format) {
  if (format >= 9) return;
  const PhysicsShape defaults;
  if (p.friction != defaults.friction) node.Get("friction").Fail("needs \"format\": 9 or more");
  if (p.awake != defaults.awake) node.Get("awake").Fail("needs \"format\": 9 or more");
  if (p.kinematic != defaults.kinematic) node.Get("kinematic").Fail("needs \"format\": 9 or more");
}

void ReadPhysicsShape(const JsonNode& node, PhysicsShape& p, int format) {
  CheckPhysicsFormat(node, format);
  node.OnlyKeys({"shape", "density", "restitution", "friction", "group", "linear_damping", "angular_damping", "sensor",
                 "kinematic", "awake", "points"});
  p.shape = static_cast<int>(node.OptInt("shape", p.shape));
  p.density = static_cast<float>(node.OptNumber("density", p.density));
  p.restitution = static_cast<float>(node.OptNumber("restitution", p.restitution));
  p.friction = static_cast<float>(node.OptNumber("friction", p.friction));
  p.group = static_cast<int>(node.OptInt("group", p.group));
  p.linearDamping = static_cast<float>(node.OptNumber("linear_damping", p.linearDamping));
  p.angularDamping = static_cast<float>(node.OptNumber("angular_damping", p.angularDamping));
  p.sensor = node.OptBool("sensor", p.sensor);
  p.kinematic = node.OptBool("kinematic", p.kinematic);
  p.awake = node.OptBool("awake", p.awake);
  if (node.Has("points")) {
    JsonNode points = node.Get("points");
    for (size_t i = 0; i < points.ArraySize(); ++i) {
      std::vector<double> xy = points.At(i).Numbers(2);
      p.points.emplace_back(static_cast<float>(xy[0]), static_cast<float>(xy[1]));
    }
  }
  CheckLateSettings(node, p, format);
}

Object ReadObject(const std::string& name, const JsonNode& node, const Names& names, int format) {
  node.OnlyKeys({"sprite", "mask", "parent", "visible", "solid", "persistent", "depth", "physics", "events"});
  Object o;
  o.name = name;
  o.sprite = OptResolve(node, "sprite", names.sprites, "sprite");
  o.mask = OptResolve(node, "mask", names.sprites, "sprite");
  o.parent = OptResolve(node, "parent", names.objects, "object");
  o.visible = node.OptBool("visible", true);
  o.solid = node.OptBool("solid", false);
  o.persistent = node.OptBool("persistent", false);
  o.depth = ToInt(node, static_cast<double>(node.OptInt("depth", 0)));
  if (node.Has("physics") && !node.Get("physics").IsNull()) {
    o.usesPhysics = true;
    ReadPhysicsShape(node.Get("physics"), o.physics, format);
  }
  if (node.Has("events")) {
    node.Get("events").ForEachMember(
        [&](const std::string& key, const JsonNode& code) { o.events.push_back(ParseEvent(code, key, names)); });
  }
  return o;
}

TimeLine ReadTimeLine(const std::string& name, const JsonNode& node) {
  node.OnlyKeys({"moments"});
  TimeLine t;
  t.name = name;
  std::set<int> seen;
  if (node.Has("moments")) {
    node.Get("moments").ForEachMember([&](const std::string& step, const JsonNode& code) {
      int n = Number(code, step);
      if (!seen.insert(n).second) code.Fail("two moments at step " + step);
      t.moments.push_back({n, code.Text(), code.Path()});
    });
  }
  std::sort(t.moments.begin(), t.moments.end(), [](const Moment& a, const Moment& b) { return a.step < b.step; });
  return t;
}

std::array<int, 4> Rect(const JsonNode& node) {
  std::vector<double> v = node.Numbers(4);
  return {ToInt(node, v[0]), ToInt(node, v[1]), ToInt(node, v[2]), ToInt(node, v[3])};
}

void ReadScale(const JsonNode& node, float& sx, float& sy) {
  if (!node.Has("scale")) return;
  std::vector<double> s = node.Get("scale").Numbers(2);
  sx = static_cast<float>(s[0]);
  sy = static_cast<float>(s[1]);
}

double Alpha(const JsonNode& node) {
  double a = node.OptNumber("alpha", 1.0);
  if (!(a >= 0.0 && a <= 1.0)) node.Get("alpha").Fail("alpha must lie between 0 and 1");
  return a;
}

RoomInstance ReadInstance(const JsonNode& node, const Names& names) {
  node.OnlyKeys({"object", "x", "y", "code", "scale", "angle", "colour", "alpha"});
  RoomInstance i;
  i.object = Resolve(node.Get("object"), names.objects, "object");
  i.x = ToInt(node, node.OptNumber("x", 0));
  i.y = ToInt(node, node.OptNumber("y", 0));
  i.code = node.OptText("code", "");
  ReadScale(node, i.xscale, i.yscale);
  i.angle = static_cast<float>(node.OptNumber("angle", 0));
  i.colour = node.OptColour("colour", 0xFFFFFF);
  i.alpha = Alpha(node);
  return i;
}

RoomBackground ReadRoomBackground(const JsonNode& node, const Names& names) {
  node.OnlyKeys({"background", "visible", "foreground", "x", "y", "tile_h", "tile_v", "hspeed", "vspeed", "stretch"});
  RoomBackground b;
  b.background = OptResolve(node, "background", names.backgrounds, "background");
  b.visible = node.OptBool("visible", true);
  b.foreground = node.OptBool("foreground", false);
  b.x = ToInt(node, node.OptNumber("x", 0));
  b.y = ToInt(node, node.OptNumber("y", 0));
  b.tileH = node.OptBool("tile_h", true);
  b.tileV = node.OptBool("tile_v", true);
  b.hspeed = ToInt(node, node.OptNumber("hspeed", 0));
  b.vspeed = ToInt(node, node.OptNumber("vspeed", 0));
  b.stretch = node.OptBool("stretch", false);
  return b;
}

RoomView ReadView(const JsonNode& node, const Names& names) {
  node.OnlyKeys({"visible", "view", "port", "angle", "border", "speed", "follow"});
  RoomView v;
  v.visible = node.OptBool("visible", true);
  if (node.Has("view")) v.view = Rect(node.Get("view"));
  if (node.Has("port")) v.port = Rect(node.Get("port"));
  v.angle = ToInt(node, node.OptNumber("angle", 0));
  if (node.Has("border")) {
    std::vector<double> b = node.Get("border").Numbers(2);
    v.borderH = ToInt(node, b[0]);
    v.borderV = ToInt(node, b[1]);
  }
  if (node.Has("speed")) {
    std::vector<double> s = node.Get("speed").Numbers(2);
    v.speedH = ToInt(node, s[0]);
    v.speedV = ToInt(node, s[1]);
  }
  v.follow = OptResolve(node, "follow", names.objects, "object");
  return v;
}

RoomTile ReadTile(const JsonNode& node, const Names& names) {
  node.OnlyKeys({"background", "x", "y", "source", "depth", "scale", "colour", "alpha"});
  RoomTile t;
  t.background = Resolve(node.Get("background"), names.backgrounds, "background");
  t.x = ToInt(node, node.OptNumber("x", 0));
  t.y = ToInt(node, node.OptNumber("y", 0));
  if (node.Has("source")) t.source = Rect(node.Get("source"));
  t.depth = ToInt(node, node.OptNumber("depth", 1000000));
  ReadScale(node, t.xscale, t.yscale);
  t.colour = node.OptColour("colour", 0xFFFFFF);
  t.alpha = Alpha(node);
  return t;
}

template <typename T, typename Reader>
void ReadList(const JsonNode& room, const char* key, std::vector<T>& out, Reader read) {
  if (!room.Has(key)) return;
  JsonNode list = room.Get(key);
  for (size_t i = 0; i < list.ArraySize(); ++i) out.push_back(read(list.At(i)));
}

Room ReadRoom(const JsonNode& node, size_t index, const Names& names, Game& game) {
  node.OnlyKeys({"name", "caption", "width", "height", "speed", "persistent", "colour", "show_colour", "code",
                 "views_enabled", "instances", "backgrounds", "views", "tiles", "physics"});
  Room r;
  r.name = node.OptText("name", "room" + std::to_string(index));
  r.caption = node.OptText("caption", "");
  r.width = ToInt(node, node.OptNumber("width", 640));
  r.height = ToInt(node, node.OptNumber("height", 480));
  r.speed = ToInt(node, node.OptNumber("speed", 30));
  r.persistent = node.OptBool("persistent", false);
  r.colour = node.OptColour("colour", 0);
  r.showColour = node.OptBool("show_colour", true);
  r.code = node.OptText("code", "");
  r.viewsEnabled = node.OptBool("views_enabled", false);
  ReadList(node, "instances", r.instances, [&](const JsonNode& n) {
    RoomInstance i = ReadInstance(n, names);
    i.id = ++game.lastInstanceId;
    return i;
  });
  ReadList(node, "backgrounds", r.backgrounds, [&](const JsonNode& n) { return ReadRoomBackground(n, names); });
  ReadList(node, "views", r.views, [&](const JsonNode& n) { return ReadView(n, names); });
  ReadList(node, "tiles", r.tiles, [&](const JsonNode& n) {
    RoomTile t = ReadTile(n, names);
    t.id = ++game.lastTileId;
    return t;
  });
  if (r.backgrounds.size() > 8) node.Get("backgrounds").Fail("at most 8 backgrounds");
  if (r.views.size() > 8) node.Get("views").Fail("at most 8 views");
  // A view record of the game file has no angle: a line after the room's
  // creation code sets it.
  for (size_t v = 0; v < r.views.size(); ++v) {
    if (r.views[v].angle == 0) continue;
    if (!r.code.empty()) r.code += "\n";
    r.code += "view_angle[" + std::to_string(v) + "] = " + std::to_string(r.views[v].angle) + ";";
  }
  if (node.Has("physics") && !node.Get("physics").IsNull()) {
    JsonNode p = node.Get("physics");
    p.OnlyKeys({"gravity", "pixels_per_metre"});
    CheckPhysicsFormat(p, game.format);
    r.physics = true;
    if (p.Has("gravity")) {
      std::vector<double> g = p.Get("gravity").Numbers(2);
      r.gravityX = static_cast<float>(g[0]);
      r.gravityY = static_cast<float>(g[1]);
    }
    double ppm = p.OptNumber("pixels_per_metre", 10.0);
    if (!(ppm > 0)) p.Get("pixels_per_metre").Fail("must be above 0");
    r.metresPerPixel = static_cast<float>(1.0 / ppm);
  }
  return r;
}

std::string Folder(const std::string& fileName) {
  size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

Game Describe_Read(const std::string& fileName) {
  json_object* raw = Json_ParseFile(fileName);
  struct Release {
    json_object* value;
    ~Release() { json_object_put(value); }
  } release{raw};
  JsonNode root(raw, "");
  root.OnlyKeys({"name", "format", "window", "bytecode", "options", "constants", "scripts", "sprites", "backgrounds",
                 "fonts", "paths", "sounds", "timelines", "objects", "rooms", "extensions", "files", "config"});

  Game game;
  game.name = root.OptText("name", "game");
  game.config = root.OptText("config", "Default");
  game.format = ToInt(root, static_cast<double>(root.OptInt("format", 8)));
  if (game.format < 1 || game.format > 255) root.Get("format").Fail("format must lie between 1 and 255");
  if (root.Has("window")) {
    JsonNode w = root.Get("window");
    if (game.format < 8) w.Fail("needs \"format\": 8 or more (before, the window takes the first room's size)");
    w.OnlyKeys({"width", "height"});
    game.windowWidth = ToInt(w, w.OptNumber("width", 640));
    game.windowHeight = ToInt(w, w.OptNumber("height", 480));
  }
  game.bytecode = root.OptBool("bytecode", false);
  ReadOptions(root.Get("options"), game);

  Names names;
  names.sprites = IndexNames(root, "sprites");
  names.backgrounds = IndexNames(root, "backgrounds");
  names.timelines = IndexNames(root, "timelines");
  names.objects = IndexNames(root, "objects");
  names.scripts = IndexNames(root, "scripts");

  DescribeResources_Read(root, Folder(fileName), game);
  if (root.Has("constants")) {
    root.Get("constants").ForEachMember([&](const std::string& name, const JsonNode& value) {
      game.constants.emplace_back(name, value.Text());
    });
  }
  if (root.Has("scripts")) {
    root.Get("scripts").ForEachMember(
        [&](const std::string& name, const JsonNode& code) { game.scripts.emplace_back(name, code.Text()); });
  }
  if (root.Has("timelines")) {
    root.Get("timelines").ForEachMember([&](const std::string& name, const JsonNode& node) {
      game.timelines.push_back(ReadTimeLine(name, node));
    });
  }
  if (root.Has("objects")) {
    root.Get("objects").ForEachMember([&](const std::string& name, const JsonNode& node) {
      game.objects.push_back(ReadObject(name, node, names, game.format));
    });
  }
  if (root.Has("rooms")) {
    JsonNode rooms = root.Get("rooms");
    for (size_t i = 0; i < rooms.ArraySize(); ++i) game.rooms.push_back(ReadRoom(rooms.At(i), i, names, game));
  }
  if (game.rooms.empty()) {
    Room room;
    room.name = "room0";
    game.rooms.push_back(room);
  }
  return game;
}

}  // namespace mkgame
