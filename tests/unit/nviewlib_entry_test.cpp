#include "nviewlib/nviewlib.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <thread>

#include "tests/unit/nviewlib_test_images.h"
#include "win/temporary_name.h"

namespace dhsu::nviewlib {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::SourcePicture;

constexpr int kWidth = 96, kHeight = 64;

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

struct DecodedJpeg {
    int width = 0, height = 0, subsampling = -1;
    Bytes bgr;
};

std::optional<DecodedJpeg> Decode(const Bytes& jpeg) {
    tjhandle decompressor = tjInitDecompress();
    DecodedJpeg decoded;
    int colourspace = 0;
    bool ok = tjDecompressHeader3(decompressor, jpeg.data(), jpeg.size(), &decoded.width,
                                  &decoded.height, &decoded.subsampling, &colourspace) == 0;
    if (ok) {
        decoded.bgr.resize(std::size_t(decoded.width) * decoded.height * 3);
        ok = tjDecompress2(decompressor, jpeg.data(), jpeg.size(), decoded.bgr.data(),
                           decoded.width, 0, decoded.height, TJPF_BGR, TJFLAG_ACCURATEDCT) == 0;
    }
    tjDestroy(decompressor);
    return ok ? std::optional(decoded) : std::nullopt;
}

double MeanAbsoluteError(const DecodedJpeg& decoded, const SourcePicture& source) {
    double total = 0;
    for (int y = 0; y < decoded.height; ++y)
        for (int x = 0; x < decoded.width; ++x)
            for (int c = 0; c < 3; ++c)
                total += std::abs(decoded.bgr[(std::size_t(y) * decoded.width + x) * 3 + c] -
                                  source.Expected(x, y)[c]);
    return total / (double(decoded.width) * decoded.height * 3);
}

// The segments of a JPEG file up to the first scan, as (marker, payload) pairs.
std::vector<std::pair<std::uint8_t, Bytes>> HeaderSegments(const Bytes& jpeg) {
    std::vector<std::pair<std::uint8_t, Bytes>> segments;
    for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF;) {
        const std::size_t length = jpeg[at + 2] << 8 | jpeg[at + 3];
        if (length < 2 || at + 2 + length > jpeg.size()) break;
        segments.emplace_back(jpeg[at + 1],
                              Bytes(jpeg.begin() + at + 4, jpeg.begin() + at + 2 + length));
        if (jpeg[at + 1] == 0xDA) break;
        at += 2 + length;
    }
    return segments;
}

bool HasMarker(const Bytes& jpeg, std::uint8_t marker) {
    for (const auto& [found, payload] : HeaderSegments(jpeg))
        if (found == marker) return true;
    return false;
}

// Quantisation table 0, the luminance table, as stored (8-bit precision).
std::array<int, 64> LuminanceTable(const Bytes& jpeg) {
    for (const auto& [marker, payload] : HeaderSegments(jpeg)) {
        for (std::size_t at = 0; marker == 0xDB && at + 65 <= payload.size(); at += 65) {
            if (payload[at] != 0x00) continue;  // precision 0, table 0
            std::array<int, 64> table{};
            std::copy_n(payload.begin() + at + 1, 64, table.begin());
            return table;
        }
    }
    ADD_FAILURE() << "no 8-bit luminance table";
    return {};
}

class NviewLibEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = std::string("nviewlib_") +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir_ = fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        source_ = testing::ScreenPicture(kWidth, kHeight);
        bmp_ = Path("shot.bmp");
        WriteFile(bmp_, testing::EncodeToBmp(source_.view));
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // Loads `bmp` and saves it at `quality`; the JPEG file's bytes, or nothing on failure.
    std::optional<Bytes> Convert(const std::string& bmp, int quality, const std::string& name) {
        if (!NViewLibLoad(bmp.c_str(), 0)) return std::nullopt;
        if (!NViewLibSaveAsJPG(quality, Path(name).c_str())) return std::nullopt;
        return ReadFile(Path(name));
    }

    fs::path dir_;
    SourcePicture source_;
    std::string bmp_;
};

