// User-interface program, fragment stage.
//   0  flat RGB
//   1  additive glow on the disc the vertex stage placed, soft towards the rim: stage
//      (stage == 1) intensity from the gain METRICS.z and weight METRICS.w (a weight above 1
//      is a cabled target's reach); panel: intensity from the level METRICS.w. Drawn with
//      additive blending and written premultiplied (alpha 1).
//   2  filled disc in flat RGB (placed by the vertex stage), its rim smoothed over a pixel
//   6  level bar of the value METRICS.w: RGB tinted by METRICS.rgb, brightening towards
//      yellow above -6 dB, red at or above full level
//   7  horizontal meter: RGB mixed towards green by the level METRICS.w
//  10  heat-map cell: opacity is the coverage RGB.a, hue from yellow (thin) to red (full),
//      a slow shimmer from the phase RGB.b
//  12  curve whose alpha channel carries decibels: -60 dB and below fade out, 0 dB opaque
#version 120

uniform vec4 RGB;
uniform int MODE;
uniform vec4 METRICS;
uniform float height;
uniform int stage;
uniform float level;

varying vec2 unitPos;
varying vec2 lineEdge;
varying vec2 lineEnd;

void main() {
    vec4 colour = RGB;
    if (MODE == 1) {
        float intensity = clamp(METRICS.w, 0.0, 1.0);
        if (stage == 1) {
            float gain = clamp(METRICS.z, 0.0, 1.0);
            intensity = METRICS.w > 1.0 ? 0.35 + 0.65 * gain : sqrt(gain) * intensity;
        }
        float fall = length(unitPos);
        if (fall > 1.0) discard;
        float soft = 1.0 - smoothstep(0.0, 1.0, fall);
        // Premultiplied, alpha 1: the additive blend adds RGB.rgb x RGB.a x the profile,
        // so a tint summed over several glows of one shape adds the same as those glows.
        colour = vec4(RGB.rgb * (RGB.a * intensity * soft * (0.6 + 0.4 * soft)), 1.0);
    } else if (MODE == 2) {
        // unitPos runs to 1 at the rim; fwidth gives the rim's width of one pixel.
        float r = length(unitPos);
        float edge = max(fwidth(r), 1e-4);
        colour = vec4(RGB.rgb, RGB.a * (1.0 - smoothstep(1.0 - edge, 1.0, r)));
    } else if (MODE == 6) {
        vec3 tint = RGB.rgb * METRICS.rgb;
        float hot = smoothstep(0.5, 1.0, clamp(METRICS.w, 0.0, 1.0));
        colour = METRICS.w >= 1.0 ? vec4(1.0, 0.0, 0.0, max(RGB.a, 0.8))
                                  : vec4(mix(tint, vec3(1.0, 0.9, 0.2), 0.6 * hot), RGB.a);
    } else if (MODE == 7) {
        float amount = clamp(METRICS.w, 0.0, 1.0) * 0.5;
        colour = vec4(mix(RGB.rgb, METRICS.rgb * vec3(0.2, 1.0, 0.2), amount), RGB.a);
    } else if (MODE == 10) {
        float a = clamp(RGB.a, 0.0, 1.0);
        float shimmer = 0.05 * sin(gl_FragCoord.x * 0.05 + RGB.b * 6.2831853);
        colour = vec4(1.0, clamp(1.0 - a + shimmer, 0.0, 1.0), 0.0, 0.7 * a);
    } else if (MODE == 12) {
        // -60 dB and below fade out, 0 dB is opaque; quiet sends keep a faint trace and
        // loud ones brighten towards orange.
        float db = max(RGB.a, -120.0);
        float a = clamp((db + 60.0) / 60.0, 0.0, 1.0);
        vec3 hot = mix(RGB.rgb, vec3(1.0, 0.6, 0.1), a * a);
        colour = vec4(hot, max(a, 0.08));
    }
    if (lineEdge.y > 0.0) {
        // A smoothed line: full half a pixel inside its edges and ends, none half a pixel
        // outside.
        float cover = clamp(lineEdge.y + 0.5 - abs(lineEdge.x), 0.0, 1.0) *
                      clamp(lineEnd.y + 0.5 - abs(lineEnd.x), 0.0, 1.0);
        colour = MODE == 1 ? colour * cover : vec4(colour.rgb, colour.a * cover);
    }
    gl_FragColor = colour;
}
