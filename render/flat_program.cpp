#include "render/flat_program.h"

#include <GL/glew.h>

namespace {

const char* const kVertexSource = R"(#version 120
attribute vec4 vertexColour;
varying vec4 flatColour;
void main() {
    flatColour = vertexColour;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
)";

const char* const kFragmentSource = R"(#version 120
varying vec4 flatColour;
void main() {
    gl_FragColor = flatColour;
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
