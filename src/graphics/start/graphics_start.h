// Starting, resetting and stopping the graphics layer, and the frames the
// game loop opens and closes around each step.
#pragma once
#include <cstdint>

struct DeviceWindow;

// Starts the device for the window (flags as Graphics::CreateDevice takes
// them) at whatever colour depth the display has (the start-up asks about
// an unusual one first); the device creation's result.
bool GR_D3D_Init(DeviceWindow* window, int32_t width, int32_t height, uint32_t flags);
// Resets the device after surfaces are freed; false when the reset fails.
bool GR_Display_Reset();
bool GR_D3D_Start_Frame();
bool GR_D3D_Finish_Frame(bool present);
void GR_D3D_Shutdown();

// The back buffer's pixels (0xAARRGGBB, top row first) in a MemoryManager
// block; null without a device. Read between frames it holds the last frame.
uint32_t* GR_Read_Back_Buffer(int32_t* width, int32_t* height);
