#include "platform/sdl/sdl_gpu.h"

#include <SDL_image.h>
#include <epoxy/egl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/sdl_devices.h"

namespace vx::platform {

namespace {

// Sprites: surface pixels (512 x 512, y down) to clip space; the colour multiplies the texel.
const char* const kSpriteVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec4 colour;
layout(location = 3) in vec4 texelBounds;
out vec2 uv;
out vec4 tint;
flat out vec4 bounds;
void main() {
  uv = texCoord;
  tint = colour;
  bounds = texelBounds;
  gl_Position = vec4(position.x / 256.0 - 1.0, 1.0 - position.y / 256.0, 0.0, 1.0);
}
)";

const char* const kSpriteFragmentShader = R"(#version 330 core
in vec2 uv;
in vec4 tint;
flat in vec4 bounds;
uniform sampler2D image;
out vec4 fragColour;
void main() {
  // Filtering never reaches past the rectangle's outer texel centres, so enlarged sprites
  // cut from a sheet do not pick up their neighbours' edges.
  vec2 inside = clamp(uv, min(bounds.xy, bounds.zw), max(bounds.xy, bounds.zw));
  fragColour = textureGrad(image, inside, dFdx(uv), dFdy(uv)) * tint;
}
)";

GLuint Compile(GLenum type, const char* source) {
  GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "GL shader: %s\n", log);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

const char* ImageType(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png:
      return "PNG";
    case ImageFormat::Jpeg:
      return "JPG";
    case ImageFormat::Bmp:
      return "BMP";
    case ImageFormat::Tga:
      break;
  }
  return "TGA";
}

#ifndef NDEBUG
// Debug builds stop at the first GL error, where it happens.
void GLAPIENTRY StopOnGlError(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar* message,
                              const void*) {
  if (type != GL_DEBUG_TYPE_ERROR) return;
  std::fprintf(stderr, "GL error: %s\n", message);
  std::abort();
}
#endif

// The size of the surface GL draws into. That is the window's pixel size, except on SDL's
// offscreen driver, whose EGL surface keeps the size the window was created with.
void SurfaceSize(SdlWindow* window, int* w, int* h) {
  window->PixelSize(w, h);
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "offscreen") != 0) return;
  EGLDisplay display = eglGetCurrentDisplay();
  EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  EGLint sw = 0, sh = 0;
  if (display != EGL_NO_DISPLAY && surface != EGL_NO_SURFACE &&
      eglQuerySurface(display, surface, EGL_WIDTH, &sw) &&
      eglQuerySurface(display, surface, EGL_HEIGHT, &sh) && sw > 0 && sh > 0) {
    *w = sw;
    *h = sh;
  }
}

}  // namespace

GLuint LinkProgram(const char* vertexSource, const char* fragmentSource) {
  GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource);
  GLuint fs = Compile(GL_FRAGMENT_SHADER, fragmentSource);
  if (!vs || !fs) {
    if (vs) glDeleteShader(vs);
    if (fs) glDeleteShader(fs);
    return 0;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, vs);
  glAttachShader(program, fs);
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    std::fprintf(stderr, "GL program: %s\n", log);
    glDeleteProgram(program);
    return 0;
  }
  return program;
}

bool SdlGpu::Create() {
  if (!window_ || !window_->handle) return false;
#ifndef NDEBUG
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_DEBUG_FLAG);
#endif
  context_ = SDL_GL_CreateContext(window_->handle);
  if (!context_) {
    std::fprintf(stderr, "OpenGL 3.3 core context: %s\n", SDL_GetError());
    return false;
  }
  if (epoxy_gl_version() < 33) {
    std::fprintf(stderr, "OpenGL 3.3 core context: only version %d.%d\n", epoxy_gl_version() / 10,
                 epoxy_gl_version() % 10);
    Destroy();
    return false;
  }
#ifndef NDEBUG
  if (epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_KHR_debug")) {
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(StopOnGlError, nullptr);
  }
#endif
  // Wait for the display when it can; otherwise the frame cap in Present keeps the rate sane.
  vsync_ = SDL_GL_SetSwapInterval(1) == 0;
  if (!MakePrograms()) {
    Destroy();
    return false;
  }
  return true;
}

