// The intro's three models, written as text X files.
#pragma once

#include <string>
#include <vector>

namespace vx::art {

struct V3 {
  double x, y, z;
};
struct Vertex {
  V3 p, n;
  double u, v;
};

struct Mesh {
  std::vector<Vertex> verts;
  std::vector<int> tris;
  int Add(Vertex v) {
    verts.push_back(v);
    return int(verts.size()) - 1;
  }
  // Adds a triangle wound so that its face normal agrees with `outward`.
  void Tri(int a, int b, int c, V3 outward);
};

// The mesh of a model member.
Mesh ModelMesh(const std::string& member);
// Writes the model member (xfile/logo.x, xfile/music.x or xfile/copyright.x) as X file text.
std::string ModelText(const std::string& member);

}  // namespace vx::art
