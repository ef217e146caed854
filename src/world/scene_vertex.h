#pragma once
#include <cstdint>

#include "platform/gfx/graphics_device.h"
#include "platform/text/language.h"

namespace world {

// The vertex of the water, sky and scenery: position, normal, colour, one (u, v).
struct SceneVertex {
  float X, Y, Z;
  float NX, NY, NZ;
  uint32_t Diffuse;  // ARGB
  float U, V;
};
static_assert(sizeof(SceneVertex) == 36);

inline constexpr int kSceneVertexStride = sizeof(SceneVertex);

// An upward-facing vertex (every scenery vertex faces up).
inline SceneVertex UpVertex(float x, float y, float z, uint32_t diffuse, float u, float v) {
  return {x, y, z, 0, 1, 0, diffuse, u, v};
}

// Loads a texture and reports a failure with the given Shift-JIS message.
std::unique_ptr<platform::Texture> LoadSceneTexture(platform::GraphicsDevice& device, const char* gameFileName,
                                                    uint32_t colorKey, const char* failureMessage);

// Stage 0 combines the texture and the vertex colour with the given operation.
void SetTextureAndDiffuse(platform::GraphicsDevice& device, uint32_t colorOp);

// "フィールドデータの頂点ロックに失敗" / "フィールドデータのインデックスロックに失敗"
inline constexpr const char* kVertexLockFailed = N_(
    "\x83\x74\x83\x42\x81\x5b\x83\x8b\x83\x68\x83\x66\x81\x5b\x83\x5e\x82\xcc\x92\xb8\x93\x5f\x83\x8d\x83\x62\x83\x4e"
    "\x82\xc9\x8e\xb8\x94\x73");
inline constexpr const char* kIndexLockFailed = N_(
    "\x83\x74\x83\x42\x81\x5b\x83\x8b\x83\x68\x83\x66\x81\x5b\x83\x5e\x82\xcc\x83\x43\x83\x93\x83\x66\x83\x62\x83\x4e"
    "\x83\x58\x83\x8d\x83\x62\x83\x4e\x82\xc9\x8e\xb8\x94\x73");

}  // namespace world
