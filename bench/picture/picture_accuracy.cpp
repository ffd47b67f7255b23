// Accuracy of the picture reader over a folder of pictures with truth files (X.png or X.jpg with
// X.dat), per style and overall, and the time each picture takes from bytes to verdicts.
// `--dump DIR` also writes each normalised grid, as the network sees it, with its truth beside
// it, for training on real pictures.

#include "decode.h"
#include "reader.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#ifdef ZARVICK_HAVE_BUILTIN_NET
constexpr bool kBuiltInNet = true;
#else
constexpr bool kBuiltInNet = false;
std::span<const std::uint8_t> picture::builtInDigitNet() {
    return {};
}
#endif

namespace fs = std::filesystem;

namespace {

struct Sample {
    fs::path picture;
    fs::path truthFile;
    std::string style;
    std::string truth; // 81 digits, '0' empty
};

std::optional<Sample> loadTruth(const fs::path& picture) {
    fs::path dat = picture;
    dat.replace_extension(".dat");
    std::ifstream in(dat);
    if (!in)
        return std::nullopt;
    Sample s{picture, dat, "photo", {}};
    std::string line;
    std::getline(in, line);
    if (line.rfind("style:", 0) == 0) {
        std::istringstream words(line.substr(6));
        words >> s.style;
    }
    std::getline(in, line);
    std::string word;
    while (in >> word && s.truth.size() < 81)
        s.truth += word;
    if (s.truth.size() != 81)
        return std::nullopt;
    return s;
}

// The turn that makes the cells with ink match the truth's givens best: training must see the
// grid upright. Some puzzles' givens are symmetric under a quarter turn, and some photos carry a
// wrong orientation tag; the network then breaks the tie, or without one the picture is left out.
std::optional<cv::Mat> uprightByTruth(const cv::Mat& grid, const std::string& truth,
                                      picture::PictureReader* reader) {
    std::vector<int> best;
    int bestAgreement = -1;
    for (int q = 0; q < 4; ++q) {
        const auto inked = picture::inkedCells(picture::turned(grid, q));
        int agreement = 0;
        for (std::size_t i = 0; i < 81; ++i)
            agreement += inked[i] == (truth[i] != '0');
        if (agreement > bestAgreement)
            best.clear();
        if (agreement >= bestAgreement) {
            bestAgreement = agreement;
            best.push_back(q);
        }
    }
    // Most puzzles are symmetric under a half turn, and photos are rarely upside down.
    if (best.size() == 1 || (!reader && best == std::vector<int>{0, 2}))
        return picture::turned(grid, best[0]);
    if (!reader)
        return std::nullopt;
    int right = -1;
    int chosen = best[0];
    for (const int q : best) {
        const cv::Mat t = picture::turned(grid, q);
        const auto p = reader->classifyGrid(t, false);
        int matches = 0;
        for (std::size_t i = 0; i < 81; ++i)
            matches += picture::verdict(p[i], 0).first == (truth[i] == '0' ? '.' : truth[i]);
        if (matches > right) {
            right = matches;
            chosen = q;
        }
    }
    return picture::turned(grid, chosen);
}

long numberIn(const std::string& name) {
    const auto first = name.find_first_of("0123456789");
    return first == std::string::npos ? -1 : std::stol(name.substr(first));
}

std::vector<std::uint8_t> readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Tally {
    int pictures = 0;
    int exact = 0;
    int noGrid = 0;
    int wrongDigits = 0;   // a digit read where the truth has another digit
    int extraDigits = 0;   // a digit read where the truth is empty
    int lostDigits = 0;    // a given left '?' or read as empty
    int doubtfulEmpty = 0; // an empty cell left '?'
    double seconds = 0;
    double worstSeconds = 0;
};

void print(const std::string& name, const Tally& t) {
    std::printf("%-14s %4d pictures %4d exact %3d no grid  digits: %3d wrong %3d extra %4d lost"
                "  empties left ?: %4d  time %.0f ms mean %.0f ms worst\n",
                name.c_str(), t.pictures, t.exact, t.noGrid, t.wrongDigits, t.extraDigits,
                t.lostDigits, t.doubtfulEmpty, 1000 * t.seconds / std::max(1, t.pictures),
                1000 * t.worstSeconds);
}

int usage() {
    std::cerr << "usage: picture_accuracy [--held-out | --training] [--net FILE.onnx] [--sure P]\n"
                 "                        [--dump DIR] [--verbose] FOLDER\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder;
    std::string netFile;
    std::string dump;
    int quarter = 0; // 1 held-out only, -1 training only
    bool verbose = false;
    float sure = picture::kSureProbability;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--held-out")
            quarter = 1;
        else if (a == "--training")
            quarter = -1;
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--net" && i + 1 < argc)
            netFile = argv[++i];
        else if (a == "--dump" && i + 1 < argc)
            dump = argv[++i];
        else if (a == "--sure" && i + 1 < argc)
            sure = std::stof(argv[++i]);
        else if (!a.empty() && a[0] != '-' && folder.empty())
            folder = a;
        else
            return usage();
    }
    if (folder.empty())
        return usage();

