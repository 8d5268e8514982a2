// Shader files to programs: a good pair links without a word, each failure is
// reported in its own words, and the setters reach their uniforms.
#include "render/ShaderProgram.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <glm/gtc/type_ptr.hpp>

#include <filesystem>
#include <iomanip>
#include <sstream>
#include <vector>

class ShaderProgramGl : public GlTest {};

TEST_F(ShaderProgramGl, EachFailureIsReportedInItsOwnWordsAndAGoodPairLinksWithoutAWord) {
    TempDir dir;
    const std::string vertex = "#version 330 core\nlayout(location = 0) in vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n";
    dir.write("a.vert", vertex);
    dir.write("empty.frag", "");
    dir.write("bad.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0) }\n");
    dir.write("good.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
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
    ConsoleCapture good;
    EXPECT_NE(ShaderProgram(a, path("good.frag")).id, 0u);
    EXPECT_EQ(good.stderrText(), "");
    EXPECT_NE(good.stdoutText().find("[Shader] Linked OK: " + a + "+" + path("good.frag") + "\n"), std::string::npos);
}

TEST_F(ShaderProgramGl, SettersReachTheUniformsTheyNameAndIgnoreUnknownNames) {
    TempDir dir;
    dir.write("u.vert", "#version 330 core\nlayout(location = 0) in vec2 p;\nuniform mat4 m;\nuniform vec2 shift;\n"
                        "void main() { gl_Position = m * vec4(p + shift, 0.0, 1.0); }\n");
    dir.write("u.frag", "#version 330 core\nuniform vec4 color;\nuniform int pick;\nout vec4 c;\n"
                        "void main() { c = pick == 1 ? color : vec4(0.0); }\n");
    ConsoleCapture console;
    const ShaderProgram program((dir / "u.vert").string(), (dir / "u.frag").string());
    ASSERT_NE(program.id, 0u);
    program.use();
    const Mat4 m(1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9.0f, 10.0f, 11.0f, 12.0f, 13.0f, 14.0f, 15.0f, 16.0f);
    program.setMat4("m", m);
    program.setVec2("shift", Vec2(-1.5f, 2.5f));
    program.setVec4("color", Vec4(0.1f, 0.2f, 0.3f, 0.4f));
    program.setInt("pick", 1);
    program.setInt("absent", 5);  // no GL error (checked after every test)

    const auto read = [&](const char* name, int count) {
        std::vector<float> values(16);
        glGetUniformfv(program.id, glGetUniformLocation(program.id, name), values.data());
        values.resize(count);
        return values;
    };
    EXPECT_EQ(read("m", 16), std::vector<float>(glm::value_ptr(m), glm::value_ptr(m) + 16));
    EXPECT_EQ(read("shift", 2), (std::vector<float>{-1.5f, 2.5f}));
    EXPECT_EQ(read("color", 4), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(read("pick", 1), std::vector<float>{1.0f});
}
