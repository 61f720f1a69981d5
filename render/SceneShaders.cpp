#include "render/SceneShaders.h"

// Every program begins with the version and the functions they share.
#define RAVEK_GLSL_COMMON                                                                          \
    "#version 120\n"                                                                               \
    "uniform vec4 viewport; // x, y, width, height\n"                                              \
    "uniform mat4 inverseProjection;\n"                                                            \
    "uniform vec3 eye;       // where every ray starts, in eye coordinates\n"                      \
    "uniform vec4 depthRow;  // the projection's rows giving clip z and w\n"                       \
    "uniform vec4 wRow;\n"                                                                         \
    "uniform vec4 xRow;      // and clip x and y\n"                                                \
    "uniform vec4 yRow;\n"                                                                         \
    "varying vec3 rayNear;   // where this pixel's ray meets the near plane\n"                     \
    /* The light of one directional source with a viewer at infinity, as the     */                \
    /* fixed-function pipeline computes it: global and source ambient, diffuse   */                \
    /* and specular (the half vector of the light and +z), the colour standing   */                \
    /* for the material's ambient and diffuse.                                   */                \
    "vec4 Light(vec3 n, vec4 colour, vec4 ambient) {\n"                                            \
    "    vec3 l = normalize(gl_LightSource[0].position.xyz);\n"                                    \
    "    vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));\n"                                           \
    "    float diffuse = max(dot(n, l), 0.0);\n"                                                   \
    "    vec3 c = (gl_LightModel.ambient.rgb + ambient.rgb\n"                                      \
    "              + diffuse * gl_LightSource[0].diffuse.rgb) * colour.rgb;\n"                     \
    "    if (diffuse > 0.0)\n"                                                                     \
    "        c += pow(max(dot(n, h), 0.0), gl_FrontMaterial.shininess)\n"                          \
    "             * gl_LightSource[0].specular.rgb * gl_FrontMaterial.specular.rgb;\n"             \
    "    return vec4(min(c, vec3(1.0)), colour.a);\n"                                              \
    "}\n"                                                                                          \
    /* Window pixels of a clip-space point, from the viewport's corner.          */                \
    "vec2 Pixels(vec4 q) { return (q.xy / q.w + 1.0) * 0.5 * viewport.zw; }\n"                     \
    "vec4 ClipOfPixels(vec2 p) { return vec4(p / viewport.zw * 2.0 - 1.0, 0.0, 1.0); }\n"          \
    /* Normalised depth of an eye-space point: -1 near, 1 far.                   */                \
    "float Depth(vec3 p) {\n"                                                                      \
    "    return dot(depthRow, vec4(p, 1.0)) / dot(wRow, vec4(p, 1.0));\n"                          \
    "}\n"                                                                                          \
    "float WindowDepth(float z) {\n"                                                               \
    "    return 0.5 * (gl_DepthRange.diff * z + gl_DepthRange.near + gl_DepthRange.far);\n"        \
    "}\n"

