// Text program, vertex stage: "coord" carries the position (xy) and texture coordinate (zw).
#version 120

attribute vec4 coord;
varying vec2 texPos;

void main() {
    gl_Position = vec4(coord.xy, 0.0, 1.0);
    texPos = coord.zw;
}
