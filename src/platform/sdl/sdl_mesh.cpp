// Meshes: X files read with Assimp, drawn depth-tested with the fixed-function light model
// of one directional light (evaluated per vertex, as that pipeline does).
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <cstddef>
#include <exception>
#include <vector>

#include "platform/sdl/sdl_gpu.h"

namespace vx::platform {

namespace {

const char* const kMeshVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;
uniform mat4 world;
uniform mat4 view;
uniform mat4 projection;
uniform vec4 lightDiffuse;
uniform vec4 lightSpecular;
uniform vec4 lightAmbient;
uniform vec3 lightDirection;
uniform vec4 ambientState;
uniform vec4 materialDiffuse;
uniform vec4 materialAmbient;
uniform vec4 materialSpecular;
uniform vec4 materialEmissive;
uniform float materialPower;
out vec2 uv;
out vec4 lit;
out vec3 highlight;
void main() {
  vec4 viewPosition = view * (world * vec4(position, 1.0));
  vec4 clip = projection * viewPosition;
  // The projection maps depth to 0..1; GL clips -1..1.
  gl_Position = vec4(clip.xy, 2.0 * clip.z - clip.w, clip.w);
  vec3 n = mat3(view) * (mat3(world) * normal);
  n = dot(n, n) > 0.0 ? normalize(n) : n;
  vec3 toLight = -normalize(mat3(view) * lightDirection);
  float d = max(dot(n, toLight), 0.0);
  vec3 colour = materialEmissive.rgb + materialAmbient.rgb * (ambientState.rgb + lightAmbient.rgb) +
                materialDiffuse.rgb * lightDiffuse.rgb * d;
  lit = vec4(clamp(colour, 0.0, 1.0), clamp(materialDiffuse.a, 0.0, 1.0));
  highlight = vec3(0.0);
  if (d > 0.0) {
    vec3 toEye = dot(viewPosition.xyz, viewPosition.xyz) > 0.0 ? normalize(-viewPosition.xyz)
                                                               : vec3(0.0, 0.0, -1.0);
    vec3 h = normalize(toEye + toLight);
    float nh = max(dot(n, h), 0.0);
    float p = materialPower > 0.0 ? pow(nh, materialPower) : 1.0;
    highlight = clamp(materialSpecular.rgb * lightSpecular.rgb * p, 0.0, 1.0);
  }
  uv = texCoord;
}
)";

const char* const kMeshFragmentShader = R"(#version 330 core
in vec2 uv;
in vec4 lit;
in vec3 highlight;
uniform sampler2D image;
out vec4 fragColour;
void main() {
  vec4 texel = texture(image, uv);
  fragColour = vec4(clamp(texel.rgb * lit.rgb + highlight, 0.0, 1.0), texel.a * lit.a);
}
)";

// The accumulated transform of the first node that shows mesh `index`.
bool FindMeshTransform(const aiNode* node, unsigned index, const aiMatrix4x4& parent,
                       aiMatrix4x4* out, int depth) {
  if (!node || depth > 64) return false;
  const aiMatrix4x4 here = parent * node->mTransformation;
  for (unsigned i = 0; i < node->mNumMeshes; ++i)
    if (node->mMeshes[i] == index) {
      *out = here;
      return true;
    }
  for (unsigned i = 0; i < node->mNumChildren; ++i)
    if (FindMeshTransform(node->mChildren[i], index, here, out, depth + 1)) return true;
  return false;
}

void SetColour(GLuint program, const char* name, const float c[4]) {
  glUniform4f(glGetUniformLocation(program, name), c[0], c[1], c[2], c[3]);
}

}  // namespace

bool SdlGpu::MakeMeshProgram() {
  meshProgram_ = LinkProgram(kMeshVertexShader, kMeshFragmentShader);
  if (!meshProgram_) return false;
  glUseProgram(meshProgram_);
  glUniform1i(glGetUniformLocation(meshProgram_, "image"), 0);
  return true;
}

