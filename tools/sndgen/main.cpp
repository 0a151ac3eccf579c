// Zorbel sound generator: synthesises the UI sound effects from sines, noise
// and envelopes and writes them as PCM RIFF WAVE files (101.wav .. 107.wav).
//
// Usage: zorbel_sndgen <output-folder>
//
// Output is deterministic: the noise comes from a fixed-seed xorshift
// generator (not <random>, whose distributions differ between libraries).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

struct Sound {
    int id;
    int rate;
    int bits;                  // 8 (unsigned) or 16 (signed)
    std::vector<Buffer> chans; // one buffer per channel, equal lengths
};

// xorshift32: tiny, portable and identical on every platform.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double next() // uniform in [-1, 1)
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// State-variable filter (trapezoidal form). Chosen because it stays stable
// and click-free when its cutoff is swept sample by sample.
class Svf {
public:
    void set(double fc, double q, int rate)
    {
        fc = std::min(fc, 0.45 * rate);
        const double g = std::tan(kPi * fc / rate);
        k_ = 1.0 / q;
        a1_ = 1.0 / (1.0 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    void process(double x)
    {
        const double v3 = x - ic2_;
        const double v1 = a1_ * ic1_ + a2_ * v3;
        const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        lp = v2;
        bp = k_ * v1; // unity gain at the centre frequency
    }
    double lp = 0.0;
    double bp = 0.0;

private:
    double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double ic1_ = 0.0, ic2_ = 0.0;
};

// 8-bit mono data chunks of odd length need a pad byte; even counts keep
// every file's layout the plain 44-byte-header form that simple readers expect.
int frameCount(double seconds, int rate)
{
    int n = static_cast<int>(std::lround(seconds * rate));
    return n + (n & 1);
}

// Removes high content (the sounds must stay soft, nothing above ~5 kHz).
void lowpass(Buffer &b, double fc, int rate, int stages = 2)
{
    for (int s = 0; s < stages; ++s) {
        Svf f;
        f.set(fc, 0.7071, rate);
        for (double &x : b) {
            f.process(x);
            x = f.lp;
        }
    }
}

// Raised-cosine fades so the first and last samples are exact silence.
void fade(Buffer &b, int rate, double inMs, double outMs)
{
    const int n = static_cast<int>(b.size());
    const int fi = std::max(1, static_cast<int>(inMs * 1e-3 * rate));
    const int fo = std::max(1, static_cast<int>(outMs * 1e-3 * rate));
    for (int i = 0; i < n; ++i) {
        double g = 1.0;
        if (i < fi)
            g *= 0.5 - 0.5 * std::cos(kPi * i / fi);
        const int fromEnd = n - 1 - i;
        if (fromEnd < fo)
            g *= 0.5 - 0.5 * std::cos(kPi * fromEnd / fo);
        b[i] *= g;
    }
}

void normalise(Sound &s, double peakDb)
{
    double peak = 0.0;
    for (const Buffer &b : s.chans)
        for (double x : b)
            peak = std::max(peak, std::fabs(x));
    if (peak <= 0.0)
        return;
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    for (Buffer &b : s.chans)
        for (double &x : b)
            x *= gain;
}

// Exponential glide from a to b as t goes 0..1 (sounds even to the ear).
double glide(double a, double b, double t)
{
    return a * std::pow(b / a, t);
}

// 101: a soft button click. A short wooden "tock": a 1.1 kHz tone with a
// quieter upper partial and a breath of low-passed noise, all gone in ~15 ms.
Sound makeClick()
{
    const int rate = 11025;
    const int n = frameCount(0.03, rate);
    Buffer b(n);
    Noise rng(0x101u);
    Svf nf;
    nf.set(3000.0, 0.7071, rate);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        nf.process(rng.next());
        b[i] = std::exp(-t / 0.005) * std::sin(2 * kPi * 1100.0 * t)
             + 0.35 * std::exp(-t / 0.0025) * std::sin(2 * kPi * 2600.0 * t)
             + 0.25 * std::exp(-t / 0.002) * nf.lp;
    }
    fade(b, rate, 1.5, 6.0);
    Sound s{101, rate, 8, {b}};
    normalise(s, -6.0);
    return s;
}

// 102: the pencil meeting the paper. A tiny grainy scratch (band-passed
// noise around 2.4 kHz) over a faint low tap; the two channels share most of
// the noise but not all, so it sounds like a real surface, not a beep.
Sound makePencilTap()
{
    const int rate = 22050;
    const int n = frameCount(0.02, rate);
    Buffer l(n), r(n);
    Noise common(0x102u), left(0x1021u), right(0x1022u);
    Svf fl, fr;
    fl.set(2400.0, 1.2, rate);
    fr.set(2400.0, 1.2, rate);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double c = common.next();
        fl.process(0.8 * c + 0.35 * left.next());
        fr.process(0.8 * c + 0.35 * right.next());
        const double scratchEnv = std::exp(-t / 0.005);
        const double tap = 0.45 * std::exp(-t / 0.006) * std::sin(2 * kPi * 220.0 * t);
        l[i] = scratchEnv * fl.bp + tap;
        r[i] = scratchEnv * fr.bp + tap;
    }
    for (Buffer *b : {&l, &r}) {
        lowpass(*b, 4500.0, rate);
        fade(*b, rate, 2.0, 5.0);
    }
    Sound s{102, 22050, 16, {l, r}};
    normalise(s, -9.0); // heard at every stroke start: keep it quietest
    return s;
}

