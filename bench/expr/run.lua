-- Runs a file of Lua chunks, one per line: each line is compiled with load and run, and its
-- result printed, as orvale-eval does with expression texts.
-- R rounds half away from zero to d decimals (2 by default), the engine's fixed point.
function R(x, d)
  local m = 10 ^ (d or 2)
  if x >= 0 then return math.floor(x * m + 0.5) / m end
  return -math.floor(-x * m + 0.5) / m
end
I = 0
SALES = {}
for k = 0, 64 do SALES[k] = 0 end
local write = io.write
for line in io.lines(arg[1]) do
  local chunk = assert(load(line))
  write(tostring((chunk())), "\n")
end
