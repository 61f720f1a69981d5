#pragma once

// The GLSL 1.20 programs that draw scene content (compatibility profile:
// they read OpenGL's matrices, light and material as the fixed-function
// pipeline keeps them, and light every pixel the way it lights a vertex).
namespace SceneShaders {

// Spheres as one quad each: the quad covers the sphere's projection, the
// fragment shader meets the ray through the pixel with the sphere, writes
// its depth and lights it.
extern const char* const kSphereVertex;
extern const char* const kSphereFragment;
// Sticks (open tubes) the same way, the quad turned along the tube.
extern const char* const kStickVertex;
extern const char* const kStickFragment;
// Meshes with normals (the arrow cones), lit per pixel.
extern const char* const kMeshVertex;
extern const char* const kMeshFragment;
// Lines of any pixel width and round or square points, as quads whose
// edges the fragment shader blends by coverage.
extern const char* const kLineVertex;
extern const char* const kPointVertex;
extern const char* const kFlatFragment;

} // namespace SceneShaders
