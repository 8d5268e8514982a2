// Shader files and image uploads on a real context: every shipped shader pair
// compiles and links, and a missing file gives no program; an image whose rows
// are not whole four-byte words reads back as the file holds it.
#include "render/ImageTextures.h"
#include "render/ShaderProgram.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

namespace {

std::vector<std::uint8_t> levelZero(GLuint texture, size_t size) {
    std::vector<std::uint8_t> bytes(size);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return bytes;
}

bool linked(GLuint program) {
    GLint status = GL_FALSE;
    if (program != 0) glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

class UploadGl : public GlTest {
protected:
    ConsoleCapture quiet;
};

}  // namespace

TEST_F(UploadGl, EveryShaderPairLinksAndAMissingFileGivesNoProgram) {
    for (const char* name : {"phong", "shadow", "ground", "flare", "ui", "text"}) {
        const std::string base = std::string("shaders/") + name;
        EXPECT_TRUE(linked(ShaderProgram(base + ".vert", base + ".frag").id())) << name << "\n" << quiet.stderrText();
    }
    EXPECT_EQ(ShaderProgram("shaders/phong.vert", "shaders/no-such.frag").id(), 0u);
    EXPECT_EQ(ShaderProgram("shaders/no-such.vert", "shaders/phong.frag").id(), 0u);
}

TEST_F(UploadGl, RowsThatAreNotWholeWordsReadBackAsTheyWere) {
    // 3 x 2 RGB: rows of nine bytes, top row first in the file, bottom first in GL.
    TempDir dir;
    const std::uint8_t top[18] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    ASSERT_NE(stbi_write_png((dir / "odd.png").c_str(), 3, 2, 3, top, 9), 0);
    ImageTextures images;
    const GLuint odd = images.load((dir / "odd.png").string(), false);
    std::vector<std::uint8_t> bottomFirst(top + 9, top + 18);
    bottomFirst.insert(bottomFirst.end(), top, top + 9);
    EXPECT_EQ(levelZero(odd, 18), bottomFirst);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "later uploads assume the default";
}
