-- gen.lua COUNT DESCRIPTION.json LUAFILE: writes a game description with
-- COUNT scripts of 11 lines and COUNT objects with one event each, and a Lua
-- file with the same number of lines doing the same work, for start-up
-- timing. COUNT 0 writes the empty game the timings are measured against.
local count, description, luafile = tonumber(arg[1]), arg[2], arg[3]

local function script_text(i)
  local callee = i > 1 and ("scr_" .. (i - 1)) or "abs"
  return table.concat({
    "var a, b, c;",
    "a = argument0;",
    "b = a * 2 + " .. i .. ";",
    "if (b > 10) {",
    "  c = " .. callee .. "(b - 10);",
    "} else {",
    "  c = b;",
    "}",
    "c += string_length(string(a));",
    "global.total += c;",
    "return c;",
  }, "\n")
end

local function lua_text(i)
  local callee = i > 1 and ("scr_" .. (i - 1)) or "math.abs"
  return table.concat({
    "function scr_" .. i .. "(argument0)",
    "  local a, b, c = argument0, nil, nil",
    "  b = a * 2 + " .. i,
    "  if b > 10 then",
    "    c = " .. callee .. "(b - 10)",
    "  else",
    "    c = b",
    "  end",
    "  c = c + #tostring(a)",
    "  total = total + c",
    "return c end",
  }, "\n")
end

local function quoted(text)
  return '"' .. text:gsub('[\\"]', "\\%0"):gsub("\n", "\\n") .. '"'
end

local out = assert(io.open(description, "w"))
out:write('{\n  "name": "startup_bench",\n  "scripts": {')
for i = 1, count do
  out:write(i > 1 and ",\n    " or "\n    ", quoted("scr_" .. i), ": ", quoted(script_text(i)))
end
out:write('\n  },\n  "objects": {')
for i = 1, count do
  out:write(i > 1 and ",\n    " or "\n    ", quoted("obj_" .. i), ': {"events": {"step": ',
            quoted("x += scr_" .. i .. "(" .. i .. ")"), "}}")
end
out:write('\n  },\n  "rooms": [{"code": "game_end()"}]\n}\n')
out:close()

local lua = assert(io.open(luafile, "w"))
for i = 1, count do lua:write(lua_text(i), "\n") end
for i = 1, count do lua:write("function obj_" .. i .. "_step(self) self.x = self.x + scr_" .. i .. "(" .. i .. ") end\n") end
lua:close()
