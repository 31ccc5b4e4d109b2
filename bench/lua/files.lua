-- The same work as bench/files_bench.cpp: 100,000 lines written with io and
-- read back line by line; prints milliseconds per run.
local path = os.tmpname()
local line = "the quick brown fox jumps over the lazy dog"
local function run()
  local f = assert(io.open(path, "w"))
  for _ = 1, 100000 do f:write(line); f:write("\r\n") end
  f:close()
  local n = 0
  for _ in io.lines(path, "L") do n = n + 1 end
  assert(n == 100000)
end
local runs, start = 0, os.clock()
repeat run(); runs = runs + 1 until os.clock() - start > 1
print(string.format("FileTextLines %.3f", (os.clock() - start) * 1000 / runs))
os.remove(path)
