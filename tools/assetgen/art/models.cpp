// Solid models for the intro: a bevelled coin for the emblem and two bevelled plates. The
// outline is extruded along z with a chamfer on both faces, so the models read as solid
// objects while they spin. Coordinates are left-handed (the camera looks along +z), faces are
// wound so that their geometric normal points outwards, and texture v runs downwards.
#include "models.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <utility>
#include <vector>

#include "canvas.h"
#include "painters.h"

namespace vx::art {

namespace {

V3 Sub(V3 a, V3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 Cross(V3 a, V3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(V3 a, V3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 Norm(V3 a) {
  const double l = std::sqrt(Dot(a, a));
  return l > 0 ? V3{a.x / l, a.y / l, a.z / l} : V3{0, 0, 1};
}

}  // namespace

void Mesh::Tri(int a, int b, int c, V3 outward) {
  const V3 n = Cross(Sub(verts[b].p, verts[a].p), Sub(verts[c].p, verts[a].p));
  if (Dot(n, outward) < 0) std::swap(b, c);
  tris.insert(tris.end(), {a, b, c});
}

namespace {

struct P2 {
  double x, y;
};

// A rounded rectangle outline (counter-clockwise as seen from the front).
std::vector<P2> RoundedOutline(double hw, double hh, double r, int segs) {
  std::vector<P2> o;
  const double cx[4] = {hw - r, -hw + r, -hw + r, hw - r},
               cy[4] = {hh - r, hh - r, -hh + r, -hh + r};
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i <= segs; ++i) {
      const double a = k * M_PI / 2 + i * (M_PI / 2) / segs;
      o.push_back({cx[k] + r * std::cos(a), cy[k] + r * std::sin(a)});
    }
  return o;
}

std::vector<P2> CircleOutline(double r, int segs) {
  std::vector<P2> o;
  for (int i = 0; i < segs; ++i) {
    const double a = i * 2 * M_PI / segs;
    o.push_back({r * std::cos(a), r * std::sin(a)});
  }
  return o;
}

// Outward 2-D normals of a closed outline, averaged at the vertices.
std::vector<P2> OutlineNormals(const std::vector<P2>& o) {
  const size_t n = o.size();
  std::vector<P2> out(n);
  for (size_t i = 0; i < n; ++i) {
    const P2 a = o[(i + n - 1) % n], b = o[i], c = o[(i + 1) % n];
    P2 t{c.x - a.x, c.y - a.y};
    const double l = std::hypot(t.x, t.y);
    out[i] = {t.y / l, -t.x / l};
    (void)b;
  }
  // make sure they point away from the centre
  for (size_t i = 0; i < n; ++i)
    if (out[i].x * o[i].x + out[i].y * o[i].y < 0) out[i] = {-out[i].x, -out[i].y};
  return out;
}

// Extrudes a convex outline centred on the origin into a slab of the given thickness with a
// chamfer of size b on both faces. The faces map the texture rectangle (u0,v0)-(u1,v1) over
// the outline's bounding box; the back face is mirrored so that it reads the right way round
// after a half turn. Sides take the colour at (edgeU, edgeV).
Mesh Slab(const std::vector<P2>& outline, double thickness, double b, double u0, double v0,
          double u1, double v1, double edgeU, double edgeV) {
  Mesh m;
  const size_t n = outline.size();
  const std::vector<P2> nrm = OutlineNormals(outline);
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const P2& p : outline) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  auto uvFront = [&](double x, double y, double* u, double* v) {
    *u = u0 + (x - minX) / (maxX - minX) * (u1 - u0);
    *v = v0 + (maxY - y) / (maxY - minY) * (v1 - v0);
  };
  const double zf = -thickness / 2, zb = thickness / 2;
  auto inset = [&](size_t i) {
    return P2{outline[i].x - nrm[i].x * b, outline[i].y - nrm[i].y * b};
  };
  for (int face = 0; face < 2; ++face) {
    const double z = face == 0 ? zf : zb;
    const V3 normal{0, 0, face == 0 ? -1.0 : 1.0};
    double cu, cv;
    uvFront(0, 0, &cu, &cv);
    if (face == 1) cu = u0 + u1 - cu;
    const int centre = m.Add({{0, 0, z}, normal, cu, cv});
    std::vector<int> ring(n);
    for (size_t i = 0; i < n; ++i) {
      const P2 p = inset(i);
      double u, v;
      uvFront(p.x, p.y, &u, &v);
      if (face == 1) u = u0 + u1 - u;  // mirrored so the back reads correctly from behind
      ring[i] = m.Add({{p.x, p.y, z}, normal, u, v});
    }
    for (size_t i = 0; i < n; ++i) m.Tri(centre, ring[i], ring[(i + 1) % n], normal);
  }
  // chamfers and side wall: rings at (inset, zf), (outer, zf + b), (outer, zb - b), (inset, zb)
  struct RingDef {
    bool outer;
    double z;
    double nz;
  } rings[4] = {{false, zf, -0.7}, {true, zf + b, 0.0}, {true, zb - b, 0.0}, {false, zb, 0.7}};
  for (int s = 0; s < 3; ++s) {
    const RingDef a = rings[s], c = rings[s + 1];
    // each band gets its own vertices so its shading stays crisp at the chamfer edges
    const double bandNz = s == 0 ? -0.7 : (s == 2 ? 0.7 : 0.0);
    std::vector<int> ra(n), rc(n);
    for (size_t i = 0; i < n; ++i) {
      const double k = std::sqrt(1 - bandNz * bandNz);
      const V3 nn = Norm({nrm[i].x * k, nrm[i].y * k, bandNz});
      const P2 pa = a.outer ? outline[i] : inset(i), pc = c.outer ? outline[i] : inset(i);
      ra[i] = m.Add({{pa.x, pa.y, a.z}, nn, edgeU, edgeV});
      rc[i] = m.Add({{pc.x, pc.y, c.z}, nn, edgeU, edgeV});
    }
    for (size_t i = 0; i < n; ++i) {
      const size_t j = (i + 1) % n;
      const V3 out = Norm({nrm[i].x + nrm[j].x, nrm[i].y + nrm[j].y, bandNz});
      m.Tri(ra[i], ra[j], rc[j], out);
      m.Tri(ra[i], rc[j], rc[i], out);
    }
  }
  return m;
}

std::string Real(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6f", v);
  return buf;
}

std::string WriteX(const Mesh& m, const char* name) {
  std::string s = "xof 0303txt 0032\n\n";
  s += "Mesh " + std::string(name) + " {\n";
  s += " " + std::to_string(m.verts.size()) + ";\n";
  for (size_t i = 0; i < m.verts.size(); ++i) {
    const V3 p = m.verts[i].p;
    s += " " + Real(p.x) + ";" + Real(p.y) + ";" + Real(p.z) + ";" +
         (i + 1 < m.verts.size() ? "," : ";") + "\n";
  }
  const size_t faces = m.tris.size() / 3;
  auto faceList = [&]() {
    std::string f = " " + std::to_string(faces) + ";\n";
    for (size_t i = 0; i < faces; ++i)
      f += " 3;" + std::to_string(m.tris[3 * i]) + "," + std::to_string(m.tris[3 * i + 1]) + "," +
           std::to_string(m.tris[3 * i + 2]) + ";" + (i + 1 < faces ? "," : ";") + "\n";
    return f;
  };
  s += faceList();
  s += " MeshNormals {\n  " + std::to_string(m.verts.size()) + ";\n";
  for (size_t i = 0; i < m.verts.size(); ++i) {
    const V3 n = m.verts[i].n;
    s += "  " + Real(n.x) + ";" + Real(n.y) + ";" + Real(n.z) + ";" +
         (i + 1 < m.verts.size() ? "," : ";") + "\n";
  }
  s += faceList();
  s += " }\n";
  s += " MeshTextureCoords {\n  " + std::to_string(m.verts.size()) + ";\n";
  for (size_t i = 0; i < m.verts.size(); ++i)
    s += "  " + Real(m.verts[i].u) + ";" + Real(m.verts[i].v) + ";" +
         (i + 1 < m.verts.size() ? "," : ";") + "\n";
  s += " }\n";
  s += " MeshMaterialList {\n  1;\n  " + std::to_string(faces) + ";\n";
  for (size_t i = 0; i < faces; ++i) s += std::string("  0") + (i + 1 < faces ? ",\n" : ";\n");
  s += "  Material {\n   1.000000;1.000000;1.000000;1.000000;;\n   0.000000;\n"
       "   0.000000;0.000000;0.000000;;\n   0.000000;0.000000;0.000000;;\n  }\n }\n";
  s += "}\n";
  return s;
}

}  // namespace

Mesh ModelMesh(const std::string& member) {
  if (member == "xfile/logo.x") {
    // a thick coin, 2.4 units across, with the emblem on both faces
    return Slab(CircleOutline(1.2, 64), 0.36, 0.1, 0.0, 0.0, 1.0, 1.0, 0.5, 0.012);
  }
  if (member == "xfile/music.x" || member == "xfile/copyright.x") {
    // a plate 3.0 x 1.875 units (the 256 x 160 band of its texture)
    return Slab(RoundedOutline(1.5, 0.9375, 0.3, 8), 0.28, 0.08, 0.0, 48.0 / 256, 1.0, 208.0 / 256,
                0.5, 0.02);
  }
  throw std::runtime_error("unknown model " + member);
}

std::string ModelText(const std::string& member) {
  const char* name = member == "xfile/logo.x"    ? "Emblem"
                     : member == "xfile/music.x" ? "MusicPlate"
                                                 : "CopyrightPlate";
  return WriteX(ModelMesh(member), name);
}

// ---------------------------------------------------------------- textures

namespace {

void PlateTexture(Canvas& c, Rgb base, const char* line1, const char* line2, bool notes) {
  cairo_t* cr = c.cr();
  // the whole texture is the rim colour; the face band (y 48..208) carries the plate art
  cairo_set_source_rgb(cr, 0.95, 0.75, 0.25);
  cairo_paint(cr);
  const Rgb hi = Lighten(base, 0.3), lo = Darken(base, 0.35);
  RoundedRect(cr, 6, 54, 244, 148, 22);
  SetLinearSource(cr, 0, 48, 0, 208, {{0, hi}, {1, lo}});
  cairo_fill(cr);
  RoundedRect(cr, 12, 60, 232, 136, 18);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 1, 0.9, 0.5, 0.8);
  cairo_stroke(cr);
  if (notes) {
    TextStyle n = LabelStyle(30, Hex(0xFFE27A));
    DrawText(cr, "\u266A", n, 20, 66, 40, 50);
    DrawText(cr, "\u266B", n, 196, 66, 40, 50);
  }
  TextStyle t = HeadingStyle(34);
  DrawText(cr, line1, t, 16, 70, 224, 64);
  DrawText(cr, line2, LabelStyle(16, Hex(0xFFF4D0)), 16, 136, 224, 52);
}

}  // namespace

void PaintEmblemTexture(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_set_source_rgb(cr, 0.95, 0.75, 0.25);
  cairo_paint(cr);
  cairo_arc(cr, 128, 128, 124, 0, 2 * M_PI);
  SetRadialSource(cr, 110, 100, 10, 128, 128, 128,
                  {{0, {0.55, 0.4, 0.95}}, {1, {0.18, 0.1, 0.42}}});
  cairo_fill(cr);
  PaintEmblem(cr, 128, 110, 82);
  TextStyle t = HeadingStyle(30);
  DrawText(cr, "Vexorbia", t, 28, 186, 200, 40);
}

void PaintMusicTexture(Canvas& c) {
  PlateTexture(c, Hex(0x3A7AE8), "Music", "original tunes, made\nfor the five worlds", true);
}

void PaintCopyrightTexture(Canvas& c) {
  PlateTexture(c, Hex(0x6A3AB8), "\u00A9 Vexorbia",
               "all pictures, sounds and\nstages made in-house", false);
}

}  // namespace vx::art
