-- The same work as the player's side of compare_particles.sh: one emitter
-- streaming 100 particles a step of a 16 x 16 disk, life 100 steps, speed
-- 1-2 pixels a step, gravity 0.05, two colours, alpha 1 to 0; steps of a
-- sixtieth of a second. Prints milliseconds per frame over frames 200-500.
local step = 1 / 60
local system, frame, started

function love.load()
  local canvas = love.graphics.newCanvas(16, 16)
  love.graphics.setCanvas(canvas)
  love.graphics.clear(0, 0, 0, 0)
  love.graphics.setColor(1, 1, 1, 1)
  love.graphics.circle("fill", 8, 8, 8)
  love.graphics.setCanvas()
  system = love.graphics.newParticleSystem(canvas, 10000)
  system:setEmissionRate(100 / step)
  system:setParticleLifetime(100 * step)
  system:setSpeed(1 / step, 2 / step)
  system:setSpread(2 * math.pi)
  system:setLinearAcceleration(0, 0.05 / step / step, 0, 0.05 / step / step)
  system:setEmissionArea("uniform", 20, 20)
  system:setColors(1, 0.5, 0.125, 1, 0.0625, 0.25, 1, 0)
  system:setPosition(320, 220)
  frame = 0
end

function love.update()
  system:update(step)
end

function love.draw()
  love.graphics.draw(system)
  frame = frame + 1
  if frame == 200 then started = love.timer.getTime() end
  if frame == 500 then
    print(string.format("love %.3f ms/frame live %d", (love.timer.getTime() - started) * 1000 / 300, system:getCount()))
    love.event.quit()
  end
end
