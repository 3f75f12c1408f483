// Shader programs read from the files beside the module, the fixed GL state and the pixel
// projection that every frame starts with.
#pragma once

#include <cstdint>
#include <string>

// The file's text, zero-terminated, in a buffer the caller frees with delete[]; null (after a
// message box) when the file cannot be read.
char* readShaderFile(const std::u16string& path);
int32_t compileVertexShader(const std::u16string& path, int32_t slot);
int32_t compileFragmentShader(const std::u16string& path, int32_t slot);
int32_t linkShaderSlot(int32_t slot);
int32_t buildShaderProgram(const std::u16string& vertexPath, const std::u16string& fragmentPath,
                           unsigned* vertexShader, unsigned* fragmentShader, unsigned* program,
                           int32_t slot);
int32_t releaseShaderSlot(int32_t slot);
void initGlState();
// Pixel coordinates with the origin at the top left and y downwards. A width or height of 0
// or less leaves the projection alone rather than dividing by zero.
void setPixelProjection(int32_t width, int32_t height);
