// The device vocabulary the graphics code speaks: result codes, formats,
// render states and their values, numbered as the graphics code has always
// numbered them, so that cached state values and traces keep their meaning
// whichever device implementation sits underneath.
#pragma once
#include <cstdint>

// Results.
constexpr int32_t D3D_OK = 0;
constexpr int32_t D3DERR_NOTAVAILABLE = static_cast<int32_t>(0x8876086Au);
constexpr int32_t D3DERR_INVALIDCALL = static_cast<int32_t>(0x8876086Cu);
constexpr int32_t D3DERR_OUTOFVIDEOMEMORY = static_cast<int32_t>(0x8876017Cu);
constexpr int32_t D3DERR_DEVICELOST = static_cast<int32_t>(0x88760868u);
constexpr int32_t D3DERR_DEVICENOTRESET = static_cast<int32_t>(0x88760869u);
constexpr uint32_t D3D_SDK_VERSION = 32;

// Device types and behaviour.
constexpr uint32_t D3DDEVTYPE_HAL = 1;
constexpr uint32_t D3DCREATE_FPU_PRESERVE = 0x02;
constexpr uint32_t D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
constexpr uint32_t D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;

// Formats.
constexpr uint32_t D3DFMT_UNKNOWN = 0;
constexpr uint32_t D3DFMT_A8R8G8B8 = 21;
constexpr uint32_t D3DFMT_X8R8G8B8 = 22;
constexpr uint32_t D3DFMT_A4R4G4B4 = 26;
constexpr uint32_t D3DFMT_D32 = 71;
constexpr uint32_t D3DFMT_D24S8 = 75;
constexpr uint32_t D3DFMT_D16 = 80;
constexpr uint32_t D3DFMT_R16F = 111;
constexpr uint32_t D3DFMT_R32F = 114;
constexpr uint32_t D3DFMT_FROM_FILE = 0xFFFFFFFFu;
constexpr uint32_t MakeFourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
         (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}
constexpr uint32_t D3DFMT_DXT1 = MakeFourCC('D', 'X', 'T', '1');
constexpr uint32_t D3DFMT_DXT2 = MakeFourCC('D', 'X', 'T', '2');
constexpr uint32_t D3DFMT_DXT3 = MakeFourCC('D', 'X', 'T', '3');
constexpr uint32_t D3DFMT_DXT4 = MakeFourCC('D', 'X', 'T', '4');
constexpr uint32_t D3DFMT_DXT5 = MakeFourCC('D', 'X', 'T', '5');

// Pools, usages, locks, swap effects, presentation.
constexpr uint32_t D3DPOOL_DEFAULT = 0;
constexpr uint32_t D3DPOOL_MANAGED = 1;
constexpr uint32_t D3DPOOL_SYSTEMMEM = 2;
constexpr uint32_t D3DUSAGE_RENDERTARGET = 0x1;
constexpr uint32_t D3DUSAGE_WRITEONLY = 0x8;
constexpr uint32_t D3DUSAGE_DYNAMIC = 0x200;
constexpr uint32_t D3DLOCK_READONLY = 0x10;
constexpr uint32_t D3DLOCK_DISCARD = 0x2000;
constexpr uint32_t D3DSWAPEFFECT_DISCARD = 1;
constexpr uint32_t D3DSWAPEFFECT_COPY = 3;
constexpr uint32_t D3DPRESENT_INTERVAL_DEFAULT = 0;
constexpr uint32_t D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000u;
constexpr uint32_t D3DMULTISAMPLE_NONE = 0;

// Clear flags and stretch filters.
constexpr uint32_t D3DCLEAR_TARGET = 1;
constexpr uint32_t D3DCLEAR_ZBUFFER = 2;
constexpr uint32_t D3DCLEAR_STENCIL = 4;
constexpr uint32_t D3DTEXF_NONE = 0;
constexpr uint32_t D3DTEXF_POINT = 1;
constexpr uint32_t D3DTEXF_LINEAR = 2;
constexpr uint32_t D3DTEXF_ANISOTROPIC = 3;

