// Text program, fragment stage: the glyph texture's coverage tints "color".
#version 120

uniform sampler2D tex;
uniform vec4 color;
varying vec2 texPos;

void main() {
    gl_FragColor = vec4(1.0, 1.0, 1.0, texture2D(tex, texPos).a) * color;
}
