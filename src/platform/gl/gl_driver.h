// What the GL driver is told before it is loaded.
#pragma once

// Called before anything loads the GL driver; later calls do nothing.
void GlDriver_BeforeLoad();
