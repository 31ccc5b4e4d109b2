-- The same loops as bench/vm_bench.cpp; prints milliseconds per run of each.
local function time(name, f)
  local runs, start = 0, os.clock()
  repeat f(); runs = runs + 1 until os.clock() - start > 0.5
  print(string.format("%s %.3f", name, (os.clock() - start) * 1000 / runs))
end
local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end
time("RecursiveFib", function() local r = fib(20) end)
local function script_add(a, b) return a + b end
time("ScriptCalls", function()
  local s = 0
  for i = 0, 99999 do s = script_add(s, i) end
end)
time("ArithmeticLoop", function()
  local s = 0
  for i = 0, 99999 do s = s + (i * 3 + 7) % 11 - i // 5 end
end)
time("StringBuilding", function()
  local t = ""
  for i = 0, 99999 do t = t .. "x"; if i % 100 == 0 then t = "" end end
end)
arr = {}
time("ArrayFillSum", function()
  for i = 0, 99999 do arr[i % 30000] = i end
  local s = 0
  for i = 0, 99999 do s = s + arr[i % 30000] end
end)
time("LocalArrayFillSum", function()
  local s, a = 0, {}
  for r = 1, 300 do
    for i = 0, 29999 do a[i] = i + r end
    for i = 0, 29999 do s = s + a[i] end
  end
end)
time("MapAddFind", function()
  local m = {}
  for i = 0, 199999 do m["k" .. i] = i end
  local s = 0
  for i = 0, 199999 do s = s + m["k" .. i] end
end)
time("LongLoop", function()
  local s = 0
  for i = 0, 9999999 do s = s + i % 7 end
end)
local function bench_add(a, b) return a + b end
time("BuiltinCalls", function()
  local s = 0
  for i = 0, 99999 do s = bench_add(s, i) end
end)
