// Shader files to programs, with the console report of each outcome.
#include "render/ShaderProgram.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <filesystem>

namespace {
const char* kVertex = "#version 330 core\nlayout(location = 0) in vec3 aPos;\nvoid main() { gl_Position = vec4(aPos, 1.0); }\n";
const char* kFragment = "#version 330 core\nout vec4 c;\nuniform vec4 color;\nvoid main() { c = color; }\n";

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}
}  // namespace

class ShaderProgramGl : public GlTest {
protected:
    TempDir dir;
    std::string path(const char* name) const { return (dir / name).string(); }
};

TEST_F(ShaderProgramGl, GoodPairLinksAndReportsEachStep) {
    dir.write("a.vert", kVertex);
    dir.write("a.frag", kFragment);
    ConsoleCapture console;
    ShaderProgram program(path("a.vert"), path("a.frag"));
    EXPECT_NE(program.id, 0u);
    EXPECT_EQ(console.stdoutText(),
              "[Shader] Compiling: " + path("a.vert") + " + " + path("a.frag") + "\n" +
                  "[Shader] Loaded " + path("a.vert") + " (" + std::to_string(strlen(kVertex)) + " bytes)\n" +
                  "[Shader] Loaded " + path("a.frag") + " (" + std::to_string(strlen(kFragment)) + " bytes)\n" +
                  "[Shader] Linked OK: " + path("a.vert") + "+" + path("a.frag") + "\n");
    EXPECT_EQ(console.stderrText(), "");
    const GLuint id = program.id;
    program.release();
    EXPECT_FALSE(glIsProgram(id));
}

TEST_F(ShaderProgramGl, BothFilesMissingReportsBothAndSkipsTheLink) {
    ConsoleCapture console;
    ShaderProgram program(path("none.vert"), path("none.frag"));
    EXPECT_EQ(program.id, 0u);
    const std::string err = console.stderrText();
    EXPECT_EQ(count(err, "[Shader] CANNOT OPEN: "), 2);
    EXPECT_EQ(count(err, "[Shader] CWD: \""), 2);
    EXPECT_NE(err.find("[Shader] CANNOT OPEN: " + path("none.frag") + "\n"), std::string::npos);
    EXPECT_NE(err.find("[Shader] SKIPPED link (compile failed): " + path("none.vert") + "\n"), std::string::npos);
}

TEST_F(ShaderProgramGl, EmptyFragmentFileIsLoadedWithZeroBytesAndGivesIdZero) {
    dir.write("a.vert", kVertex);
    dir.write("empty.frag", "");
    ConsoleCapture console;
    ShaderProgram program(path("a.vert"), path("empty.frag"));
    EXPECT_EQ(program.id, 0u);
    EXPECT_NE(console.stdoutText().find("[Shader] Loaded " + path("empty.frag") + " (0 bytes)\n"), std::string::npos);
    EXPECT_EQ(console.stderrText(), "[Shader] SKIPPED link (compile failed): " + path("a.vert") + "\n");
}

TEST_F(ShaderProgramGl, SyntaxErrorReportsCompileAndLinkErrorsButKeepsAnId) {
    dir.write("a.vert", kVertex);
    dir.write("bad.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0) }\n");
    ConsoleCapture console;
    ShaderProgram program(path("a.vert"), path("bad.frag"));
    EXPECT_NE(program.id, 0u);
    const std::string err = console.stderrText();
    EXPECT_EQ(err.find("[Shader] COMPILE ERROR [" + path("bad.frag") + "]:\n"), 0u) << err;
    EXPECT_NE(err.find("[Shader] LINK ERROR [" + path("a.vert") + "+" + path("bad.frag") + "]:\n"), std::string::npos);
    EXPECT_EQ(count(err, "COMPILE ERROR"), 1);
}

TEST_F(ShaderProgramGl, MoveHandsTheProgramOverAndTakeIdForgetsIt) {
    dir.write("a.vert", kVertex);
    dir.write("a.frag", kFragment);
    ConsoleCapture console;
    ShaderProgram first(path("a.vert"), path("a.frag"));
    const GLuint id = first.id;
    ShaderProgram second(std::move(first));
    EXPECT_EQ(first.id, 0u);
    EXPECT_EQ(second.id, id);
    ShaderProgram owner;
    owner.id = second.takeId();
    second.release();  // owns nothing any more
    EXPECT_TRUE(glIsProgram(id));
    owner.use();
    owner.setInt("missing", 3);  // a name the program lacks changes nothing
    glUseProgram(0);
    owner.release();
    EXPECT_FALSE(glIsProgram(id));
}