// 103/104: a page turning. Noise through a band-pass whose centre glides;
// "previous" falls in pitch and is loudest early, "next" rises and is loudest
// late, so the two read as opposite directions.
Sound makeSwish(int id, double seconds, double fromHz, double toHz, double peakAt,
                std::uint32_t seed)
{
    const int rate = 11025;
    const int n = frameCount(seconds, rate);
    Buffer b(n);
    Noise rng(seed);
    Svf f;
    for (int i = 0; i < n; ++i) {
        const double u = static_cast<double>(i) / (n - 1);
        f.set(glide(fromHz, toHz, u), 2.2, rate);
        f.process(rng.next());
        // Asymmetric swell: sine rise to peakAt, sine fall afterwards.
        const double env = u < peakAt ? std::sin(0.5 * kPi * u / peakAt)
                                      : std::cos(0.5 * kPi * (u - peakAt) / (1.0 - peakAt));
        b[i] = env * env * f.bp;
    }
    lowpass(b, 4200.0, rate, 1);
    fade(b, rate, 3.0, 5.0);
    Sound s{id, rate, 8, {b}};
    normalise(s, -5.0);
    return s;
}

// 105: a bright confirmation. Two bell-like notes, C6 then E6 (a major third
// up), each with soft 2nd and 3rd partials; the first still rings under the second.
Sound makeChime()
{
    const int rate = 22050;
    const int n = frameCount(0.17, rate);
    Buffer b(n, 0.0);
    struct Note { double start, freq, tau; };
    const Note notes[] = {{0.0, 1046.50, 0.045}, {0.06, 1318.51, 0.05}};
    const double partials[][2] = {{1.0, 1.0}, {2.0, 0.22}, {3.0, 0.06}};
    for (const Note &note : notes) {
        for (int i = 0; i < n; ++i) {
            const double t = static_cast<double>(i) / rate - note.start;
            if (t < 0.0)
                continue;
            const double attack = std::min(1.0, t / 0.003);
            double v = 0.0;
            for (const auto &p : partials) // upper partials die away faster
                v += p[1] * std::exp(-t * p[0] / note.tau) * std::sin(2 * kPi * note.freq * p[0] * t);
            b[i] += attack * std::exp(-t / note.tau) * v;
        }
    }
    lowpass(b, 4800.0, rate);
    fade(b, rate, 2.0, 15.0);
    Sound s{105, rate, 8, {b}};
    normalise(s, -4.5);
    return s;
}

