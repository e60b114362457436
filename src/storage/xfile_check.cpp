#include "storage/xfile_check.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vx {

namespace {

constexpr int kFrameDepthLimit = 64;
// The largest magnitude kept for a whole number; longer runs of digits stay above it.
constexpr std::uint64_t kNumberCap = std::uint64_t{1} << 40;
// A run of more digits than this cannot be a real the reader takes.
constexpr int kRealDigitLimit = 19;

bool Blank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool Digit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A whole number as written: its sign and its magnitude (capped at kNumberCap).
struct Number {
  bool negative = false;
  std::uint64_t magnitude = 0;
  // The value exactly as written, for the small values the reader compares against.
  bool Is(std::uint64_t value) const { return magnitude == value && (!negative || value == 0); }
};

// Walks a text X file the way the reader walks it: words split at blanks and at the
// delimiters ; , { } (which stand alone), comments from // or # to the end of the line, and
// the reader's blocks in its order. Each step returns false where the reader would give up on
// the file, or where a number the reader trusts is out of bounds.
class Walker {
 public:
  Walker(const char* begin, const char* end) : p_(begin), end_(end) {}

  bool File() {
    SkipLine();  // the rest of the header line
    for (;;) {
      const std::string_view w = Word();
      if (w.empty()) return true;
      bool ok = true;
      if (w == "template")
        ok = Template();
      else if (w == "Frame")
        ok = Frame(1);
      else if (w == "Mesh")
        ok = Mesh();
      else if (w == "AnimTicksPerSecond")
        ok = Head() && Whole(nullptr) && Close();
      else if (w == "AnimationSet")
        ok = AnimationSet();
      else if (w == "Material")
        ok = Material();
      else if (w != "}")
        ok = Unknown();
      if (!ok) return false;
    }
  }

 private:
  // The byte k places ahead; past the end the reader sees the zero it appends to the file.
  char Peek(std::size_t k = 0) const {
    return k < static_cast<std::size_t>(end_ - p_) ? p_[k] : '\0';
  }
  // Moves n bytes on, stopping at the end.
  void Advance(std::size_t n) { p_ = n < static_cast<std::size_t>(end_ - p_) ? p_ + n : end_; }
  bool StartsWith(const char* text) const {
    for (std::size_t i = 0; text[i]; ++i)
      if (Peek(i) != text[i]) return false;
    return true;
  }

  void SkipLine() {
    while (p_ < end_) {
      const char c = *p_++;
      if (c == '\n' || c == '\r') return;
    }
  }
  void SkipBlanks() {
    for (;;) {
      while (p_ < end_ && Blank(*p_)) ++p_;
      if (p_ >= end_) return;
      if ((Peek() == '/' && Peek(1) == '/') || Peek() == '#')
        SkipLine();
      else
        return;
    }
  }
  // The next word; empty at the end of the file.
  std::string_view Word() {
    SkipBlanks();
    const char* start = p_;
    while (p_ < end_ && !Blank(*p_)) {
      const char c = *p_;
      if (c == ';' || c == ',' || c == '{' || c == '}') {
        if (p_ == start) ++p_;
        break;
      }
      ++p_;
    }
    return {start, static_cast<std::size_t>(p_ - start)};
  }
  bool Separator() {
    const std::string_view w = Word();
    return w == ";" || w == ",";
  }
  bool Semicolon() { return Word() == ";"; }
  bool Close() { return Word() == "}"; }
  // An optional separator.
  void MaybeSeparator() {
    SkipBlanks();
    if (p_ < end_ && (*p_ == ';' || *p_ == ',')) ++p_;
  }
  // A block's head: an optional name, then its opening brace.
  bool Head() {
    if (Word() == "{") return true;
    return Word() == "{";
  }
  // A quoted string closed by a semicolon.
  bool String() {
    SkipBlanks();
    if (p_ >= end_ || *p_ != '"') return false;
    ++p_;
    while (p_ < end_ && *p_ != '"') ++p_;
    if (p_ >= end_ - 1 || p_[1] != ';') return false;
    p_ += 2;
    return true;
  }

