// Draws Orlimo's application icon (a clock face) and the small button pictures (a key, a person,
// an arrow) and writes them as orlimo.ico, key.bmp, user.bmp and hide.bmp into a folder.
// Usage: draw_resources <output folder>. The output is the same on every run; the files it
// writes are kept in src/win32/resources/ (tools/draw-resources rebuilds them).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied) colour, 0..1
};

Rgba Over(const Rgba& top, const Rgba& under) {
  const double a = top.a + under.a * (1 - top.a);
  if (a <= 0) return {};
  auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
  return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

Rgba Colour(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0, 1.0};
}

// A shape is a test in a unit square (0..1 both ways, y downwards) with its colour.
struct Shape {
  std::function<bool(double, double)> inside;
  Rgba colour;
};

double Distance(double x0, double y0, double x1, double y1) {
  return std::hypot(x1 - x0, y1 - y0);
}

// Distance from a point to the segment a-b.
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return Distance(x, y, ax + t * dx, ay + t * dy);
}

class Canvas {
 public:
  explicit Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size * size)) {}
  int size() const { return size_; }
  const Rgba& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_ + x)]; }

  // Paints the shapes in order; `samples` per side smooths the edges (1 gives hard edges).
  void Paint(const std::vector<Shape>& shapes, int samples) {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        Rgba sum;
        for (int sy = 0; sy < samples; ++sy) {
          for (int sx = 0; sx < samples; ++sx) {
            const double u = (x + (sx + 0.5) / samples) / size_;
            const double v = (y + (sy + 0.5) / samples) / size_;
            Rgba point;
            for (const Shape& shape : shapes) {
              if (shape.inside(u, v)) point = Over(shape.colour, point);
            }
            sum.r += point.r * point.a;
            sum.g += point.g * point.a;
            sum.b += point.b * point.a;
            sum.a += point.a;
          }
        }
        Rgba& pixel = pixels_[static_cast<std::size_t>(y * size_ + x)];
        if (sum.a > 0)
          pixel = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / (samples * samples)};
      }
    }
  }

 private:
  int size_;
  std::vector<Rgba> pixels_;
};

std::uint8_t Byte(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutInfoHeader(std::string& out, int width, int height, int bits, std::uint32_t imageBytes) {
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(width), 4);
  PutLe(out, static_cast<std::uint32_t>(height), 4);
  PutLe(out, 1, 2);  // planes
  PutLe(out, static_cast<std::uint32_t>(bits), 2);
  PutLe(out, 0, 4);  // no compression
  PutLe(out, imageBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
}

// One icon image: 32-bit BGRA bottom-up, then the 1-bit AND mask (set where fully transparent).
std::string IconImage(const Canvas& canvas) {
  const int n = canvas.size();
  const int maskStride = ((n + 31) / 32) * 4;
  std::string out;
  PutInfoHeader(out, n, 2 * n, 32, static_cast<std::uint32_t>(n * n * 4 + maskStride * n));
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const Rgba& p = canvas.at(x, y);
      out.push_back(static_cast<char>(Byte(p.b)));
      out.push_back(static_cast<char>(Byte(p.g)));
      out.push_back(static_cast<char>(Byte(p.r)));
      out.push_back(static_cast<char>(Byte(p.a)));
    }
  }
  for (int y = n - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(maskStride), '\0');
    for (int x = 0; x < n; ++x) {
      if (Byte(canvas.at(x, y).a) == 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    out += row;
  }
  return out;
}

std::string IconFile(const std::vector<Canvas>& canvases) {
  std::string out;
  PutLe(out, 0, 2);
  PutLe(out, 1, 2);  // icon
  PutLe(out, static_cast<std::uint32_t>(canvases.size()), 2);
  std::vector<std::string> images;
  for (const Canvas& canvas : canvases) images.push_back(IconImage(canvas));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * canvases.size());
  for (std::size_t i = 0; i < canvases.size(); ++i) {
    const int n = canvases[i].size();
    out.push_back(static_cast<char>(n >= 256 ? 0 : n));
    out.push_back(static_cast<char>(n >= 256 ? 0 : n));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutLe(out, 1, 2);   // planes
    PutLe(out, 32, 2);  // bits per pixel
    PutLe(out, static_cast<std::uint32_t>(images[i].size()), 4);
    PutLe(out, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const std::string& image : images) out += image;
  return out;
}

// A 24-bit bitmap; transparent parts become the background colour.
std::string BitmapFile(const Canvas& canvas, const Rgba& background) {
  const int n = canvas.size();
  const int stride = ((n * 3 + 3) / 4) * 4;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(stride * n);
  std::string out = "BM";
  PutLe(out, 14 + 40 + imageBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, 14 + 40, 4);
  PutInfoHeader(out, n, n, 24, imageBytes);
  for (int y = n - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < n; ++x) {
      const Rgba p = Over(canvas.at(x, y), background);
      row.push_back(static_cast<char>(Byte(p.b)));
      row.push_back(static_cast<char>(Byte(p.g)));
      row.push_back(static_cast<char>(Byte(p.r)));
    }
    row.resize(static_cast<std::size_t>(stride), '\0');
    out += row;
  }
  return out;
}

