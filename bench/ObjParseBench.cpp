// CPU cost of reading a large OBJ: a generated 100k-triangle grid with
// positions, uvs and normals, parsed into meshes (de-duplication, tangents).
#include "model/ObjParser.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

// A (side x side) grid of quads, two triangles each, every corner "v/t/n".
std::string buildGridObj(int side) {
    std::ostringstream obj;
    obj << "mtllib grid.mtl\n";
    for (int z = 0; z <= side; ++z) {
        for (int x = 0; x <= side; ++x) {
            obj << "v " << x * 0.1f << " " << 0.05f * ((x + z) % 7) << " " << z * 0.1f << "\n";
            obj << "vt " << static_cast<float>(x) / side << " " << static_cast<float>(z) / side << "\n";
            obj << "vn 0 1 0\n";
        }
    }
    obj << "usemtl ground\n";
    const int row = side + 1;
    for (int z = 0; z < side; ++z) {
        for (int x = 0; x < side; ++x) {
            const int a = z * row + x + 1;
            const int b = a + 1;
            const int c = a + row + 1;
            const int d = a + row;
            obj << "f " << a << "/" << a << "/" << a << " " << b << "/" << b << "/" << b << " " << c << "/" << c
                << "/" << c << "\n";
            obj << "f " << a << "/" << a << "/" << a << " " << c << "/" << c << "/" << c << " " << d << "/" << d
                << "/" << d << "\n";
        }
    }
    return obj.str();
}

void parseHundredThousandTriangles(benchmark::State& state) {
    const int side = 224;  // 224 * 224 * 2 = 100352 triangles
    const std::string text = buildGridObj(side);
    size_t triangles = 0;
    for (auto _ : state) {
        ObjData data = parseObj(text);
        triangles = data.meshes.empty() ? 0 : data.meshes[0].indices.size() / 3;
        benchmark::DoNotOptimize(data);
    }
    state.counters["triangles"] = static_cast<double>(triangles);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(parseHundredThousandTriangles)->Unit(benchmark::kMillisecond);