// Primitive types.
constexpr uint32_t D3DPT_POINTLIST = 1;
constexpr uint32_t D3DPT_LINELIST = 2;
constexpr uint32_t D3DPT_LINESTRIP = 3;
constexpr uint32_t D3DPT_TRIANGLELIST = 4;
constexpr uint32_t D3DPT_TRIANGLESTRIP = 5;
constexpr uint32_t D3DPT_TRIANGLEFAN = 6;

// Vertex formats.
constexpr uint32_t D3DFVF_XYZ = 0x002;
constexpr uint32_t D3DFVF_NORMAL = 0x010;
constexpr uint32_t D3DFVF_DIFFUSE = 0x040;
constexpr uint32_t D3DFVF_TEX1 = 0x100;

// Transforms.
constexpr uint32_t D3DTS_VIEW = 2;
constexpr uint32_t D3DTS_PROJECTION = 3;
constexpr uint32_t D3DTS_WORLD = 256;

// Render states.
constexpr uint32_t D3DRS_ZENABLE = 7;
constexpr uint32_t D3DRS_FILLMODE = 8;
constexpr uint32_t D3DRS_SHADEMODE = 9;
constexpr uint32_t D3DRS_ZWRITEENABLE = 14;
constexpr uint32_t D3DRS_ALPHATESTENABLE = 15;
constexpr uint32_t D3DRS_LASTPIXEL = 16;
constexpr uint32_t D3DRS_SRCBLEND = 19;
constexpr uint32_t D3DRS_DESTBLEND = 20;
constexpr uint32_t D3DRS_CULLMODE = 22;
constexpr uint32_t D3DRS_ZFUNC = 23;
constexpr uint32_t D3DRS_ALPHAREF = 24;
constexpr uint32_t D3DRS_ALPHAFUNC = 25;
constexpr uint32_t D3DRS_DITHERENABLE = 26;
constexpr uint32_t D3DRS_ALPHABLENDENABLE = 27;
constexpr uint32_t D3DRS_FOGENABLE = 28;
constexpr uint32_t D3DRS_SPECULARENABLE = 29;
constexpr uint32_t D3DRS_FOGCOLOR = 34;
constexpr uint32_t D3DRS_FOGTABLEMODE = 35;
constexpr uint32_t D3DRS_FOGSTART = 36;
constexpr uint32_t D3DRS_FOGEND = 37;
constexpr uint32_t D3DRS_FOGDENSITY = 38;
constexpr uint32_t D3DRS_STENCILENABLE = 52;
constexpr uint32_t D3DRS_STENCILZFAIL = 54;
constexpr uint32_t D3DRS_LIGHTING = 137;
constexpr uint32_t D3DRS_AMBIENT = 139;
constexpr uint32_t D3DRS_FOGVERTEXMODE = 140;
constexpr uint32_t D3DRS_COLORWRITEENABLE = 168;
constexpr uint32_t D3DRS_BLENDOP = 171;
constexpr uint32_t D3DRS_BLENDFACTOR = 193;
constexpr uint32_t D3DRS_SEPARATEALPHABLENDENABLE = 206;
constexpr uint32_t D3DRS_SRCBLENDALPHA = 207;
constexpr uint32_t D3DRS_DESTBLENDALPHA = 208;
constexpr uint32_t D3DRS_BLENDOPALPHA = 209;
constexpr uint32_t kRenderStateCount = 210;