TEST_F(NviewLibEntry, WritesBaseline420JpegsCloseToTheShot) {
    std::optional<double> errorAt75;
    for (const int quality : {75, 95}) {
        const std::optional<Bytes> jpeg =
            Convert(bmp_, quality, "q" + std::to_string(quality) + ".jpg");
        ASSERT_TRUE(jpeg);
        EXPECT_TRUE(HasMarker(*jpeg, 0xC0)) << "no baseline frame header";
        EXPECT_FALSE(HasMarker(*jpeg, 0xC2)) << "progressive";
        const std::optional<DecodedJpeg> decoded = Decode(*jpeg);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, kWidth);
        EXPECT_EQ(decoded->height, kHeight);
        EXPECT_EQ(decoded->subsampling, TJSAMP_420);
        const double error = MeanAbsoluteError(*decoded, source_);
        EXPECT_LT(error, quality == 95 ? 2.0 : 4.0) << quality;
        if (errorAt75) {
            EXPECT_LT(error, *errorAt75);
        }
        errorAt75 = error;
    }
    EXPECT_EQ(FilesIn(dir_), (std::vector<std::string>{"q75.jpg", "q95.jpg", "shot.bmp"}));
}

TEST_F(NviewLibEntry, QualityShowsInTheLuminanceTable) {
    const std::optional<Bytes> at75 = Convert(bmp_, 75, "q75.jpg");
    const std::optional<Bytes> at95 = Convert(bmp_, 95, "q95.jpg");
    const std::optional<Bytes> at100 = Convert(bmp_, 100, "q100.jpg");
    ASSERT_TRUE(at75 && at95 && at100);
    const std::array<int, 64> table75 = LuminanceTable(*at75), table95 = LuminanceTable(*at95);
    for (int i = 0; i < 64; ++i) EXPECT_LE(table95[i], table75[i]) << i;
    EXPECT_LT(std::accumulate(table95.begin(), table95.end(), 0),
              std::accumulate(table75.begin(), table75.end(), 0));
    const std::array<int, 64> table100 = LuminanceTable(*at100);
    EXPECT_EQ(std::accumulate(table100.begin(), table100.end(), 0), 64);  // all ones
    EXPECT_TRUE(Convert(bmp_, 0, "q0.jpg"));  // the coarsest tables, still a picture
}

TEST_F(NviewLibEntry, TopDownAndBottomUpFilesGiveTheSameJpeg) {
    const std::string topDown = Path("topdown.bmp");
    WriteFile(topDown, testing::ToTopDown(ReadFile(bmp_)));
    const std::optional<Bytes> fromBottomUp = Convert(bmp_, 90, "a.jpg");
    const std::optional<Bytes> fromTopDown = Convert(topDown, 90, "b.jpg");
    ASSERT_TRUE(fromBottomUp && fromTopDown);
    EXPECT_EQ(*fromBottomUp, *fromTopDown);
}

TEST_F(NviewLibEntry, ConvertsPaletteShots) {
    const SourcePicture source = testing::BlockPicture(8, 48, 32);
    const std::string bmp = Path("palette.bmp");
    WriteFile(bmp, testing::EncodeToBmp(source.view));
    const std::optional<Bytes> jpeg = Convert(bmp, 100, "palette.jpg");
    ASSERT_TRUE(jpeg);
    const std::optional<DecodedJpeg> decoded = Decode(*jpeg);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 48);
    EXPECT_EQ(decoded->height, 32);
    EXPECT_LT(MeanAbsoluteError(*decoded, source), 2.0);
}

TEST_F(NviewLibEntry, AFailedLoadLeavesNothingToSave) {
    ASSERT_TRUE(Convert(bmp_, 75, "first.jpg"));
    Bytes broken = ReadFile(bmp_);
    broken.resize(broken.size() - 1);
    WriteFile(Path("broken.bmp"), broken);
    for (const std::string& bad : {Path("broken.bmp"), Path("missing.bmp"), dir_.string()}) {
        EXPECT_EQ(NViewLibLoad(bad.c_str(), 0), 0) << bad;
        EXPECT_EQ(NViewLibSaveAsJPG(75, Path("second.jpg").c_str()), 0) << bad;
        EXPECT_FALSE(fs::exists(Path("second.jpg"))) << bad;
    }
    EXPECT_EQ(NViewLibLoad(nullptr, 0), 0);
    EXPECT_EQ(NViewLibSaveAsJPG(75, Path("second.jpg").c_str()), 0);
}