    std::vector<Sample> samples;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const auto ext = entry.path().extension().string();
        if (ext == ".png" || ext == ".jpg" || ext == ".jpeg")
            if (auto s = loadTruth(entry.path()))
                samples.push_back(*s);
    }
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) {
        const long na = numberIn(a.picture.stem().string());
        const long nb = numberIn(b.picture.stem().string());
        return na != nb ? na < nb : a.picture < b.picture;
    });
    if (quarter != 0) {
        // The held-out quarter: every fourth picture in numeric order, starting with the fourth.
        std::vector<Sample> kept;
        for (std::size_t i = 0; i < samples.size(); ++i)
            if ((i % 4 == 3) == (quarter == 1))
                kept.push_back(samples[i]);
        samples = kept;
    }
    if (!dump.empty())
        fs::create_directories(dump);

    std::vector<std::uint8_t> netBytes;
    std::unique_ptr<picture::PictureReader> reader;
    if (!netFile.empty()) {
        netBytes = readBytes(netFile);
        reader = std::make_unique<picture::PictureReader>(netBytes);
    } else if (kBuiltInNet) {
        reader = std::make_unique<picture::PictureReader>(picture::builtInDigitNet());
    }

    std::map<std::string, Tally> tallies;
    Tally all;
    for (const Sample& s : samples) {
        const auto start = std::chrono::steady_clock::now();
        const auto decoded = picture::decodePicture(readBytes(s.picture));
        std::optional<cv::Mat> grid;
        if (decoded.status == picture::DecodeStatus::Ok)
            grid = picture::normalisedGrid(decoded.grey);
        std::string cells(81, '?');
        if (grid && reader) {
            const auto probabilities = reader->classifyGrid(*grid);
            for (std::size_t i = 0; i < 81; ++i)
                cells[i] = picture::verdict(probabilities[i], sure).first;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (grid && !dump.empty()) {
            if (const auto upright = uprightByTruth(*grid, s.truth, reader.get())) {
                const QImage image(upright->data, upright->cols, upright->rows, int(upright->step),
                                   QImage::Format_Grayscale8);
                image.save(
                    QString::fromStdString((fs::path(dump) / s.picture.stem()).string() + ".png"));
                fs::copy_file(s.truthFile, fs::path(dump) / s.truthFile.filename(),
                              fs::copy_options::overwrite_existing);
            }
        }
        Tally t;
        t.pictures = 1;
        t.seconds = t.worstSeconds = seconds;
        t.noGrid = !grid;
        for (std::size_t i = 0; i < 81 && grid && reader; ++i) {
            const char want = s.truth[i] == '0' ? '.' : s.truth[i];
            const char got = cells[i];
            if (got >= '1' && got <= '9' && got != want)
                ++(want == '.' ? t.extraDigits : t.wrongDigits);
            else if (want != '.' && got != want)
                ++t.lostDigits;
            else if (want == '.' && got == '?')
                ++t.doubtfulEmpty;
        }
        t.exact =
            grid && reader && t.wrongDigits + t.extraDigits + t.lostDigits + t.doubtfulEmpty == 0;
        if (verbose && (!t.exact || !reader)) {
            std::printf("%s: %s\n", s.picture.filename().c_str(),
                        !grid    ? "no grid"
                        : reader ? ""
                                 : "grid found");
            if (grid && reader)
                for (int r = 0; r < 9; ++r)
                    std::printf("  %s   %s\n", s.truth.substr(std::size_t(r) * 9, 9).c_str(),
                                cells.substr(std::size_t(r) * 9, 9).c_str());
        }
        for (Tally* into : {&tallies[s.style], &all}) {
            into->pictures += t.pictures;
            into->exact += t.exact;
            into->noGrid += t.noGrid;
            into->wrongDigits += t.wrongDigits;
            into->extraDigits += t.extraDigits;
            into->lostDigits += t.lostDigits;
            into->doubtfulEmpty += t.doubtfulEmpty;
            into->seconds += t.seconds;
            into->worstSeconds = std::max(into->worstSeconds, t.worstSeconds);
        }
    }
    for (const auto& [style, t] : tallies)
        print(style, t);
    print("all", all);
    return 0;
}