// The application icon: a clock face with a blue rim, hands at ten past ten and a green dot.
// Small sizes keep only the quarter marks and get bolder hands, so they stay readable.
std::vector<Shape> ClockShapes(int size) {
  const bool small = size <= 24;
  const double bold = small ? 1.6 : 1.0;
  const double c = 0.5;
  std::vector<Shape> shapes;
  shapes.push_back(
      {[=](double x, double y) { return Distance(x, y, c, c) <= 0.48; }, Colour(31, 78, 160)});
  shapes.push_back(
      {[=](double x, double y) { return Distance(x, y, c, c) <= 0.39; }, Colour(250, 250, 245)});
  for (int hour = 0; hour < 12; ++hour) {
    if (small && hour % 3 != 0) continue;
    const double angle = hour * std::numbers::pi / 6;
    const double sx = c + 0.30 * std::sin(angle), sy = c - 0.30 * std::cos(angle);
    const double ex = c + 0.36 * std::sin(angle), ey = c - 0.36 * std::cos(angle);
    const double width = hour % 3 == 0 ? 0.030 : 0.018;
    shapes.push_back(
        {[=](double x, double y) { return SegmentDistance(x, y, sx, sy, ex, ey) <= width; },
         Colour(60, 60, 70)});
  }
  const double hourAngle = (10 + 10.0 / 60) * std::numbers::pi / 6;
  const double minuteAngle = 10 * std::numbers::pi / 30;
  shapes.push_back({[=](double x, double y) {
                      return SegmentDistance(x, y, c, c, c + 0.19 * std::sin(hourAngle),
                                             c - 0.19 * std::cos(hourAngle)) <= 0.040 * bold;
                    },
                    Colour(30, 30, 40)});
  shapes.push_back({[=](double x, double y) {
                      return SegmentDistance(x, y, c, c, c + 0.29 * std::sin(minuteAngle),
                                             c - 0.29 * std::cos(minuteAngle)) <= 0.028 * bold;
                    },
                    Colour(30, 30, 40)});
  shapes.push_back(
      {[=](double x, double y) { return Distance(x, y, c, c) <= 0.055; }, Colour(46, 160, 67)});
  return shapes;
}

// A golden key lying left to right: ring with a hole, shaft, two teeth.
std::vector<Shape> KeyShapes() {
  const Rgba gold = Colour(212, 160, 23), dark = Colour(120, 84, 0);
  return {
      {[](double x, double y) {
         const double d = Distance(x, y, 0.28, 0.42);
         return d <= 0.25 && d > 0.08;
       },
       dark},
      {[](double x, double y) {
         const double d = Distance(x, y, 0.28, 0.42);
         return d <= 0.18 && d > 0.08;
       },
       gold},
      {[](double x, double y) { return x >= 0.40 && x <= 0.97 && y >= 0.36 && y <= 0.50; }, dark},
      {[](double x, double y) { return x >= 0.70 && x <= 0.80 && y >= 0.50 && y <= 0.72; }, dark},
      {[](double x, double y) { return x >= 0.86 && x <= 0.97 && y >= 0.50 && y <= 0.80; }, dark},
  };
}

// A person: head and shoulders in blue.
std::vector<Shape> UserShapes() {
  const Rgba blue = Colour(36, 90, 180);
  return {
      {[](double x, double y) { return Distance(x, y, 0.5, 0.30) <= 0.21; }, blue},
      {[](double x, double y) {
         const double dx = (x - 0.5) / 0.42, dy = (y - 0.98) / 0.42;
         return y <= 0.97 && dx * dx + dy * dy <= 1.0;
       },
       blue},
  };
}

// An arrow pointing down onto a bar: put the window away.
std::vector<Shape> HideShapes() {
  const Rgba ink = Colour(40, 40, 48);
  return {
      {[](double x, double y) { return x >= 0.40 && x <= 0.60 && y >= 0.06 && y <= 0.50; }, ink},
      {[](double x, double y) {
         return y >= 0.44 && y <= 0.78 && std::abs(x - 0.5) <= (0.78 - y) * 1.1;
       },
       ink},
      {[](double x, double y) { return x >= 0.12 && x <= 0.88 && y >= 0.84 && y <= 0.96; }, ink},
  };
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "draw_resources: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_resources <output folder>\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";

  std::vector<Canvas> icons;
  for (int size : {16, 24, 32, 48, 64}) {
    icons.emplace_back(size);
    icons.back().Paint(ClockShapes(size), 8);
  }

  // Button pictures have hard edges on the light grey that Windows maps to the button face.
  const Rgba buttonFace = Colour(192, 192, 192);
  auto picture = [&](const std::vector<Shape>& shapes) {
    Canvas canvas(16);
    canvas.Paint(shapes, 1);
    return BitmapFile(canvas, buttonFace);
  };

  const bool ok = Write(folder + "orlimo.ico", IconFile(icons)) &&
                  Write(folder + "key.bmp", picture(KeyShapes())) &&
                  Write(folder + "user.bmp", picture(UserShapes())) &&
                  Write(folder + "hide.bmp", picture(HideShapes()));
  return ok ? 0 : 1;
}