TEST_F(NviewLibEntry, RefusesBadArgumentsWithoutWriting) {
    ASSERT_EQ(NViewLibLoad(bmp_.c_str(), 0), 1);
    for (const int quality : {-1, 101}) {
        EXPECT_EQ(NViewLibSaveAsJPG(quality, Path("bad.jpg").c_str()), 0) << quality;
        EXPECT_FALSE(fs::exists(Path("bad.jpg"))) << quality;
    }
    EXPECT_EQ(NViewLibSaveAsJPG(75, nullptr), 0);
    EXPECT_EQ(NViewLibSaveAsJPG(75, Path("no such folder/x.jpg").c_str()), 0);
    EXPECT_FALSE(fs::exists(Path("no such folder")));
    // The image is still current after the refusals.
    EXPECT_EQ(NViewLibSaveAsJPG(75, Path("good.jpg").c_str()), 1);
}

// Saves with a file size limit of 100 bytes, like a disk that fills up while the JPEG is
// written; exits 0 when the save reported failure.
[[noreturn]] void SaveWithFileSizeLimit(const std::string& path) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::_Exit(NViewLibSaveAsJPG(75, path.c_str()) == 0 ? 0 : 1);
}

TEST_F(NviewLibEntry, AFailedWriteLeavesNoFileBehind) {
    ASSERT_EQ(NViewLibLoad(bmp_.c_str(), 0), 1);
    EXPECT_EXIT(SaveWithFileSizeLimit(Path("out.jpg")), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(FilesIn(dir_), std::vector<std::string>{"shot.bmp"});
}

// Files of other programs: one at the target's name, one at the name an older library took for
// its temporary file, and one at the first name the library tries for its own.
TEST_F(NviewLibEntry, NeverOpensNorReplacesAFileItDidNotCreate) {
    const Bytes theirs = {'t', 'h', 'e', 'i', 'r', 's'};
    const std::vector<std::string> othersFiles = {"taken.jpg", "free.jpg.part",
                                                  MakeTemporaryName(::getpid(), 0).text};
    for (const std::string& name : othersFiles) WriteFile(Path(name), theirs);
    ASSERT_EQ(NViewLibLoad(bmp_.c_str(), 0), 1);

    EXPECT_EQ(NViewLibSaveAsJPG(75, Path("taken.jpg").c_str()), 0);
    EXPECT_EQ(NViewLibSaveAsJPG(75, Path("free.jpg").c_str()), 1);
    for (const std::string& name : othersFiles) EXPECT_EQ(ReadFile(Path(name)), theirs) << name;
    EXPECT_TRUE(Decode(ReadFile(Path("free.jpg"))));
    std::vector<std::string> expected = othersFiles;
    expected.insert(expected.end(), {"free.jpg", "shot.bmp"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(dir_), expected);
}

TEST_F(NviewLibEntry, CallsFromTwoThreadsEachWriteAWholePicture) {
    const SourcePicture small = testing::PatternPicture(24, 17, 9);
    const std::string smallBmp = Path("small.bmp");
    WriteFile(smallBmp, testing::EncodeToBmp(small.view));
    auto convertMany = [&](const std::string& bmp, const std::string& prefix) {
        for (int i = 0; i < 20; ++i) {
            const std::string jpg = Path(prefix + std::to_string(i) + ".jpg");
            if (NViewLibLoad(bmp.c_str(), 0)) NViewLibSaveAsJPG(80, jpg.c_str());
        }
    };
    std::thread other(convertMany, smallBmp, "small");
    convertMany(bmp_, "large");
    other.join();
    // The other thread may have replaced the image between a load and its save, but every file
    // written is one whole picture or the other.
    int written = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        if (entry.path().extension() != ".jpg") continue;
        const std::optional<DecodedJpeg> decoded = Decode(ReadFile(entry.path()));
        ASSERT_TRUE(decoded) << entry.path();
        EXPECT_TRUE((decoded->width == kWidth && decoded->height == kHeight) ||
                    (decoded->width == 17 && decoded->height == 9));
        ++written;
    }
    EXPECT_GT(written, 0);
}

}  // namespace
}  // namespace dhsu::nviewlib
