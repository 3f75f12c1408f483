#include "render/kept_picture.h"

#include <GL/glew.h>

#include "qxplatform/wgl.h"

namespace {

bool framebuffersOffered() {
    return GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object;
}

} // namespace

void KeptPicture::drop() {
    if (framebuffer != 0 && madeIn == reinterpret_cast<uintptr_t>(wglGetCurrentContext())) {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &colour);
    }
    framebuffer = colour = 0;
}

bool KeptPicture::capture(uintptr_t context, int32_t width, int32_t height) {
    if (!framebuffersOffered() || width <= 0 || height <= 0) return false;
    if (!holds(context, width, height)) {
        drop();
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        const bool complete =
            glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        madeIn = context;
        pixelsWide = width;
        pixelsHigh = height;
        if (!complete) {
            drop();
            return false;
        }
    }
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    return true;
}

void KeptPicture::restore(int32_t x, int32_t y, int32_t width, int32_t height) const {
    if (framebuffer == 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(x, y, x + width, y + height, x, y, x + width, y + height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}
