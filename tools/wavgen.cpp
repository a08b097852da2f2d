// Synthesises Orlimo's four sound cues as 16-bit PCM mono WAV files at 22050 Hz.
// Usage: wavgen <output folder>. The output is the same on every run.
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

constexpr int kRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// One sine partial that starts at `start` seconds and decays exponentially.
struct Partial {
  double frequency;
  double amplitude;
  double start;
  double decay;  // time constant in seconds
};

double PartialAt(const Partial& partial, double t) {
  if (t < partial.start) return 0.0;
  const double local = t - partial.start;
  const double attack = std::min(1.0, local / 0.004);  // 4 ms rise: no click at the onset
  return partial.amplitude * attack * std::exp(-local / partial.decay) *
         std::sin(kTwoPi * partial.frequency * local);
}

std::vector<double> Render(double seconds, const std::vector<Partial>& partials) {
  const int count = static_cast<int>(seconds * kRate);
  std::vector<double> samples(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double sum = 0.0;
    for (const Partial& partial : partials) sum += PartialAt(partial, t);
    samples[static_cast<std::size_t>(i)] = sum;
  }
  return samples;
}

// Scales to a peak of `peak` and fades the last `fade` seconds out to silence.
std::vector<std::int16_t> Finish(std::vector<double> samples, double peak, double fade) {
  double largest = 0.0;
  for (double s : samples) largest = std::max(largest, std::abs(s));
  const double scale = largest > 0.0 ? peak / largest : 0.0;
  const std::size_t fadeCount = static_cast<std::size_t>(fade * kRate);
  std::vector<std::int16_t> pcm(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    double gain = scale;
    const std::size_t left = samples.size() - 1 - i;
    if (left < fadeCount) {
      const double x = static_cast<double>(left) / static_cast<double>(fadeCount);
      gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * x);  // raised-cosine fade
    }
    pcm[i] = static_cast<std::int16_t>(std::lround(samples[i] * gain * 32767.0));
  }
  return pcm;
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
  std::string out = "RIFF";
  PutLe(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLe(out, 16, 4);         // format chunk size
  PutLe(out, 1, 2);          // PCM
  PutLe(out, 1, 2);          // mono
  PutLe(out, kRate, 4);      // sample rate
  PutLe(out, kRate * 2, 4);  // bytes per second
  PutLe(out, 2, 2);          // block align
  PutLe(out, 16, 2);         // bits per sample
  out += "data";
  PutLe(out, dataBytes, 4);
  for (std::int16_t sample : pcm) PutLe(out, static_cast<std::uint16_t>(sample), 2);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

// A two-tone chime: E6 then C6, each with a soft octave partial.
std::vector<std::int16_t> Chimes() {
  return Finish(Render(0.95, {{1318.51, 1.0, 0.0, 0.22},
                              {2637.02, 0.25, 0.0, 0.10},
                              {1046.50, 1.0, 0.28, 0.25},
                              {2093.00, 0.25, 0.28, 0.12}}),
                0.6, 0.08);
}

// A short tick: a quickly damped click of two high tones.
std::vector<std::int16_t> Button() {
  return Finish(Render(0.03, {{1800.0, 1.0, 0.0, 0.006}, {3100.0, 0.5, 0.0, 0.004}}), 0.5, 0.01);
}

// A bright register ring: two high bell partials struck together, a third a moment later.
std::vector<std::int16_t> CashRegister() {
  return Finish(Render(0.6, {{2093.00, 1.0, 0.0, 0.18},
                             {2637.02, 0.8, 0.0, 0.15},
                             {5274.04, 0.3, 0.0, 0.05},
                             {3135.96, 0.6, 0.06, 0.14}}),
                0.6, 0.06);
}

// A glassy ping: a high sine with an inharmonic partial.
std::vector<std::int16_t> Glass() {
  return Finish(Render(0.5, {{2349.32, 1.0, 0.0, 0.16}, {6459.6, 0.35, 0.0, 0.06}}), 0.55, 0.06);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wavgen <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* name;
    std::function<std::vector<std::int16_t>()> make;
  } cues[] = {{"CHIMES.WAV", Chimes},
              {"BUTTON.WAV", Button},
              {"CASHREG.WAV", CashRegister},
              {"GLASS.WAV", Glass}};
  for (const auto& cue : cues) {
    const std::string path = folder + "/" + cue.name;
    if (!WriteWav(path, cue.make())) {
      std::fprintf(stderr, "wavgen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