// 106: a soft pop, like a bubble: a pure tone whose pitch springs upward
// (350 -> 900 Hz) while it fades quickly.
Sound makePop()
{
    const int rate = 11025;
    const int n = frameCount(0.04, rate);
    Buffer b(n);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double freq = glide(350.0, 900.0, std::min(1.0, t / 0.025));
        phase += 2 * kPi * freq / rate;
        b[i] = std::exp(-t / 0.011) * std::sin(phase);
    }
    fade(b, rate, 2.0, 8.0);
    Sound s{106, rate, 8, {b}};
    normalise(s, -5.0);
    return s;
}

// 107: a whoosh sweeping the page clean. Broad band-passed noise whose
// centre rises and falls with its loudness, like something passing by.
Sound makeWhoosh()
{
    const int rate = 22050;
    const int n = frameCount(0.19, rate);
    Buffer b(n);
    Noise rng(0x107u);
    Svf f;
    for (int i = 0; i < n; ++i) {
        const double u = static_cast<double>(i) / (n - 1);
        const double swell = u < 0.45 ? std::sin(0.5 * kPi * u / 0.45)
                                       : std::cos(0.5 * kPi * (u - 0.45) / 0.55);
        const double env = swell * swell;
        f.set(450.0 + 2300.0 * env, 0.9, rate);
        f.process(rng.next());
        b[i] = env * f.bp;
    }
    lowpass(b, 4500.0, rate);
    fade(b, rate, 4.0, 8.0);
    Sound s{107, rate, 8, {b}};
    normalise(s, -5.0);
    return s;
}

void put16(std::string &out, unsigned v)
{
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string &out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

bool writeWav(const std::string &path, const Sound &s)
{
    const unsigned channels = static_cast<unsigned>(s.chans.size());
    const std::size_t frames = s.chans.front().size();
    const unsigned blockAlign = channels * static_cast<unsigned>(s.bits / 8);

    std::string data;
    for (std::size_t i = 0; i < frames; ++i) {
        for (const Buffer &c : s.chans) {
            const double x = std::clamp(c[i], -1.0, 1.0);
            if (s.bits == 8) {
                // Unsigned 8-bit: 128 is silence.
                data += static_cast<char>(128 + std::lround(x * 127.0));
            } else {
                put16(data, static_cast<unsigned>(static_cast<std::int16_t>(std::lround(x * 32767.0))) & 0xffff);
            }
        }
    }
    const std::uint32_t dataSize = static_cast<std::uint32_t>(data.size());
    const std::uint32_t pad = dataSize & 1u; // RIFF chunks are word aligned

    std::string out;
    out += "RIFF";
    put32(out, 4 + (8 + 16) + (8 + dataSize + pad));
    out += "WAVE";
    out += "fmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, channels);
    put32(out, static_cast<std::uint32_t>(s.rate));
    put32(out, static_cast<std::uint32_t>(s.rate) * blockAlign);
    put16(out, blockAlign);
    put16(out, static_cast<unsigned>(s.bits));
    out += "data";
    put32(out, dataSize);
    out += data;
    if (pad)
        out += '\0';

    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const Sound sounds[] = {
        makeClick(),
        makePencilTap(),
        makeSwish(103, 0.13, 3200.0, 550.0, 0.3, 0x103u),
        makeSwish(104, 0.14, 550.0, 3200.0, 0.7, 0x104u),
        makeChime(),
        makePop(),
        makeWhoosh(),
    };
    int failures = 0;
    for (const Sound &s : sounds) {
        const std::string path = dir + "/" + std::to_string(s.id) + ".wav";
        if (!writeWav(path, s)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        } else {
            std::printf("%s\n", path.c_str());
        }
    }
    return failures ? 1 : 0;
}
