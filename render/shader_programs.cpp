#include "render/shader_programs.h"

#include <GL/glew.h>

#include <cstdio>
#include <new>

#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"
#include "render/gl_slots.h"

namespace {

void fileErrorBox(const char* format, const std::u16string& path) {
    char text[1024];
    std::snprintf(text, sizeof text, format, qxplatform::narrow(path).c_str());
    MessageBoxW(nullptr, qxplatform::widen(text).c_str(), u"ERROR", MB_ICONEXCLAMATION);
}

bool validSlot(int32_t slot) {
    return slot >= 0 && slot < GlSlotTables::kSlots;
}

int32_t compileShader(GLenum kind, const std::u16string& path, unsigned& id) {
    id = glCreateShader(kind);
    char* text = readShaderFile(path);
    if (!text) return 0;
    const char* source = text;
    glShaderSource(id, 1, &source, nullptr);
    glCompileShader(id);
    delete[] text;
    return 0;
}

} // namespace

char* readShaderFile(const std::u16string& path) {
    FILE* file = qxplatform::openFile(path, "r");
    if (!file) {
        fileErrorBox("Can't open file '%s' for reading\n", path);
        return nullptr;
    }
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size < 0) size = 0;
    char* buffer = new (std::nothrow) char[static_cast<size_t>(size) + 1];
    if (!buffer) {
        std::fclose(file);
        fileErrorBox("Can't malloc space for '%s'\n", path);
        return nullptr;
    }
    size_t read = std::fread(buffer, 1, static_cast<size_t>(size), file);
    buffer[read] = '\0';
    std::fclose(file);
    return buffer;
}

int32_t compileVertexShader(const std::u16string& path, int32_t slot) {
    if (!validSlot(slot)) return 0;
    return compileShader(GL_VERTEX_SHADER, path, glSlots().vertexShader[slot]);
}

int32_t compileFragmentShader(const std::u16string& path, int32_t slot) {
    if (!validSlot(slot)) return 0;
    return compileShader(GL_FRAGMENT_SHADER, path, glSlots().fragmentShader[slot]);
}

int32_t linkShaderSlot(int32_t slot) {
    if (!validSlot(slot)) return 0;
    GlSlotTables& t = glSlots();
    t.program[slot] = glCreateProgram();
    glAttachShader(t.program[slot], t.vertexShader[slot]);
    glAttachShader(t.program[slot], t.fragmentShader[slot]);
    glLinkProgram(t.program[slot]);
    glDeleteShader(t.vertexShader[slot]);
    glDeleteShader(t.fragmentShader[slot]);
    return 0;
}

int32_t buildShaderProgram(const std::u16string& vertexPath, const std::u16string& fragmentPath,
                           unsigned* vertexShader, unsigned* fragmentShader, unsigned* program,
                           int32_t slot) {
    if (!validSlot(slot)) return 0;
    compileVertexShader(vertexPath, slot);
    compileFragmentShader(fragmentPath, slot);
    linkShaderSlot(slot);
    GlSlotTables& t = glSlots();
    *vertexShader = t.vertexShader[slot];
    *fragmentShader = t.fragmentShader[slot];
    *program = t.program[slot];
    glUseProgram(t.program[slot]);
    return 0;
}

int32_t releaseShaderSlot(int32_t slot) {
    if (!validSlot(slot)) return 1;
    GlSlotTables& t = glSlots();
    glDeleteShader(t.vertexShader[slot]);
    glDeleteShader(t.fragmentShader[slot]);
    glUseProgram(0);
    glDeleteProgram(t.program[slot]);
    return 1;
}

void initGlState() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void setPixelProjection(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScalef(2.0f / static_cast<float>(width), -2.0f / static_cast<float>(height), 1.0f);
    glTranslatef(static_cast<float>(-(width / 2)), static_cast<float>(-(height / 2)), 0.0f);
}
