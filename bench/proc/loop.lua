-- The procedure of LOOP.PRX in Lua: numbers held as integers scaled by 100 (two decimals),
-- products rounded half away from zero as the engine's fixed point does.
local n, t, l, c = 0, 0, "", 0
while n < 1000000 * 100 do
  n = n + 100
  t = t + (n * 107 + 50) // 100
  l = l .. "ab"
  c = c + 1
  if c >= 100 then
    l = ""
    c = 0
  end
end
print(t // 100)