// Render-state values.
constexpr uint32_t D3DFILL_POINT = 1;
constexpr uint32_t D3DFILL_WIREFRAME = 2;
constexpr uint32_t D3DFILL_SOLID = 3;
constexpr uint32_t D3DSHADE_FLAT = 1;
constexpr uint32_t D3DSHADE_GOURAUD = 2;
constexpr uint32_t D3DCULL_NONE = 1;
constexpr uint32_t D3DCULL_CW = 2;
constexpr uint32_t D3DCULL_CCW = 3;
constexpr uint32_t D3DCMP_NEVER = 1;
constexpr uint32_t D3DCMP_LESS = 2;
constexpr uint32_t D3DCMP_EQUAL = 3;
constexpr uint32_t D3DCMP_LESSEQUAL = 4;
constexpr uint32_t D3DCMP_GREATER = 5;
constexpr uint32_t D3DCMP_NOTEQUAL = 6;
constexpr uint32_t D3DCMP_GREATEREQUAL = 7;
constexpr uint32_t D3DCMP_ALWAYS = 8;
constexpr uint32_t D3DBLEND_ZERO = 1;
constexpr uint32_t D3DBLEND_ONE = 2;
constexpr uint32_t D3DBLEND_SRCCOLOR = 3;
constexpr uint32_t D3DBLEND_INVSRCCOLOR = 4;
constexpr uint32_t D3DBLEND_SRCALPHA = 5;
constexpr uint32_t D3DBLEND_INVSRCALPHA = 6;
constexpr uint32_t D3DBLEND_DESTALPHA = 7;
constexpr uint32_t D3DBLEND_INVDESTALPHA = 8;
constexpr uint32_t D3DBLEND_DESTCOLOR = 9;
constexpr uint32_t D3DBLEND_INVDESTCOLOR = 10;
constexpr uint32_t D3DBLEND_SRCALPHASAT = 11;
constexpr uint32_t D3DBLEND_BOTHSRCALPHA = 12;
constexpr uint32_t D3DBLEND_BOTHINVSRCALPHA = 13;
constexpr uint32_t D3DBLEND_BLENDFACTOR = 14;
constexpr uint32_t D3DBLEND_INVBLENDFACTOR = 15;
constexpr uint32_t D3DBLEND_SRCCOLOR2 = 16;
constexpr uint32_t D3DBLEND_INVSRCCOLOR2 = 17;
constexpr uint32_t D3DBLENDOP_ADD = 1;
constexpr uint32_t D3DBLENDOP_SUBTRACT = 2;
constexpr uint32_t D3DBLENDOP_REVSUBTRACT = 3;
constexpr uint32_t D3DBLENDOP_MIN = 4;
constexpr uint32_t D3DBLENDOP_MAX = 5;
constexpr uint32_t D3DFOG_NONE = 0;
constexpr uint32_t D3DFOG_EXP = 1;
constexpr uint32_t D3DFOG_EXP2 = 2;
constexpr uint32_t D3DFOG_LINEAR = 3;

// Texture-stage states and their values.
constexpr uint32_t D3DTSS_COLOROP = 1;
constexpr uint32_t D3DTSS_COLORARG1 = 2;
constexpr uint32_t D3DTSS_COLORARG2 = 3;
constexpr uint32_t D3DTSS_ALPHAOP = 4;
constexpr uint32_t D3DTSS_ALPHAARG1 = 5;
constexpr uint32_t D3DTSS_ALPHAARG2 = 6;
constexpr uint32_t D3DTOP_DISABLE = 1;
constexpr uint32_t D3DTOP_SELECTARG1 = 2;
constexpr uint32_t D3DTOP_SELECTARG2 = 3;
constexpr uint32_t D3DTOP_MODULATE = 4;
constexpr uint32_t D3DTA_DIFFUSE = 0;
constexpr uint32_t D3DTA_CURRENT = 1;
constexpr uint32_t D3DTA_TEXTURE = 2;

// Sampler states and their values.
constexpr uint32_t D3DSAMP_ADDRESSU = 1;
constexpr uint32_t D3DSAMP_ADDRESSV = 2;
constexpr uint32_t D3DSAMP_MAGFILTER = 5;
constexpr uint32_t D3DSAMP_MINFILTER = 6;
constexpr uint32_t D3DSAMP_MIPFILTER = 7;
constexpr uint32_t D3DTADDRESS_WRAP = 1;
constexpr uint32_t D3DTADDRESS_MIRROR = 2;
constexpr uint32_t D3DTADDRESS_CLAMP = 3;
constexpr uint32_t D3DTADDRESS_BORDER = 4;

// Light types and raster caps.
constexpr uint32_t D3DLIGHT_POINT = 1;
constexpr uint32_t D3DLIGHT_DIRECTIONAL = 3;
constexpr uint32_t D3DPRASTERCAPS_FOGVERTEX = 0x80;
constexpr uint32_t D3DPRASTERCAPS_FOGTABLE = 0x100;
