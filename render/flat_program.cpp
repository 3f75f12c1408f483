#include "render/flat_program.h"

#include <GL/glew.h>

namespace {

// A smoothed line drawn as triangles carries (distance across the line, minus half its width)
// in the vertex's z and w, and (distance along it from its middle, half its length) in the
// texture coordinate; every other shape's w is 1 and gets a coverage of 1.
const char* const kVertexSource = R"(#version 120
attribute vec4 vertexColour;
varying vec4 flatColour;
varying vec4 lineReach;
void main() {
    flatColour = vertexColour;
    lineReach = gl_Vertex.w < 0.0 ? vec4(gl_Vertex.z, -gl_Vertex.w, gl_MultiTexCoord0.xy)
                                  : vec4(0.0, 1.0, 0.0, 1.0);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(gl_Vertex.xy, 0.0, 1.0);
}
)";

// Full half a pixel inside a smoothed line's edges and ends, none half a pixel outside.
const char* const kFragmentSource = R"(#version 120
varying vec4 flatColour;
varying vec4 lineReach;
void main() {
    vec2 cover = clamp(lineReach.yw + 0.5 - abs(lineReach.xz), 0.0, 1.0);
    gl_FragColor = vec4(flatColour.rgb, flatColour.a * cover.x * cover.y);
}
)";

GLuint compiled(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    glDeleteShader(shader);
    return 0;
}

} // namespace

unsigned buildFlatProgram() {
    const GLuint vertex = compiled(GL_VERTEX_SHADER, kVertexSource);
    const GLuint fragment = compiled(GL_FRAGMENT_SHADER, kFragmentSource);
    GLuint program = 0;
    if (vertex && fragment) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        // Kept off location 0, which some drivers share with the fixed vertex position.
        glBindAttribLocation(program, 1, "vertexColour");
        glLinkProgram(program);
        GLint ok = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    // The program keeps its shaders alive; these names are no longer needed.
    if (vertex) glDeleteShader(vertex);
    if (fragment) glDeleteShader(fragment);
    return program;
}
