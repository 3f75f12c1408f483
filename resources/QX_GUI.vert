// User-interface program, vertex stage. Every transform lives on the projection matrix, so the
// vertex goes through the compatibility built-in matrix. In the disc modes the fixed radius-100
// disc is placed and scaled here from METRICS.
#version 120

uniform int MODE;
uniform vec4 METRICS;
uniform int stage;

varying vec2 unitPos;   // the disc vertex over 100: radial effects of modes 1 and 2
// A smoothed line drawn as triangles: (distance across the line, half its width) in pixels,
// from the vertex's z and minus its w, half width 0 for every other shape (w is 1); and
// (distance along the line from its middle, half its length) from the texture coordinate.
varying vec2 lineEdge;
varying vec2 lineEnd;

void main() {
    vec4 v = vec4(gl_Vertex.xy, 0.0, 1.0);
    lineEdge = gl_Vertex.w < 0.0 ? vec2(gl_Vertex.z, -gl_Vertex.w) : vec2(0.0);
    lineEnd = gl_MultiTexCoord0.xy;
    unitPos = gl_Vertex.xy / 100.0;
    if (MODE == 2) {
        v = vec4(METRICS.xy + gl_Vertex.xy * (METRICS.z / 100.0), 0.0, 1.0);
    } else if (MODE == 1) {
        // A glow around (METRICS.x, METRICS.y). On the stage a weight above 1 is the reach of
        // a cabled target, otherwise the glow grows with the gain; on a panel (the VIRTUAL
        // level disc) METRICS.z is the radius.
        float radius = METRICS.z;
        if (stage == 1) {
            float gain = clamp(METRICS.z, 0.0, 1.0);
            radius = METRICS.w > 1.0 ? METRICS.w : 22.0 + 48.0 * sqrt(gain);
        }
        v = vec4(METRICS.xy + gl_Vertex.xy * (radius / 100.0), 0.0, 1.0);
    }
    gl_Position = gl_ModelViewProjectionMatrix * v;
}
