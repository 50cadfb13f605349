#include <windows.h>

#include <gtest/gtest.h>

namespace {

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The Scaled150, Japanese and Czech runs ask scripts/wine-run.sh for a Wine prefix of another
// kind through these variables. On Windows nothing makes such a prefix and the display and
// locale are the machine's own, so there the run is skipped instead of failing.
class WinePrefixKind : public ::testing::Environment {
  public:
    void SetUp() override {
        const bool asked = GetEnvironmentVariableW(L"DHSU_WINE_DPI", nullptr, 0) > 0 ||
                           GetEnvironmentVariableW(L"DHSU_WINE_LOCALE", nullptr, 0) > 0;
        if (asked && !UnderWine()) GTEST_SKIP() << "needs a Wine prefix of another kind";
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new WinePrefixKind);
    return RUN_ALL_TESTS();
}