bool SdlGpu::MakePrograms() {
  spriteProgram_ = LinkProgram(kSpriteVertexShader, kSpriteFragmentShader);
  if (!spriteProgram_) return false;
  glUseProgram(spriteProgram_);
  glUniform1i(glGetUniformLocation(spriteProgram_, "image"), 0);

  glGenVertexArrays(1, &spriteVao_);
  glGenBuffers(1, &spriteVbo_);
  glGenBuffers(1, &spriteIbo_);
  glBindVertexArray(spriteVao_);
  glBindBuffer(GL_ARRAY_BUFFER, spriteVbo_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, spriteIbo_);
  const GLsizei stride = sizeof(SpriteVertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(SpriteVertex, x)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(SpriteVertex, u)));
  // The ARGB word lies in memory as B, G, R, A.
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        reinterpret_cast<void*>(offsetof(SpriteVertex, colour)));
  glEnableVertexAttribArray(3);
  glVertexAttribPointer(3, 4, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(SpriteVertex, bounds)));
  glBindVertexArray(0);
  vertices_.reserve(4 * 16384);
  runs_.reserve(1024);

  if (!MakeMeshProgram()) return false;
  // Untextured meshes sample this white texel.
  const unsigned char white[4] = {255, 255, 255, 255};
  glGenTextures(1, &whiteTexture_);
  glBindTexture(GL_TEXTURE_2D, whiteTexture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return glGetError() == GL_NO_ERROR;
}

void SdlGpu::BeginFrame() {
  int w = 0, h = 0;
  SurfaceSize(window_, &w, &h);
  // The picture fills the largest centred square; the rest of the surface stays black (the
  // clear below covers the whole surface whatever the viewport). GL counts rows from the
  // bottom.
  const SquareArea area = CentredSquare(w, h);
  glViewport(area.x, h - area.y - area.size, area.size, area.size);
  glDepthRange(0.0, 1.0);
  glDepthMask(GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void SdlGpu::BeginSprites() {
  vertices_.clear();
  runs_.clear();
}

const SdlGpu::TextureEntry* SdlGpu::FindTexture(unsigned id) const {
  if (id < 1 || id > textures_.size() || textures_[id - 1].name == 0) return nullptr;
  return &textures_[id - 1];
}

const SdlGpu::MeshEntry* SdlGpu::FindMesh(unsigned id) const {
  if (id < 1 || id > meshes_.size() || meshes_[id - 1].vao == 0) return nullptr;
  return &meshes_[id - 1];
}

void SdlGpu::DrawSprite(const SpriteDraw& s) {
  const TextureEntry* t = FindTexture(s.texture);
  if (!t) return;
  SpriteVertex quad[4];
  SpriteQuad(s, t->width, t->height, quad);
  const int first = static_cast<int>(vertices_.size() / 4);
  vertices_.insert(vertices_.end(), quad, quad + 4);
  if (runs_.empty() || runs_.back().texture != t->name)
    runs_.push_back({t->name, first, 1});
  else
    ++runs_.back().quads;
}

void SdlGpu::EndSprites() {
  lastSpriteDrawCalls = 0;
  DrawSpriteBatch();
  if (context_ && !retired_.empty())
    glDeleteTextures(static_cast<GLsizei>(retired_.size()), retired_.data());
  retired_.clear();
}

void SdlGpu::DrawSpriteBatch() {
  if (vertices_.empty()) return;
  const int quads = static_cast<int>(vertices_.size() / 4);
  glBindVertexArray(spriteVao_);
  if (quads > indexedQuads_) {
    int capacity = indexedQuads_ ? indexedQuads_ : 4096;
    while (capacity < quads) capacity *= 2;
    std::vector<GLuint> indices(static_cast<std::size_t>(capacity) * 6);
    for (int q = 0; q < capacity; ++q) {
      const GLuint b = static_cast<GLuint>(q) * 4;
      GLuint* i = &indices[static_cast<std::size_t>(q) * 6];
      i[0] = b;
      i[1] = b + 1;
      i[2] = b + 2;
      i[3] = b;
      i[4] = b + 2;
      i[5] = b + 3;
    }
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    indexedQuads_ = capacity;
  }
  glBindBuffer(GL_ARRAY_BUFFER, spriteVbo_);
  const GLsizeiptr bytes = static_cast<GLsizeiptr>(vertices_.size() * sizeof(SpriteVertex));
  glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);  // a fresh buffer each frame
  glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, vertices_.data());

  glUseProgram(spriteProgram_);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glActiveTexture(GL_TEXTURE0);
  for (const Run& run : runs_) {
    glBindTexture(GL_TEXTURE_2D, run.texture);
    glDrawElements(
        GL_TRIANGLES, run.quads * 6, GL_UNSIGNED_INT,
        reinterpret_cast<void*>(static_cast<std::size_t>(run.firstQuad) * 6 * sizeof(GLuint)));
    ++lastSpriteDrawCalls;
  }
  glDisable(GL_BLEND);
  glBindVertexArray(0);
  vertices_.clear();
  runs_.clear();
}