// What the vertex shaders of the quads share.
#define RAVEK_GLSL_QUAD                                                                            \
    /* The least and greatest of (n · p) / (wRow · p), p = (x, y, z, 1), over  */                \
    /* the ball about c of radius r: where the plane of that value touches     */                  \
    /* the ball, a quadratic. behind turns 1 for a ball reaching the plane of  */                  \
    /* the eye.                                                                */                  \
    "vec2 RatioRange(vec4 n, vec3 c, float r, inout float behind) {\n"                             \
    "    float a = dot(n, vec4(c, 1.0)), b = dot(wRow, vec4(c, 1.0));\n"                           \
    "    float qa = b * b - r * r * dot(wRow.xyz, wRow.xyz);\n"                                    \
    "    if (b <= 0.0 || qa <= 1e-12 * b * b) { behind = 1.0; return vec2(0.0); }\n"               \
    "    float qb = a * b - r * r * dot(n.xyz, wRow.xyz);\n"                                       \
    "    float qc = a * a - r * r * dot(n.xyz, n.xyz);\n"                                          \
    "    float root = sqrt(max(qb * qb - qa * qc, 0.0));\n"                                        \
    "    return vec2(qb - root, qb + root) / qa;\n"                                                \
    "}\n"                                                                                          \
    /* Widens bounds (least s, t, greatest s, t) by the projection of the ball */                  \
    /* about c of radius r, in window pixels along the screen axes s and t     */                  \
    /* from origin.                                                            */                  \
    "void ExtendBall(vec3 c, float r, vec2 origin, vec2 s, vec2 t, inout vec4 bounds,\n"           \
    "                inout float behind) {\n"                                                      \
    "    vec2 halfSize = 0.5 * viewport.zw;\n"                                                     \
    "    vec4 ns = s.x * halfSize.x * xRow + s.y * halfSize.y * yRow;\n"                           \
    "    vec4 nt = t.x * halfSize.x * xRow + t.y * halfSize.y * yRow;\n"                           \
    "    vec2 rs = RatioRange(ns, c, r, behind) + dot(s, halfSize - origin);\n"                    \
    "    vec2 rt = RatioRange(nt, c, r, behind) + dot(t, halfSize - origin);\n"                    \
    "    bounds = vec4(min(bounds.xy, vec2(rs.x, rt.x)), max(bounds.zw, vec2(rs.y, rt.y)));\n"     \
    "}\n"                                                                                          \
    /* The corner (each of x, y is -1 or 1) of those bounds, one pixel out, as */                  \
    /* a clip position; the whole picture when a point was behind the eye.     */                  \
    /* rayNear is set there: the near plane's points are an affine function   */                  \
    /* of the pixel, so it is interpolated exactly.                           */                  \
    "vec4 Corner(vec2 corner, vec2 origin, vec2 s, vec2 t, vec4 bounds, float behind) {\n"         \
    "    vec4 clip = vec4(corner, 0.0, 1.0);\n"                                                    \
    "    if (behind < 0.5) {\n"                                                                    \
    "        vec2 st = mix(bounds.xy - 1.0, bounds.zw + 1.0, corner * 0.5 + 0.5);\n"               \
    "        clip = ClipOfPixels(origin + st.x * s + st.y * t);\n"                                 \
    "    }\n"                                                                                      \
    "    vec4 near = inverseProjection * vec4(clip.xy, -1.0, 1.0);\n"                              \
    "    rayNear = near.xyz / near.w;\n"                                                           \
    "    return clip;\n"                                                                           \
    "}\n" \
    /* The corner of the quad about the hull of the balls of radius r about a  */                  \
    /* and b (a sphere when they are one point), turned along its picture.     */                  \
    /* Balls wholly on the eye's side of the near plane give an empty quad;    */                  \
    /* the whole picture is left for those that reach the plane of the eye.   */                  \
    "vec4 QuadCorner(vec3 a, vec3 b, float r, vec2 corner) {\n"                                    \
    "    vec4 near = depthRow + wRow;\n"                                                           \
    "    float reach = r * length(near.xyz);\n"                                                    \
    "    if (dot(near, vec4(a, 1.0)) + reach < 0.0 && dot(near, vec4(b, 1.0)) + reach < 0.0)\n"    \
    "        return vec4(0.0, 0.0, 2.0, 1.0);\n"                                                   \
    "    vec4 qa = gl_ProjectionMatrix * vec4(a, 1.0), qb = gl_ProjectionMatrix * vec4(b, 1.0);\n"  \
    "    vec2 origin = Pixels(qa), along = Pixels(qb) - origin;\n"                                 \
    "    vec2 s = length(along) > 1e-3 ? normalize(along) : vec2(1.0, 0.0);\n"                     \
    "    vec2 t = vec2(-s.y, s.x);\n"                                                              \
    "    vec4 bounds = vec4(1e30, 1e30, -1e30, -1e30);\n"                                          \
    "    float behind = qa.w <= 1e-6 || qb.w <= 1e-6 ? 1.0 : 0.0;\n"                               \
    "    ExtendBall(a, r, origin, s, t, bounds, behind);\n"                                        \
    "    ExtendBall(b, r, origin, s, t, bounds, behind);\n"                                        \
    "    return Corner(corner, origin, s, t, bounds, behind);\n"                                   \
    "}\n"

// The ray through this fragment's pixel: from the eye, its direction unit;
// its origin moved along it to where it passes closest to near, for the
// precision of what it meets there.
#define RAVEK_GLSL_RAY                                                                             \
    "void Ray(vec3 near, out vec3 origin, out vec3 direction) {\n"                                 \
    "    direction = normalize(rayNear - eye);\n"                                                  \
    "    origin = eye + dot(near - eye, direction) * direction;\n"                                 \
    "}\n"

// What the vertex shaders hand the fragment shaders: a sphere's centre and
// radius in eye coordinates, its colour and whether it is selected; a
// stick's end, unit axis, length and radius, and its colour.
#define RAVEK_SPHERE_VARYINGS                                                                      \
    "varying vec3 eyeCentre;\n"                                                                    \
    "varying float eyeRadius;\n"                                                                   \
    "varying vec4 baseColour;\n"                                                                   \
    "varying float fullAmbient;\n"
#define RAVEK_STICK_VARYINGS                                                                       \
    "varying vec3 eyeFrom;\n"                                                                      \
    "varying vec3 eyeAxis;\n"                                                                      \
    "varying float eyeLength;\n"                                                                   \
    "varying float eyeRadius;\n"                                                                   \
    "varying vec4 baseColour;\n"

