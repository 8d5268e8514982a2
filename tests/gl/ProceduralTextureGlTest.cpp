// The procedural textures as GL textures: what generateAll announces, uploads
// that read back as built (mipmaps too), textures made on first request, and
// release.
#include "render/ProceduralTexture.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#include <set>

using namespace ProceduralTexture;

namespace {

Pixels readBack(GLuint texture, int level = 0) {
    const std::size_t size = static_cast<std::size_t>(kSize >> level);
    Pixels pixels(size * size * 3, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

GLuint lookup(TextureRequest request) {
    switch (request.kind) {
        case TextureKind::Albedo: return albedoTexture(request.material);
        case TextureKind::Specular: return specularTexture(request.material);
        case TextureKind::NormalMap: return normalMapTexture(request.material);
        case TextureKind::BallSpecular: return ballSpecularTexture();
    }
    return 0;
}

}  // namespace

class ProceduralTextureGl : public GlTest {};

TEST_F(ProceduralTextureGl, PixelsBuiltAheadUploadAsBuiltSkipTheCachedOthersComeOnRequestAndReleaseDeletesAll) {
    releaseAll();  // the caches are process-wide
    const GLuint wood = albedoTexture(2);  // cached before: not made again, the others keep their pixels
    ConsoleCapture console;
    startBuildingStartupPixels();
    generateAll();
    const std::string announced = console.stdoutText();
    EXPECT_EQ(announced, "[ProceduralTexture] Generated: stone (256x256)\n[ProceduralTexture] Generated: marble (256x256)\n"
                         "[ProceduralTexture] Generated: cobblestone (256x256)\n"
                         "[ProceduralTexture] Generated: dirt (256x256)\n[ProceduralTexture] Generated: ice (256x256)\n"
                         "[ProceduralTexture] Generated: ball_specular (256x256)\n");
    EXPECT_EQ(albedoTexture(2), wood);
    std::set<GLuint> names;
    for (const TextureRequest& request : startupRequests()) {
        names.insert(lookup(request));
        EXPECT_TRUE(readBack(lookup(request)) == buildPixels(request))
            << static_cast<int>(request.kind) << "/" << request.material;
    }
    EXPECT_EQ(names.size(), 18u);
    EXPECT_EQ(console.stdoutText(), announced) << "a cached texture was made again";
    EXPECT_EQ(albedoTexture(0) + specularTexture(0) + normalMapTexture(0) + albedoTexture(7), 0u);
    const GLuint flat = normalMapTexture(4);  // cobblestone's flat map is made on its first request
    EXPECT_TRUE(flat != 0 && names.insert(flat).second);
    EXPECT_TRUE(readBack(flat) == buildNormalMapPixels(4));
    EXPECT_EQ(normalMapTexture(4), flat);
    EXPECT_TRUE(readBack(specularTexture(7)) == Pixels(kByteCount, 114));
    names.insert(specularTexture(7));
    releaseAll();
    for (GLuint name : names) EXPECT_FALSE(glIsTexture(name)) << name;
    const GLuint stone = albedoTexture(1);
    EXPECT_EQ(console.stdoutText(), announced + "[ProceduralTexture] Generated: stone (256x256)\n");
    EXPECT_TRUE(readBack(stone) == buildAlbedoPixels(1));
    releaseAll();
}

TEST_F(ProceduralTextureGl, UploadedMipmapsAreTheChainAndTheDriversOwnTexelForTexel) {
    const MipChain chain = buildMipChain(buildAlbedoPixels(3));  // marble: fine veins that mipmaps blur
    const GLuint ours = uploadTexture(chain);
    ASSERT_NE(ours, 0u);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "later uploads assume the default";
    GLuint driver = 0;
    glGenTextures(1, &driver);
    glBindTexture(GL_TEXTURE_2D, driver);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, kSize, kSize, 0, GL_RGB, GL_UNSIGNED_BYTE, chain[0].data());
    glGenerateMipmap(GL_TEXTURE_2D);
    for (int level = 0; level < static_cast<int>(chain.size()); ++level) {
        SCOPED_TRACE(level);
        EXPECT_TRUE(readBack(ours, level) == chain[level]);
        EXPECT_TRUE(readBack(driver, level) == chain[level]) << "the textures no longer look as the driver made them";
    }
    EXPECT_EQ(uploadTexture(MipChain()), 0u);
    glDeleteTextures(1, &ours);
    glDeleteTextures(1, &driver);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
