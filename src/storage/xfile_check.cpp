#include "storage/xfile_check.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

namespace {

// Blanks, separators, quotes and angle brackets: they split words and are dropped.
bool Separator(unsigned char c) {
  return std::isspace(c) || c == 0 || std::strchr(",;<>()[]\"'", c);
}

// Words of the file: braces stand alone; separators split.
std::vector<std::string_view> Tokens(const char* text, long size) {
  std::vector<std::string_view> tokens;
  long i = 0;
  while (i < size) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '{' || c == '}') {
      tokens.emplace_back(text + i, 1);
      ++i;
      continue;
    }
    if (c == '/' && i + 1 < size && text[i + 1] == '/') {  // comment to the end of the line
      while (i < size && text[i] != '\n') ++i;
      continue;
    }
    if (c == '#') {
      while (i < size && text[i] != '\n') ++i;
      continue;
    }
    if (Separator(c)) {
      ++i;
      continue;
    }
    const long start = i;
    while (i < size) {
      const unsigned char d = static_cast<unsigned char>(text[i]);
      if (Separator(d) || d == '{' || d == '}') break;
      ++i;
    }
    tokens.emplace_back(text + start, static_cast<std::size_t>(i - start));
  }
  return tokens;
}

// A whole number token: optional minus, digits only. Its value is capped just above
// `limit` so that long runs of digits cannot overflow.
bool WholeNumber(std::string_view t, long limit, bool* negative, long* value) {
  std::size_t k = 0;
  *negative = !t.empty() && t[0] == '-';
  if (*negative) k = 1;
  if (k == t.size()) return false;
  long v = 0;
  for (; k < t.size(); ++k) {
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return false;
    if (v <= limit) v = v * 10 + (t[k] - '0');
  }
  *value = v;
  return true;
}

// A real is written with a point or an exponent; bare whole numbers are counts and indices.
bool Real(std::string_view t) {
  if (t.empty() || t.size() > 64 || t.find_first_of(".eE") == std::string_view::npos) return false;
  std::string s(t);
  char* end = nullptr;
  std::strtod(s.c_str(), &end);
  return end && *end == '\0';
}

class Reader {
 public:
  Reader(const std::vector<std::string_view>& tokens, long limit)
      : tokens_(tokens), limit_(limit) {}
  bool Count(long* out) {
    bool negative = false;
    if (at_ >= tokens_.size() || !WholeNumber(tokens_[at_], limit_, &negative, out) || negative)
      return false;
    ++at_;
    return true;
  }
  bool Reals(long n) {
    for (long i = 0; i < n; ++i, ++at_)
      if (at_ >= tokens_.size() || !Real(tokens_[at_])) return false;
    return true;
  }
  // nFaces faces of "count; index, index, ..." with every index below `items`.
  bool Faces(long items, long* faces) {
    if (!Count(faces)) return false;
    for (long f = 0; f < *faces; ++f) {
      long corners = 0;
      if (!Count(&corners) || corners < 1) return false;
      for (long k = 0; k < corners; ++k) {
        long index = 0;
        if (!Count(&index) || index >= items) return false;
      }
    }
    return true;
  }
  std::size_t at_ = 0;

 private:
  const std::vector<std::string_view>& tokens_;
  long limit_;
};

// The data of a Mesh or MeshNormals instance, from its opening brace.
bool CheckBlock(const std::vector<std::string_view>& tokens, std::size_t open, long limit,
                bool mesh) {
  Reader r(tokens, limit);
  r.at_ = open + 1;
  long items = 0, faces = 0;
  if (!r.Count(&items) || !r.Reals(3 * items) || !r.Faces(items, &faces)) return false;
  return !mesh || (items >= 1 && faces >= 1);
}

}  // namespace

bool PlausibleXFile(const unsigned char* file, long size) {
  if (!file || size < 16 || std::memcmp(file, "xof ", 4) != 0 ||
      std::memcmp(file + 8, "txt ", 4) != 0)
    return false;
  const std::vector<std::string_view> tokens =
      Tokens(reinterpret_cast<const char*>(file) + 16, size - 16);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    bool negative = false;
    long value = 0;
    if (WholeNumber(tokens[i], size, &negative, &value) &&
        ((negative && value != 0) || value > size))
      return false;
    const bool mesh = tokens[i] == "Mesh", normals = tokens[i] == "MeshNormals";
    if (!mesh && !normals) continue;
    if (i > 0 && tokens[i - 1] == "template") continue;
    // An instance: the keyword, an optional name, then its data in braces.
    std::size_t open = i + 1;
    if (open < tokens.size() && tokens[open] != "{") ++open;
    if (open >= tokens.size() || tokens[open] != "{") return false;
    if (!CheckBlock(tokens, open, size, mesh)) return false;
  }
  return true;
}

}  // namespace vx
