#pragma once
// The fixed-function graphics vocabulary the game draws with: render states, texture
// stage operations, sampler filters, vertex formats, lights and materials. Values are
// our own names; the Direct3D 9 value each stands for is given in a trailing comment,
// so recorded calls read like the original API's.
#include <cstdint>

#include "platform/gfx/matrix.h"

namespace platform {

enum class TransformKind { World, View, Projection };

enum class RenderState {
  CullMode,          // CullMode value
  Lighting,          // 0 / 1
  ShadeMode,         // ShadeMode value
  Ambient,           // ARGB
  ZEnable,           // 0 / 1
  ZWriteEnable,      // 0 / 1
  NormalizeNormals,  // 0 / 1
  AlphaBlendEnable,  // 0 / 1
  SrcBlend,          // Blend value
  DestBlend,         // Blend value
};

namespace CullMode {
inline constexpr uint32_t None = 1;              // D3DCULL_NONE
inline constexpr uint32_t Clockwise = 2;         // D3DCULL_CW
inline constexpr uint32_t CounterClockwise = 3;  // D3DCULL_CCW
}  // namespace CullMode

namespace ShadeMode {
inline constexpr uint32_t Flat = 1;     // D3DSHADE_FLAT
inline constexpr uint32_t Gouraud = 2;  // D3DSHADE_GOURAUD
}  // namespace ShadeMode

namespace Blend {
inline constexpr uint32_t Zero = 1;         // D3DBLEND_ZERO
inline constexpr uint32_t One = 2;          // D3DBLEND_ONE
inline constexpr uint32_t SrcAlpha = 5;     // D3DBLEND_SRCALPHA
inline constexpr uint32_t InvSrcAlpha = 6;  // D3DBLEND_INVSRCALPHA
}  // namespace Blend

enum class StageState { ColorOp, ColorArg1, ColorArg2, AlphaOp, AlphaArg1, AlphaArg2 };

namespace TextureOp {
inline constexpr uint32_t Disable = 1;     // D3DTOP_DISABLE
inline constexpr uint32_t SelectArg1 = 2;  // D3DTOP_SELECTARG1
inline constexpr uint32_t SelectArg2 = 3;  // D3DTOP_SELECTARG2
inline constexpr uint32_t Modulate = 4;    // D3DTOP_MODULATE
inline constexpr uint32_t Add = 7;         // D3DTOP_ADD
}  // namespace TextureOp

namespace TextureArg {
inline constexpr uint32_t Diffuse = 0;  // D3DTA_DIFFUSE
inline constexpr uint32_t Current = 1;  // D3DTA_CURRENT
inline constexpr uint32_t Texture = 2;  // D3DTA_TEXTURE
}  // namespace TextureArg

enum class SamplerState { MagFilter, MinFilter, MipFilter };

namespace Filter {
inline constexpr uint32_t None = 0;    // D3DTEXF_NONE
inline constexpr uint32_t Point = 1;   // D3DTEXF_POINT
inline constexpr uint32_t Linear = 2;  // D3DTEXF_LINEAR
}  // namespace Filter

// Flexible vertex format bits; the components stand in the vertex in this order.
namespace Fvf {
inline constexpr uint32_t Xyz = 0x002;      // D3DFVF_XYZ: 3 floats
inline constexpr uint32_t XyzRhw = 0x004;   // D3DFVF_XYZRHW: 4 floats, back-buffer pixels
inline constexpr uint32_t Normal = 0x010;   // D3DFVF_NORMAL: 3 floats
inline constexpr uint32_t Diffuse = 0x040;  // D3DFVF_DIFFUSE: ARGB uint32
inline constexpr uint32_t Tex1 = 0x100;     // D3DFVF_TEX1: one (u, v) pair
inline constexpr uint32_t Tex2 = 0x200;     // D3DFVF_TEX2: two (u, v) pairs
inline constexpr uint32_t TexCountMask = 0xF00;

inline constexpr uint32_t MeshVertex = Xyz | Normal | Tex1;             // 0x112
inline constexpr uint32_t SceneVertex = Xyz | Normal | Diffuse | Tex1;  // 0x152
inline constexpr uint32_t ScreenVertex = XyzRhw | Diffuse | Tex2;       // 0x244

// Bytes of one vertex of this format.
int Stride(uint32_t fvf);
}  // namespace Fvf

enum class Primitive { TriangleList, TriangleStrip };

struct ColorValue {
  float R = 0, G = 0, B = 0, A = 0;
  bool operator==(const ColorValue&) const = default;
};

struct Material {
  ColorValue Diffuse, Ambient, Specular, Emissive;
  float Power = 0;
  bool operator==(const Material&) const = default;
};

// A directional light (the only kind the game uses), without specular light: the
// device draws with specular lighting off.
struct Light {
  ColorValue Diffuse, Ambient;
  Vec3 Direction;  // the way the light travels, in world space
  bool operator==(const Light&) const = default;
};

// A rectangle in back-buffer pixels.
struct PixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

}  // namespace platform
