-- A million calls of the fixture library's add(double, double) through
-- LuaJIT's FFI, the loop as in BM_VMMillionExternalCalls; prints
-- milliseconds per run. Run with -joff so that LuaJIT interprets, as the
-- machine does. The library's path is the first argument.
local ffi = require("ffi")
ffi.cdef("double add(double a, double b);")
local lib = ffi.load(arg[1])
local runs, start = 0, os.clock()
repeat
  local s = 0
  for i = 0, 999999 do s = lib.add(s, 1) end
  runs = runs + 1
until os.clock() - start > 0.5
print(string.format("MillionExternalCalls %.3f", (os.clock() - start) * 1000 / runs))