void SdlGpu::Present() {
  if (keepLastFrame) {
    int w = 0, h = 0;
    SurfaceSize(window_, &w, &h);
    if (w > 0 && h > 0) {
      lastFrame_.resize(static_cast<std::size_t>(w) * h * 4);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, lastFrame_.data());
      lastFrameWidth_ = w;
      lastFrameHeight_ = h;
    }
  }
  SDL_GL_SwapWindow(window_->handle);
  if (!vsync_) {
    // About 240 frames a second at most when the swap does not wait for the display.
    const std::uint64_t frequency = SDL_GetPerformanceFrequency();
    const std::uint64_t minimum = frequency / 240;
    std::uint64_t now = SDL_GetPerformanceCounter();
    if (lastPresent_ && now - lastPresent_ < minimum) {
      SDL_Delay(static_cast<Uint32>((minimum - (now - lastPresent_)) * 1000 / frequency));
      now = SDL_GetPerformanceCounter();
    }
    lastPresent_ = now;
  }
}

bool SdlGpu::SaveScreenshot(const char* path) {
  if (lastFrame_.empty() || !path) return false;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, lastFrameWidth_, lastFrameHeight_, 32,
                                                        SDL_PIXELFORMAT_RGBA32);
  if (!surface) return false;
  // GL rows run bottom-up; the file's run top-down.
  const std::size_t row = static_cast<std::size_t>(lastFrameWidth_) * 4;
  for (int y = 0; y < lastFrameHeight_; ++y)
    std::memcpy(static_cast<unsigned char*>(surface->pixels) + surface->pitch * y,
                &lastFrame_[row * static_cast<std::size_t>(lastFrameHeight_ - 1 - y)], row);
  const bool ok = IMG_SavePNG(surface, path) == 0;
  SDL_FreeSurface(surface);
  return ok;
}

SDL_Surface* DecodeImage(const unsigned char* file, long size, ImageFormat format, int width,
                         int height) {
  if (!file || size <= 0 || size > 0x7FFFFFFF) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(file, static_cast<int>(size));
  if (!rw) return nullptr;
  SDL_Surface* decoded = IMG_LoadTyped_RW(rw, 1, ImageType(format));
  if (!decoded) return nullptr;
  // The header promised this size; anything else is a damaged file.
  if (decoded->w != width || decoded->h != height) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(decoded);
  return rgba;
}

unsigned SdlGpu::CreateTexture(const unsigned char* file, long size, ImageFormat format, int width,
                               int height) {
  if (!context_) return 0;
  SDL_Surface* rgba = DecodeImage(file, size, format, width, height);
  if (!rgba) return 0;

  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->pitch / 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, rgba->w, rgba->h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               rgba->pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  SDL_FreeSurface(rgba);
  glGenerateMipmap(GL_TEXTURE_2D);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // No anisotropic filtering: its extra probes spread along the footprint around the
  // coordinate the sprite shader has held inside the piece's rectangle, so scaled-down pieces
  // of a sheet picked up their neighbours (digits of the times drawn at half size showed a
  // bar of the glyph beside them). Sprites face the screen, where it gains nothing.
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &name);
    return 0;
  }
  for (std::size_t i = 0; i < textures_.size(); ++i)
    if (textures_[i].name == 0) {
      textures_[i] = {name, width, height};
      return static_cast<unsigned>(i + 1);
    }
  textures_.push_back({name, width, height});
  return static_cast<unsigned>(textures_.size());
}

void SdlGpu::DestroyTexture(unsigned texture) {
  const TextureEntry* t = FindTexture(texture);
  if (!t) return;
  bool queued = false;
  for (const Run& run : runs_) queued = queued || run.texture == t->name;
  if (queued)
    retired_.push_back(t->name);
  else if (context_)
    glDeleteTextures(1, &t->name);
  textures_[texture - 1] = TextureEntry{};
}

void SdlGpu::SetProjection(const float matrix[16]) {
  std::memcpy(projection_, matrix, sizeof projection_);
}

void SdlGpu::SetView(const float matrix[16]) {
  std::memcpy(view_, matrix, sizeof view_);
}

void SdlGpu::Destroy() {
  if (context_) {
    for (TextureEntry& t : textures_)
      if (t.name) glDeleteTextures(1, &t.name);
    if (!retired_.empty()) glDeleteTextures(static_cast<GLsizei>(retired_.size()), retired_.data());
    for (std::size_t i = 0; i < meshes_.size(); ++i) DestroyMesh(static_cast<unsigned>(i + 1));
    if (whiteTexture_) glDeleteTextures(1, &whiteTexture_);
    if (spriteVao_) glDeleteVertexArrays(1, &spriteVao_);
    if (spriteVbo_) glDeleteBuffers(1, &spriteVbo_);
    if (spriteIbo_) glDeleteBuffers(1, &spriteIbo_);
    if (spriteProgram_) glDeleteProgram(spriteProgram_);
    if (meshProgram_) glDeleteProgram(meshProgram_);
    SDL_GL_DeleteContext(context_);
  }
  textures_.clear();
  retired_.clear();
  meshes_.clear();
  whiteTexture_ = spriteVao_ = spriteVbo_ = spriteIbo_ = spriteProgram_ = meshProgram_ = 0;
  indexedQuads_ = 0;
  context_ = nullptr;
}

}  // namespace vx::platform
