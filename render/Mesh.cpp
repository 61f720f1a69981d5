#include "render/Mesh.h"

#include <cmath>

namespace {

void Add(std::vector<GLfloat>& to, double x, double y, double z) {
    to.push_back(static_cast<GLfloat>(x));
    to.push_back(static_cast<GLfloat>(y));
    to.push_back(static_cast<GLfloat>(z));
}

} // namespace

Mesh Mesh::Sphere(int slices, int stacks) {
    Mesh mesh;
    // Rings of slices + 1 vertices (the seam repeated) from the +z pole
    // (stack 0) to the -z pole; the point of a slice angle a on stack angle
    // b is (sin a sin b, cos a sin b, cos b), GLU's layout.
    for (int i = 0; i <= stacks; ++i) {
        const double b = M_PI * i / stacks;
        for (int j = 0; j <= slices; ++j) {
            const double a = 2.0 * M_PI * (j == slices ? 0 : j) / slices;
            const double x = std::sin(a) * std::sin(b);
            const double y = std::cos(a) * std::sin(b);
            const double z = std::cos(b);
            Add(mesh.positions_, x, y, z);
            Add(mesh.normals_, x, y, z);
        }
    }
    const auto at = [slices](int i, int j) { return static_cast<GLuint>(i * (slices + 1) + j); };
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            // Seen from outside, the angle a grows clockwise about +z, so
            // (i, j) → (i, j + 1) → (i + 1, j) turns counter-clockwise. The
            // rings at the poles are points: one triangle each there.
            if (i > 0) {
                mesh.indices_.insert(mesh.indices_.end(), {at(i, j), at(i, j + 1), at(i + 1, j)});
            }
            if (i + 1 < stacks) {
                mesh.indices_.insert(mesh.indices_.end(),
                                     {at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)});
            }
        }
    }
    return mesh;
}

Mesh Mesh::Tube(int slices, double top) {
    Mesh mesh;
    // The side's normal leans towards +z by (1 - top) over a height of 1.
    const double lean = 1.0 - top;
    const double length = std::sqrt(1.0 + lean * lean);
    for (int end = 0; end <= 1; ++end) {
        const double radius = end == 0 ? 1.0 : top;
        for (int j = 0; j <= slices; ++j) {
            const double a = 2.0 * M_PI * (j == slices ? 0 : j) / slices;
            Add(mesh.positions_, std::sin(a) * radius, std::cos(a) * radius, end);
            Add(mesh.normals_, std::sin(a) / length, std::cos(a) / length, lean / length);
        }
    }
    const auto at = [slices](int end, int j) {
        return static_cast<GLuint>(end * (slices + 1) + j);
    };
    for (int j = 0; j < slices; ++j) {
        // Counter-clockwise seen from outside, as the sphere.
        mesh.indices_.insert(mesh.indices_.end(), {at(0, j), at(1, j), at(0, j + 1)});
        mesh.indices_.insert(mesh.indices_.end(), {at(1, j), at(1, j + 1), at(0, j + 1)});
    }
    return mesh;
}

void Mesh::Draw() const {
    glVertexPointer(3, GL_FLOAT, 0, positions_.data());
    glNormalPointer(GL_FLOAT, 0, normals_.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices_.size()), GL_UNSIGNED_INT,
                   indices_.data());
}