  // A whole number followed by a separator.
  bool Whole(Number* out) {
    SkipBlanks();
    Number n;
    if (Peek() == '-') {
      n.negative = true;
      ++p_;
    }
    if (!Digit(Peek())) return false;
    while (p_ < end_ && Digit(*p_)) {
      if (n.magnitude < kNumberCap)
        n.magnitude = n.magnitude * 10 + static_cast<unsigned>(*p_ - '0');
      ++p_;
    }
    if (out) *out = n;
    return Separator();
  }
  // A count of elements that follow, at least `least`. The elements are walked after it, so a
  // count the file does not hold is refused when the walk reaches the end of the file.
  bool Count(std::uint64_t least, std::uint64_t* out) {
    Number n;
    if (!Whole(&n) || (n.negative && n.magnitude != 0) || n.magnitude < least) return false;
    *out = n.magnitude;
    return true;
  }
  // An index below `items`.
  bool Index(std::uint64_t items) {
    Number n;
    return Whole(&n) && !(n.negative && n.magnitude != 0) && n.magnitude < items;
  }
  // The digits of a real's part; false for a run the reader cannot hold.
  bool Digits() {
    if (!Digit(Peek())) return false;
    int count = 0;
    while (Digit(Peek())) {
      ++p_;
      ++count;
    }
    return count <= kRealDigitLimit;
  }
  // A real as the reader reads it (a comma may stand for the decimal point), then a separator.
  bool Real() {
    SkipBlanks();
    if (StartsWith("-1.#IND00") || StartsWith("1.#IND00")) {
      Advance(9);
      return Separator();
    }
    if (StartsWith("1.#QNAN0")) {
      Advance(8);
      return Separator();
    }
    if (Peek() == '-' || Peek() == '+') ++p_;
    auto word = [this](const char* w) {
      for (std::size_t i = 0; w[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(Peek(i))) != w[i]) return false;
      return true;
    };
    if (word("nan")) {
      Advance(3);
      return Separator();
    }
    if (word("inf")) {
      Advance(3);
      if (word("inity")) Advance(5);
      return Separator();
    }
    const bool point = Peek() == '.' || Peek() == ',';
    if (!Digit(Peek()) && !(point && Digit(Peek(1)))) return false;
    if (!point && !Digits()) return false;
    if ((Peek() == '.' || Peek() == ',') && Digit(Peek(1))) {
      ++p_;
      while (Digit(Peek())) ++p_;
    } else if (Peek() == '.') {
      ++p_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++p_;
      if (Peek() == '-' || Peek() == '+') ++p_;
      if (!Digits()) return false;
    }
    return Separator();
  }
  bool Reals(std::uint64_t n) {
    for (std::uint64_t i = 0; i < n; ++i)
      if (!Real()) return false;
    return true;
  }
  // Two, three or four reals closed by an optional separator.
  bool Vector(int n) {
    if (!Reals(n)) return false;
    MaybeSeparator();
    return true;
  }

