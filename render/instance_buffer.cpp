#include "render/instance_buffer.h"

#include <algorithm>

namespace {

GLuint buffer = 0;
GLuint texture = 0;

void createOnce() {
    if (buffer != 0) {
        return;
    }
    glGenBuffers(1, &buffer);
    glGenTextures(1, &texture);
    glBindBuffer(GL_TEXTURE_BUFFER, buffer);
    glBufferData(GL_TEXTURE_BUFFER, 0, nullptr, GL_STREAM_DRAW);
    glActiveTexture(GL_TEXTURE0 + kInstanceUnit);
    glBindTexture(GL_TEXTURE_BUFFER, texture);
    glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, buffer);
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
}

GLsizei largestSlice(int rowsPerInstance) {
    static GLint texels = 0;
    if (texels <= 0) {
        glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &texels);
    }
    return std::max<GLsizei>(1, (texels > 0 ? texels : 65536) / rowsPerInstance);
}

} // namespace

void drawInstances(const std::vector<Vec4>& rows, int rowsPerInstance,
                   const std::function<void(GLsizei count)>& draw) {
    const auto instances = static_cast<GLsizei>(rows.size() / rowsPerInstance);
    if (instances == 0) {
        return;
    }
    createOnce();
    glActiveTexture(GL_TEXTURE0 + kInstanceUnit);
    glBindTexture(GL_TEXTURE_BUFFER, texture);
    glBindBuffer(GL_TEXTURE_BUFFER, buffer);
    const GLsizei slice = largestSlice(rowsPerInstance);
    for (GLsizei first = 0; first < instances; first += slice) {
        const GLsizei count = std::min(slice, instances - first);
        const auto bytes = static_cast<GLsizeiptr>(sizeof(Vec4)) * count * rowsPerInstance;
        // New storage each time: GL keeps the old rows for draws still queued.
        glBufferData(GL_TEXTURE_BUFFER, bytes,
                     &rows[static_cast<std::size_t>(first) * rowsPerInstance], GL_STREAM_DRAW);
        glActiveTexture(GL_TEXTURE0);
        draw(count);
        glActiveTexture(GL_TEXTURE0 + kInstanceUnit);
    }
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
    glBindTexture(GL_TEXTURE_BUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
}

void destroyInstanceBuffer() {
    glDeleteTextures(1, &texture);
    glDeleteBuffers(1, &buffer);
    forgetInstanceBuffer();
}

void forgetInstanceBuffer() {
    buffer = 0;
    texture = 0;
}
