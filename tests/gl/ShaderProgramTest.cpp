// Shader files to programs: every pair the game ships links, and each failure is
// reported in its own words.
#include "render/ShaderProgram.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <filesystem>
#include <iomanip>
#include <sstream>

class ShaderProgramGl : public GlTest {};

TEST_F(ShaderProgramGl, EveryShippedPairLinksWithoutAWord) {
    for (std::string name : {"text", "ui", "flare", "phong", "shadow", "ground"}) {
        ConsoleCapture console;
        ShaderProgram program("shaders/" + name + ".vert", "shaders/" + name + ".frag");
        GLint linked = GL_FALSE;
        glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE) << name;
        EXPECT_EQ(console.stderrText(), "") << name;
        EXPECT_NE(console.stdoutText().find("[Shader] Linked OK: shaders/" + name + ".vert+shaders/" + name + ".frag\n"),
                  std::string::npos);
    }
}

TEST_F(ShaderProgramGl, EachFailureIsReportedInItsOwnWords) {
    TempDir dir;
    const std::string vertex = "#version 330 core\nlayout(location = 0) in vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n";
    dir.write("a.vert", vertex);
    dir.write("empty.frag", "");
    dir.write("bad.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0) }\n");
    const auto path = [&](const char* name) { return (dir / name).string(); };
    const std::string a = path("a.vert"), loadedA = "[Shader] Loaded " + a + " (" + std::to_string(vertex.size()) + " bytes)\n";
    const std::string skipped = "[Shader] SKIPPED link (compile failed): ";
    std::ostringstream cwd;  // the directory in the standard quoted form
    cwd << "[Shader] CWD: " << std::quoted(std::filesystem::current_path().string()) << "\n";
    struct Case { std::string vert, frag, out, err; };
    const Case cases[] = {
        {path("no.vert"), path("no.frag"), "",
         "[Shader] CANNOT OPEN: " + path("no.vert") + "\n" + cwd.str() + "[Shader] CANNOT OPEN: " + path("no.frag") +
             "\n" + cwd.str() + skipped + path("no.vert") + "\n"},
        {a, path("no.frag"), loadedA, "[Shader] CANNOT OPEN: " + path("no.frag") + "\n" + cwd.str() + skipped + a + "\n"},
        {a, path("empty.frag"), loadedA + "[Shader] Loaded " + path("empty.frag") + " (0 bytes)\n", skipped + a + "\n"},
    };
    for (const Case& c : cases) {
        ConsoleCapture console;
        EXPECT_EQ(ShaderProgram(c.vert, c.frag).id, 0u) << c.frag;
        EXPECT_EQ(console.stdoutText(), "[Shader] Compiling: " + c.vert + " + " + c.frag + "\n" + c.out);
        EXPECT_EQ(console.stderrText(), c.err);
    }
    // A syntax error is compiled and linked anyway: both logs, and a program name.
    ConsoleCapture console;
    EXPECT_NE(ShaderProgram(a, path("bad.frag")).id, 0u);
    const std::string err = console.stderrText();
    EXPECT_EQ(err.find("[Shader] COMPILE ERROR [" + path("bad.frag") + "]:\n"), 0u) << err;
    EXPECT_NE(err.find("[Shader] LINK ERROR [" + a + "+" + path("bad.frag") + "]:\n"), std::string::npos) << err;
    EXPECT_EQ(err.find("COMPILE ERROR", 10), std::string::npos) << "the vertex shader is fine";
}