  // A block the reader does not use: everything up to its opening brace, then its contents up
  // to the matching closing brace.
  bool Unknown() {
    for (;;) {
      const std::string_view w = Word();
      if (w.empty()) return false;
      if (w == "{") break;
    }
    for (int depth = 1; depth > 0;) {
      const std::string_view w = Word();
      if (w.empty()) return false;
      if (w == "{") ++depth;
      if (w == "}") --depth;
    }
    return true;
  }
  // A template declaration: name, GUID and members up to its closing brace. One that holds a
  // brace of its own is refused, so that its first closing brace is its last.
  bool Template() {
    if (!Head()) return false;
    const std::string_view guid = Word();
    if (guid.empty() || guid == "{" || guid == "}") return false;
    for (;;) {
      const std::string_view w = Word();
      if (w.empty() || w == "{") return false;
      if (w == "}") return true;
    }
  }
  bool Frame(int depth) {
    if (depth > kFrameDepthLimit || !Head()) return false;
    for (;;) {
      const std::string_view w = Word();
      bool ok = true;
      if (w.empty()) return false;
      if (w == "}") return true;
      if (w == "Frame")
        ok = Frame(depth + 1);
      else if (w == "FrameTransformMatrix")
        ok = Head() && Reals(16) && Semicolon() && Close();
      else if (w == "Mesh")
        ok = Mesh();
      else
        ok = Unknown();
      if (!ok) return false;
    }
  }
  bool Mesh() {
    std::uint64_t vertices = 0, faces = 0;
    if (!Head() || !Count(1, &vertices)) return false;
    for (std::uint64_t i = 0; i < vertices; ++i)
      if (!Vector(3)) return false;
    if (!Count(1, &faces)) return false;
    for (std::uint64_t f = 0; f < faces; ++f) {
      std::uint64_t corners = 0;
      if (!Count(1, &corners)) return false;
      for (std::uint64_t k = 0; k < corners; ++k)
        if (!Index(vertices)) return false;
      MaybeSeparator();
    }
    int textureSets = 0, colourSets = 0;
    bool materialList = false;
    for (;;) {
      const std::string_view w = Word();
      bool ok = true;
      if (w.empty()) return false;
      if (w == "}") return true;
      if (w == "MeshNormals") {
        ok = Normals(faces);
      } else if (w == "MeshTextureCoords") {
        ok = ++textureSets <= 8 && Head() && PerVertex(vertices, 2);
      } else if (w == "MeshVertexColors") {
        ok = ++colourSets <= 8 && Head() && Colours(vertices);
      } else if (w == "MeshMaterialList") {
        ok = !materialList && MaterialList(faces);
        materialList = true;
      } else if (w == "XSkinMeshHeader") {
        ok = Head() && Whole(nullptr) && Whole(nullptr) && Whole(nullptr) && Close();
      } else if (w == "SkinWeights") {
        ok = SkinWeights(vertices);
      } else {
        ok = Unknown();
      }
      if (!ok) return false;
    }
  }
  bool Normals(std::uint64_t meshFaces) {
    std::uint64_t normals = 0;
    Number faces;
    if (!Head() || !Count(0, &normals)) return false;
    for (std::uint64_t i = 0; i < normals; ++i)
      if (!Vector(3)) return false;
    if (!Whole(&faces) || !faces.Is(meshFaces)) return false;
    for (std::uint64_t f = 0; f < meshFaces; ++f) {
      std::uint64_t corners = 0;
      if (!Count(0, &corners)) return false;
      for (std::uint64_t k = 0; k < corners; ++k)
        if (!Index(normals)) return false;
      MaybeSeparator();
    }
    return Close();
  }
  // One vector of n reals per vertex.
  bool PerVertex(std::uint64_t vertices, int n) {
    Number count;
    if (!Whole(&count) || !count.Is(vertices)) return false;
    for (std::uint64_t i = 0; i < vertices; ++i)
      if (!Vector(n)) return false;
    return Close();
  }
  bool Colours(std::uint64_t vertices) {
    Number count;
    if (!Whole(&count) || !count.Is(vertices)) return false;
    for (std::uint64_t i = 0; i < vertices; ++i) {
      if (!Index(vertices) || !Vector(4)) return false;
      SkipBlanks();
      if (Peek() == ';' || Peek() == ',') ++p_;
    }
    return Close();
  }
  bool MaterialList(std::uint64_t meshFaces) {
    Number count;
    if (!Head() || !Whole(nullptr) || !Whole(&count)) return false;
    if (!count.Is(meshFaces) && !count.Is(1)) return false;
    // The faces' materials, judged once the list's materials are known.
    std::uint64_t highest = 0;
    for (std::uint64_t i = 0; i < count.magnitude; ++i) {
      Number n;
      if (!Whole(&n) || (n.negative && n.magnitude != 0)) return false;
      if (n.magnitude > highest) highest = n.magnitude;
    }
    if (p_ < end_ && *p_ == ';') ++p_;
    std::uint64_t materials = 0;
    for (;;) {
      const std::string_view w = Word();
      bool ok = true;
      if (w.empty()) return false;
      if (w == "}") break;
      if (w == "{") {  // a material named by reference
        ok = !Word().empty() && Close();
        ++materials;
      } else if (w == "Material") {
        ok = Material();
        ++materials;
      } else if (w != ";") {
        ok = Unknown();
      }
      if (!ok) return false;
    }
    return count.magnitude == 0 || highest < materials;
  }
  bool Material() {
    if (!Head() || !Vector(4) || !Real() || !Vector(3) || !Vector(3)) return false;
    for (;;) {
      const std::string_view w = Word();
      bool ok = true;
      if (w.empty()) return false;
      if (w == "}") return true;
      if (w == "TextureFilename" || w == "TextureFileName" || w == "NormalmapFilename" ||
          w == "NormalmapFileName")
        ok = Head() && String() && Close();
      else
        ok = Unknown();
      if (!ok) return false;
    }
  }
  bool SkinWeights(std::uint64_t vertices) {
    std::uint64_t weights = 0;
    if (!Head() || !String() || !Count(0, &weights)) return false;
    for (std::uint64_t i = 0; i < weights; ++i)
      if (!Index(vertices)) return false;
    return Reals(weights) && Reals(16) && Semicolon() && Close();
  }
  bool AnimationSet() {
    if (!Head()) return false;
    for (;;) {
      const std::string_view w = Word();
      bool ok = true;
      if (w.empty()) return false;
      if (w == "}") return true;
      ok = w == "Animation" ? Animation() : Unknown();
      if (!ok) return false;
    }
  }
  bool Animation() {
    if (!Head()) return false;
    for (;;) {
      const std::string_view w = Word();
      bool ok = true;
      if (w.empty()) return false;
      if (w == "}") return true;
      if (w == "AnimationKey")
        ok = AnimationKey();
      else if (w == "{")  // the animated frame's name
        ok = !Word().empty() && Close();
      else
        ok = Unknown();
      if (!ok) return false;
    }
  }
  bool AnimationKey() {
    Number type, keys;
    if (!Head() || !Whole(&type) || !Whole(&keys) || keys.negative) return false;
    for (std::uint64_t k = 0; k < keys.magnitude; ++k) {
      Number values;
      if (!Whole(nullptr) || !Whole(&values)) return false;
      bool ok = false;
      if (type.Is(0))
        ok = values.Is(4) && Reals(4) && Semicolon();
      else if (type.Is(1) || type.Is(2))
        ok = values.Is(3) && Vector(3);
      else if (type.Is(3) || type.Is(4))
        ok = values.Is(16) && Reals(16) && Semicolon();
      if (!ok || !Separator()) return false;
    }
    return Close();
  }

  const char* p_;
  const char* end_;
};

}  // namespace

bool PlausibleXFile(const unsigned char* file, long size) {
  if (!file || size < 16 || std::memcmp(file, "xof ", 4) != 0 ||
      std::memcmp(file + 8, "txt ", 4) != 0)
    return false;
  if (std::memcmp(file + 12, "0032", 4) != 0 && std::memcmp(file + 12, "0064", 4) != 0)
    return false;
  const char* text = reinterpret_cast<const char*>(file);
  Walker walker(text + 16, text + size);
  return walker.File();
}

}  // namespace vx