namespace SceneShaders {

const char* const kSphereVertex = RAVEK_GLSL_COMMON RAVEK_GLSL_QUAD RAVEK_SPHERE_VARYINGS R"(
attribute vec3 centre;
attribute float radius;
attribute vec4 colour;
attribute vec2 corner;
attribute float selected;
void main() {
    eyeCentre = (gl_ModelViewMatrix * vec4(centre, 1.0)).xyz;
    eyeRadius = radius * length(gl_ModelViewMatrix[0].xyz);
    baseColour = colour;
    fullAmbient = selected;
    gl_Position = QuadCorner(eyeCentre, eyeCentre, eyeRadius, corner);
}
)";

const char* const kSphereFragment = RAVEK_GLSL_COMMON RAVEK_GLSL_RAY RAVEK_SPHERE_VARYINGS R"(
void main() {
    vec3 origin, direction;
    Ray(eyeCentre, origin, direction);
    vec3 w = origin - eyeCentre;
    float b = dot(w, direction);
    float discriminant = b * b - (dot(w, w) - eyeRadius * eyeRadius);
    if (discriminant < 0.0)
        discard;
    float root = sqrt(discriminant);
    vec3 p = origin + (-b - root) * direction;
    float z = Depth(p);
    // A sphere the near plane cuts, or the eye lies in, shows its inside.
    if (z < -1.0 || dot(wRow, vec4(p, 1.0)) <= 0.0) {
        p = origin + (-b + root) * direction;
        z = Depth(p);
    }
    if (z < -1.0 || z > 1.0)
        discard;
    gl_FragDepth = WindowDepth(z);
    vec4 ambient = mix(gl_LightSource[0].ambient, vec4(1.0), fullAmbient);
    gl_FragColor = Light((p - eyeCentre) / eyeRadius, baseColour, ambient);
}
)";

const char* const kStickVertex = RAVEK_GLSL_COMMON RAVEK_GLSL_QUAD RAVEK_STICK_VARYINGS R"(
attribute vec3 from;
attribute vec3 to;
attribute float radius;
attribute vec4 colour;
attribute vec2 corner;
void main() {
    vec3 a = (gl_ModelViewMatrix * vec4(from, 1.0)).xyz;
    vec3 b = (gl_ModelViewMatrix * vec4(to, 1.0)).xyz;
    float r = radius * length(gl_ModelViewMatrix[0].xyz);
    eyeFrom = a;
    eyeLength = length(b - a);
    eyeAxis = eyeLength > 0.0 ? (b - a) / eyeLength : vec3(0.0, 0.0, 1.0);
    eyeRadius = r;
    baseColour = colour;
    // The tube lies within the hull of the balls about its ends, whose
    // projection is the hull of theirs.
    gl_Position = QuadCorner(a, b, r, corner);
}
)";

const char* const kStickFragment = RAVEK_GLSL_COMMON RAVEK_GLSL_RAY RAVEK_STICK_VARYINGS R"(
void main() {
    vec3 origin, direction;
    Ray(eyeFrom + 0.5 * eyeLength * eyeAxis, origin, direction);
    // The open tube: points at distance r from the axis between its ends.
    vec3 w = origin - eyeFrom;
    float da = dot(direction, eyeAxis), wa = dot(w, eyeAxis);
    float a = 1.0 - da * da;
    if (a < 1e-7)
        discard; // seen along its axis: only its rim, which the atoms hide
    float b = dot(w, direction) - wa * da;
    float c = dot(w, w) - wa * wa - eyeRadius * eyeRadius;
    float discriminant = b * b - a * c;
    if (discriminant < 0.0)
        discard;
    float root = sqrt(discriminant);
    // The nearer wall if it lies between the ends, else the farther (the
    // inside of the tube, seen through its open end).
    float t = (-b - root) / a;
    float along = wa + t * da;
    vec3 p = origin + t * direction;
    float z = Depth(p);
    if (along < 0.0 || along > eyeLength || z < -1.0 || dot(wRow, vec4(p, 1.0)) <= 0.0) {
        t = (-b + root) / a;
        along = wa + t * da;
        p = origin + t * direction;
        z = Depth(p);
    }
    if (along < 0.0 || along > eyeLength || z < -1.0 || z > 1.0)
        discard;
    gl_FragDepth = WindowDepth(z);
    vec3 n = (p - eyeFrom - along * eyeAxis) / eyeRadius;
    gl_FragColor = Light(n, baseColour, gl_LightSource[0].ambient);
}
)";