bool ReadXFileMesh(const unsigned char* file, long size, std::vector<MeshVertex>* vertices,
                   std::vector<GLuint>* indices) {
  vertices->clear();
  indices->clear();
  if (!file || size <= 0) return false;
  Assimp::Importer importer;
  // The file's own left-handed coordinates, winding and texture coordinates (the reader
  // would otherwise turn them right-handed), after the reader's own check of the scene. A damaged
  // count can make the reader ask for more memory than there is; that is a bad file, not a crash.
  const aiScene* scene = nullptr;
  try {
    scene = importer.ReadFileFromMemory(
        file, static_cast<std::size_t>(size),
        aiProcess_ValidateDataStructure | aiProcess_ConvertToLeftHanded, "x");
  } catch (const std::exception&) {
    return false;
  }
  if (!scene || !scene->mRootNode || scene->mNumMeshes == 0 || !scene->mMeshes[0]) return false;
  // The first subset: the first mesh the reader produced.
  const aiMesh* mesh = scene->mMeshes[0];
  if (mesh->mNumVertices == 0 || !mesh->mVertices) return false;
  aiMatrix4x4 transform;
  FindMeshTransform(scene->mRootNode, 0, aiMatrix4x4(), &transform, 0);
  const aiMatrix3x3 turn(transform);

  vertices->resize(mesh->mNumVertices);
  for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
    const aiVector3D p = transform * mesh->mVertices[i];
    aiVector3D n = mesh->mNormals ? turn * mesh->mNormals[i] : aiVector3D(0, 0, 0);
    if (n.SquareLength() > 0) n.Normalize();
    const aiVector3D t = mesh->mTextureCoords[0] ? mesh->mTextureCoords[0][i] : aiVector3D(0, 0, 0);
    (*vertices)[i] = {{p.x, p.y, p.z}, {n.x, n.y, n.z}, {t.x, t.y}};
  }
  // Polygons become fans of triangles from their first corner; points and lines are
  // dropped. (The reader's own triangulation gives up on such faces by aborting.)
  indices->reserve(static_cast<std::size_t>(mesh->mNumFaces) * 3);
  for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
    const aiFace& face = mesh->mFaces[f];
    if (face.mNumIndices < 3 || !face.mIndices) continue;
    bool inside = true;
    for (unsigned k = 0; k < face.mNumIndices; ++k)
      inside = inside && face.mIndices[k] < mesh->mNumVertices;
    if (!inside) continue;
    for (unsigned k = 1; k + 1 < face.mNumIndices; ++k) {
      indices->push_back(face.mIndices[0]);
      indices->push_back(face.mIndices[k]);
      indices->push_back(face.mIndices[k + 1]);
    }
  }
  return !indices->empty();
}

unsigned SdlGpu::CreateMesh(const unsigned char* file, long size) {
  if (!context_) return 0;
  std::vector<MeshVertex> vertices;
  std::vector<GLuint> indices;
  if (!ReadXFileMesh(file, size, &vertices, &indices)) return 0;

  MeshEntry entry;
  glGenVertexArrays(1, &entry.vao);
  glGenBuffers(1, &entry.vbo);
  glGenBuffers(1, &entry.ibo);
  glBindVertexArray(entry.vao);
  glBindBuffer(GL_ARRAY_BUFFER, entry.vbo);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)),
               vertices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, entry.ibo);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
               indices.data(), GL_STATIC_DRAW);
  const GLsizei stride = sizeof(MeshVertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(MeshVertex, position)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(MeshVertex, normal)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(MeshVertex, uv)));
  glBindVertexArray(0);
  entry.indexCount = static_cast<GLsizei>(indices.size());

  for (std::size_t i = 0; i < meshes_.size(); ++i)
    if (meshes_[i].vao == 0) {
      meshes_[i] = entry;
      return static_cast<unsigned>(i + 1);
    }
  meshes_.push_back(entry);
  return static_cast<unsigned>(meshes_.size());
}

void SdlGpu::DestroyMesh(unsigned mesh) {
  const MeshEntry* m = FindMesh(mesh);
  if (!m) return;
  if (context_) {
    glDeleteVertexArrays(1, &m->vao);
    glDeleteBuffers(1, &m->vbo);
    glDeleteBuffers(1, &m->ibo);
  }
  meshes_[mesh - 1] = MeshEntry{};
}

void SdlGpu::DrawMesh(const MeshDraw& draw) {
  const MeshEntry* m = FindMesh(draw.mesh);
  if (!m) return;
  const GLuint p = meshProgram_;
  glUseProgram(p);
  // The matrices are for row vectors; read column by column they are the column-vector forms.
  glUniformMatrix4fv(glGetUniformLocation(p, "world"), 1, GL_FALSE, draw.world);
  glUniformMatrix4fv(glGetUniformLocation(p, "view"), 1, GL_FALSE, view_);
  glUniformMatrix4fv(glGetUniformLocation(p, "projection"), 1, GL_FALSE, projection_);
  SetColour(p, "lightDiffuse", light_.diffuse);
  SetColour(p, "lightSpecular", light_.specular);
  SetColour(p, "lightAmbient", light_.ambient);
  glUniform3f(glGetUniformLocation(p, "lightDirection"), light_.direction[0], light_.direction[1],
              light_.direction[2]);
  const float ambient[4] = {static_cast<float>((ambient_ >> 16) & 0xFF) / 255.0f,
                            static_cast<float>((ambient_ >> 8) & 0xFF) / 255.0f,
                            static_cast<float>(ambient_ & 0xFF) / 255.0f,
                            static_cast<float>((ambient_ >> 24) & 0xFF) / 255.0f};
  SetColour(p, "ambientState", ambient);
  SetColour(p, "materialDiffuse", draw.material.diffuse);
  SetColour(p, "materialAmbient", draw.material.ambient);
  SetColour(p, "materialSpecular", draw.material.specular);
  SetColour(p, "materialEmissive", draw.material.emissive);
  glUniform1f(glGetUniformLocation(p, "materialPower"), draw.material.power);

  const TextureEntry* t = FindTexture(draw.texture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, t ? t->name : whiteTexture_);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  // Front faces wind clockwise on screen; the others are culled.
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CW);
  glCullFace(GL_BACK);
  glBindVertexArray(m->vao);
  glDrawElements(GL_TRIANGLES, m->indexCount, GL_UNSIGNED_INT, nullptr);
  glBindVertexArray(0);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
}

}  // namespace vx::platform
