-- The values of bench/saved_game_bench.cpp's world packed into a file and
-- unpacked again: 2000 instance records of the saved-game layout, each with
-- 8 real variables, after the 10000 globalvar flags. Prints milliseconds per
-- save and load.
local record = "<ii" .. string.rep("d", 6) .. "iidi" .. string.rep("d", 13) .. string.rep("i", 4 + 3 + 1 + 12 + 2 + 1)
    .. string.rep("d", 5) .. "i" .. "dd" .. "i" .. "dd" .. "ii" .. "i" .. "ii" .. string.rep("iidii", 8)
local path = os.tmpname()
local function save()
  local parts = {string.pack("<iiiiiidiii", 540, 0, 0, 0, 0, -1, 100.0, -1, 0, 1)}
  parts[#parts + 1] = string.pack("<iii", 700, 442, 0)
  parts[#parts + 1] = string.pack("<i", 10000) .. string.rep(string.pack("<i", 0), 10000)
  for i = 0, 1999 do
    local vars = {}
    for v = 0, 7 do
      vars[#vars + 1] = 100000 + v; vars[#vars + 1] = 0; vars[#vars + 1] = i * 0.5 + v
      vars[#vars + 1] = 0; vars[#vars + 1] = 0
    end
    parts[#parts + 1] = string.pack(record, 100001 + i, -1, 0, 1, 1, 1, 0, 1, 0xFFFFFF, -1, 0.0, 0,
        i, 0, i, 0, i, 0, 0, 0, 0, 0, 270, 0, 0,
        0, 0, 0, 0, 1, 0, 0, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 0, -1,
        0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 1, 0, 0, 0, 442, 8, table.unpack(vars))
  end
  local file = assert(io.open(path, "wb"))
  file:write(table.concat(parts))
  file:close()
end
local function load()
  local file = assert(io.open(path, "rb"))
  local data = file:read("a")
  file:close()
  local position = 45 + 12 + 4 + 40000
  local sum = 0
  for _ = 0, 1999 do
    local values = {string.unpack(record, data, position)}
    position = values[#values]
    sum = sum + values[1]
  end
  return sum
end
local runs, start = 0, os.clock()
repeat save(); load(); runs = runs + 1 until os.clock() - start > 1.0
print(string.format("SavedGameSaveAndLoad %.3f", (os.clock() - start) * 1000 / runs))
os.remove(path)