const char* const kMeshVertex = RAVEK_GLSL_COMMON R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec4 colour;
varying vec3 eyeNormal;
varying vec4 baseColour;
void main() {
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);
    eyeNormal = gl_NormalMatrix * normal;
    baseColour = colour;
}
)";

const char* const kMeshFragment = RAVEK_GLSL_COMMON R"(
varying vec3 eyeNormal;
varying vec4 baseColour;
// Surfaces lit on both faces: a back face turns its normal to the eye.
uniform float twoSided;
void main() {
    vec3 n = normalize(eyeNormal);
    if (twoSided > 0.5 && !gl_FrontFacing)
        n = -n;
    gl_FragColor = Light(n, baseColour, gl_LightSource[0].ambient);
}
)";

// Lines and points take their colour as it is, or lit by one normal for
// all (flatNormal, turned with the model).
#define RAVEK_GLSL_FLAT_COLOUR                                                                     \
    "uniform float lit;\n"                                                                         \
    "uniform vec3 flatNormal;\n"                                                                   \
    "uniform float halfWidth;\n"                                                                   \
    "varying vec4 baseColour;\n"                                                                   \
    "varying vec2 offset; // pixels from the centre line or point\n"                               \
    "varying float edge;  // pixels from the centre to the edge\n"                                 \
    "uniform float smoothEdges;\n"                                                                 \
    /* Hard edges lie where OpenGL's aliased lines and points end: widths     */                   \
    /* rounded to whole pixels, lines spanning them along the minor axis.     */                   \
    "float HardHalfWidth() { return max(floor(2.0 * halfWidth + 0.5), 1.0) * 0.5; }\n"              \
    "vec4 FlatColour(vec4 colour) {\n"                                                             \
    "    if (lit < 0.5) return colour;\n"                                                          \
    "    return Light(normalize(gl_NormalMatrix * flatNormal), colour,\n"                          \
    "                 gl_LightSource[0].ambient);\n"                                               \
    "}\n"

const char* const kLineVertex = RAVEK_GLSL_COMMON RAVEK_GLSL_FLAT_COLOUR R"(
attribute vec3 from;
attribute vec3 to;
attribute vec4 colour;
attribute vec2 corner; // x: -1 at from, 1 at to; y: the side
void main() {
    vec4 p = gl_ModelViewProjectionMatrix * vec4(from, 1.0);
    vec4 q = gl_ModelViewProjectionMatrix * vec4(to, 1.0);
    vec2 along = (q.xy / q.w - p.xy / p.w) * viewport.zw;
    along = length(along) > 1e-6 ? normalize(along) : vec2(1.0, 0.0);
    // Half a pixel beyond each end and one beside each edge, for the blend.
    float reach = halfWidth + 1.0;
    vec2 shift = vec2(-along.y, along.x) * corner.y * reach + along * corner.x * 0.5;
    vec4 end = corner.x < 0.0 ? p : q;
    gl_Position = end + vec4(shift / viewport.zw * 2.0 * end.w, 0.0, 0.0);
    offset = vec2(corner.y * reach, 0.0);
    edge = smoothEdges > 0.5 ? halfWidth : HardHalfWidth() * max(abs(along.x), abs(along.y));
    baseColour = FlatColour(colour);
}
)";

const char* const kPointVertex = RAVEK_GLSL_COMMON RAVEK_GLSL_FLAT_COLOUR R"(
attribute vec3 position;
attribute vec4 colour;
attribute vec2 corner;
void main() {
    vec4 p = gl_ModelViewProjectionMatrix * vec4(position, 1.0);
    float reach = halfWidth + 1.0;
    gl_Position = p + vec4(corner * reach / viewport.zw * 2.0 * p.w, 0.0, 0.0);
    offset = corner * reach;
    edge = smoothEdges > 0.5 ? halfWidth : HardHalfWidth();
    baseColour = FlatColour(colour);
}
)";

const char* const kFlatFragment = RAVEK_GLSL_COMMON RAVEK_GLSL_FLAT_COLOUR R"(
uniform float roundPoint;
uniform float isPoint;
void main() {
    float d = roundPoint > 0.5 ? length(offset) : max(abs(offset.x), abs(offset.y));
    float coverage = smoothEdges > 0.5 ? clamp(edge + 0.5 - d, 0.0, 1.0) : (d <= edge ? 1.0 : 0.0);
    // A round point ends where it is half covered, as OpenGL's smoothed
    // points do on Mesa: its faint outer edge would hide the lines behind.
    if (coverage <= 0.0 || (isPoint > 0.5 && coverage < 0.5))
        discard;
    gl_FragColor = vec4(baseColour.rgb, baseColour.a * coverage);
}
)";

} // namespace SceneShaders
