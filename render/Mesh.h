#pragma once

#include <GL/gl.h>

#include <vector>

// A shape of unit size, built once and drawn from the program's memory as
// vertex arrays (OpenGL 1.1), so it serves every context without being
// uploaded to one. The scene draws each atom's sphere, each bond's stick and
// each arrow's cone as one of these, placed and sized by the model-view
// matrix (with GL_NORMALIZE on, so scaled normals still light correctly).
class Mesh {
public:
    // The unit sphere about the origin, as gluSphere builds it: slices
    // around the z axis, stacks from +z to -z, outward normals, triangles
    // counter-clockwise seen from outside.
    static Mesh Sphere(int slices, int stacks);
    // The side of a cone frustum along +z from z = 0 (radius 1) to z = 1
    // (radius top), open at both ends, as gluCylinder builds it with one
    // stack: equal normals along each side line make more stacks change
    // nothing in a lit picture.
    static Mesh Tube(int slices, double top);

    // Draws the triangles; the caller has enabled GL_VERTEX_ARRAY and
    // GL_NORMAL_ARRAY.
    void Draw() const;
    int TriangleCount() const { return static_cast<int>(indices_.size() / 3); }
    // x, y, z of each vertex, its unit normal, and three vertex numbers a
    // triangle.
    const std::vector<GLfloat>& Positions() const { return positions_; }
    const std::vector<GLfloat>& Normals() const { return normals_; }
    const std::vector<GLuint>& Indices() const { return indices_; }

private:
    std::vector<GLfloat> positions_;
    std::vector<GLfloat> normals_;
    std::vector<GLuint> indices_;
};
