// Small text X files, each written to show one thing the model loader must take or refuse:
// what real exporters write around a mesh (templates, DeclData, frames, materials, skins,
// animations) and the damaged numbers the X-file reader would trust.
#pragma once

#include <string>
#include <vector>

namespace vx::test {

inline const char kXHeader[] = "xof 0303txt 0032\n";

// A quad of two triangles with normals and texture coordinates, its numbers spelled out so that
// single ones can be damaged; `inside` goes after the texture coordinates, inside the mesh.
struct QuadParts {
  std::string vertexCount = "4";
  std::string faceCount = "2";
  std::string firstFace = "3;0,1,2;";
  std::string normalFace = "3;0,0,0;";
  std::string inside;
  QuadParts& Vertices(std::string v) { return Set(&QuadParts::vertexCount, std::move(v)); }
  QuadParts& Faces(std::string v) { return Set(&QuadParts::faceCount, std::move(v)); }
  QuadParts& FirstFace(std::string v) { return Set(&QuadParts::firstFace, std::move(v)); }
  QuadParts& NormalFace(std::string v) { return Set(&QuadParts::normalFace, std::move(v)); }
  QuadParts& Inside(std::string v) { return Set(&QuadParts::inside, std::move(v)); }

 private:
  QuadParts& Set(std::string QuadParts::*field, std::string v) {
    this->*field = std::move(v);
    return *this;
  }
};

inline std::string QuadMesh(const QuadParts& q = {}) {
  return "Mesh quad {\n " + q.vertexCount +
         ";\n -1.000000;-1.000000;0.000000;,\n -1.000000;1.000000;0.000000;,\n"
         " 1.000000;1.000000;0.000000;,\n 1.000000;-1.000000;0.000000;;\n " +
         q.faceCount + ";\n " + q.firstFace +
         ",\n 3;0,2,3;;\n"
         " MeshNormals {\n  1;\n  0.000000;0.000000;-1.000000;;\n  2;\n  " +
         q.normalFace +
         ",\n  3;0,0,0;;\n }\n"
         " MeshTextureCoords {\n  4;\n  0.000000;1.000000;,\n  0.000000;0.000000;,\n"
         "  1.000000;0.000000;,\n  1.000000;1.000000;;\n }\n" +
         q.inside + "}\n";
}

// Frames around the quad, `depth` (2 or more) in all: the outermost with a transform matrix
// written the way exporters write it, the innermost named "quad".
inline std::string FramedQuad(int depth, const QuadParts& q = {}) {
  std::string open, close;
  for (int d = 2; d < depth; ++d) {
    open += "Frame level" + std::to_string(d) + " {\n";
    close += "}\n";
  }
  return "Frame root {\n FrameTransformMatrix {\n"
         "  1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,"
         "0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,-0.000000,1.000000;;\n }\n" +
         open + "Frame quad {\n" + QuadMesh(q) + "}\n" + close + "}\n";
}

inline const char kTemplates[] =
    "template Vector {\n <3D82AB5E-62DA-11cf-AB39-0020AF71E433>\n FLOAT x;\n FLOAT y;\n"
    " FLOAT z;\n}\n"
    "template Mesh {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n DWORD nVertices;\n"
    " array Vector vertices[nVertices];\n DWORD nFaces;\n array MeshFace faces[nFaces];\n"
    " [...]\n}\n"
    "template FVFData {\n <b6e70a0e-8ef9-4e83-94ad-ecc8b0c04897>\n DWORD dwFVF;\n"
    " DWORD nDWords;\n array DWORD data[nDWords];\n}\n";

// Raw 32-bit words of a vertex declaration, far larger than the file.
inline const char kDeclData[] =
    " DeclData {\n  1;\n  2;0;3;0;;\n  6;\n  3198039908,\n  1065353216,\n  0,\n"
    "  3031830834,\n  3212836864,\n  1065353216;\n }\n";

inline const char kMaterialList[] =
    " MeshMaterialList {\n  1;\n  2;\n  0,\n  0;;\n"
    "  Material plate {\n   1.000000;1.000000;1.000000;1.000000;;\n   8.000000;\n"
    "   0.000000;0.000000;0.000000;;\n   0.000000;0.000000;0.000000;;\n"
    "   TextureFilename {\n    \"img\\\\plate {1}.tga\";\n   }\n  }\n }\n";

inline const char kVertexColours[] =
    " MeshVertexColors {\n  4;\n  0;1.000000;0.000000;0.000000;1.000000;;,\n"
    "  1;0.000000;1.000000;0.000000;1.000000;;,\n  2;0.000000;0.000000;1.000000;1.000000;;,\n"
    "  3;1.000000;1.000000;1.000000;1.000000;;;\n }\n";

inline const char kIdentity[] =
    "1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,"
    "0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000;;\n";

inline std::string SkinWeights(const std::string& count, const std::string& vertices) {
  return " XSkinMeshHeader {\n  1;\n  3;\n  1;\n }\n SkinWeights {\n  \"root\";\n  " + count +
         ";\n  " + vertices + ";\n  1.000000,\n  1.000000;\n  " + kIdentity + " }\n";
}

inline const char kAnimation[] =
    "AnimTicksPerSecond {\n 4800;\n}\n"
    "AnimationSet turn {\n Animation {\n  {quad}\n  AnimationKey {\n   0;\n   2;\n"
    "   0;4;1.000000,0.000000,0.000000,0.000000;;,\n"
    "   100;4;0.707107,0.000000,0.707107,0.000000;;;\n  }\n"
    "  AnimationOptions {\n   1;\n   0;\n  }\n }\n}\n";

struct XFileCase {
  const char* what;
  std::string text;
  bool plausible;  // the model loader hands it to the reader
  int triangles;   // what the reader makes of a plausible file (0: nothing to draw)
};

inline std::vector<XFileCase> XFileCases() {
  const std::string h = kXHeader;
  std::string materialTwice = kMaterialList;
  materialTwice += kMaterialList;
  return {
      {"a bare quad", h + QuadMesh(), true, 2},
      {"a four-corner face",
       h + QuadMesh(QuadParts().FirstFace("4;0,1,2,3;").NormalFace("4;0,0,0,0;")), true, 3},
      {"template declarations with GUIDs", h + kTemplates + QuadMesh(), true, 2},
      {"DeclData words larger than the file", h + QuadMesh(QuadParts().Inside(kDeclData)), true, 2},
      {"frames with a transform matrix", h + FramedQuad(2), true, 2},
      {"a material with a texture name, and vertex colours",
       h + QuadMesh(QuadParts().Inside(std::string(kMaterialList) + kVertexColours)), true, 2},
      {"skin weights and an animation",
       h + FramedQuad(2, QuadParts().Inside(SkinWeights("2", "0,\n  1"))) + kAnimation, true, 2},
      {"reals written as whole numbers and with a decimal comma",
       h + "Mesh quad {\n 4;\n -1;-1;0;,\n -1;1;0;,\n 0,5;1;0;,\n 1;-1;0;;\n 2;\n 3;0,1,2;,\n"
           " 3;0,2,3;;\n}\n",
       true, 2},
      {"comments",
       h + "// exported by hand\n# shapes: 1\n" + QuadMesh(QuadParts().Inside(" // end\n")), true,
       2},
      {"frames nested 64 deep", h + FramedQuad(64), true, 2},
      {"no mesh at all", h + "Frame root {\n}\n", true, 0},

      {"binary X file", "xof 0303bin 0032" + std::string(40, '\1'), false, 0},
      {"compressed X file", "xof 0303tzip0032" + std::string(40, 'a'), false, 0},
      {"no header", QuadMesh(), false, 0},
      {"an unknown float size", "xof 0303txt 0016\n" + QuadMesh(), false, 0},
      {"a negative vertex count", h + QuadMesh(QuadParts().Vertices("-4")), false, 0},
      {"a vertex count that would reserve 100 GB", h + QuadMesh(QuadParts().Vertices("8589934592")),
       false, 0},
      {"fewer vertices than the count", h + QuadMesh(QuadParts().Vertices("5")), false, 0},
      {"no vertices", h + QuadMesh(QuadParts().Vertices("0")), false, 0},
      // The reader itself lets an index equal to the vertex count through.
      {"a face names the vertex one past the end", h + QuadMesh(QuadParts().FirstFace("3;0,1,4;")),
       false, 0},
      {"a face without corners", h + QuadMesh(QuadParts().FirstFace("0;")), false, 0},
      {"a normal face names a missing normal", h + QuadMesh(QuadParts().NormalFace("3;0,1,0;")),
       false, 0},
      {"cut short", (h + QuadMesh()).substr(0, 150), false, 0},
      {"a damaged face count inside frames", h + FramedQuad(3, QuadParts().Faces("4000000000")),
       false, 0},
      {"skin weights on a missing vertex",
       h + FramedQuad(2, QuadParts().Inside(SkinWeights("2", "0,\n  4"))), false, 0},
      {"a skin weight count beyond the file",
       h + FramedQuad(2, QuadParts().Inside(SkinWeights("900000000", "0,\n  1"))), false, 0},
      {"a face's material that the list does not hold",
       h + QuadMesh(
               QuadParts().Inside(" MeshMaterialList {\n  1;\n  2;\n  0,\n  1;;\n  {plate}\n }\n")),
       false, 0},
      {"a material list without materials",
       h + QuadMesh(QuadParts().Inside(" MeshMaterialList {\n  1;\n  1;\n  0;;\n }\n")), false, 0},
      {"two material lists in one mesh", h + QuadMesh(QuadParts().Inside(materialTwice)), false, 0},
      // The reader skips the rest of the header line, and ends a comment at a carriage return.
      {"a damaged mesh behind the header line",
       "xof 0303txt 0032 Hidden {\n" + QuadMesh(QuadParts().Vertices("-4")) + "}\n", false, 0},
      {"a damaged mesh after a comment ended by a carriage return",
       h + "// note\r" + QuadMesh(QuadParts().Vertices("-4")), false, 0},
      // The reader ends a template at its first closing brace.
      {"a template holding a brace",
       h + "template T {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n { }\n" +
           QuadMesh(QuadParts().Vertices("-4")) + "}\n",
       false, 0},
      {"frames nested 65 deep", h + FramedQuad(65), false, 0},
  };
}

}  // namespace vx::test
