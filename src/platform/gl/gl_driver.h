// What the GL driver needs of the player: where a frame waits for its
// threads.
#pragma once

// With a context current: whether the driver rasterises on threads of its
// own whose fences the drawing thread may free too early (see the .cpp), so
// that the device waits for them wherever a frame changes its target.
bool GlDriver_WaitsForItsThreads();
