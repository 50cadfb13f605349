// Started under a Japanese user locale, the main window and the dialogs take the Japanese font
// and the shutter key list shows the Japanese key names; under a Czech one the font stays.
// These run only in the Japanese and Czech runs, which start Wine in that locale.

#include <gtest/gtest.h>

#include "control_probe.h"
#include "dhsu_test.h"
#include "dialog_driver.h"
#include "ui/Unit_OptionDialog.h"
#include "ui/key_table.h"
#include "win/utf16.h"

namespace e2e {
namespace {

constexpr wchar_t kJapaneseFace[] = L"ＭＳ Ｐゴシック";

class LocaleTest : public DhsuTest {
  protected:
    // The window and each of its controls that has a font: that face and character set.
    static void ExpectFont(HWND window, const std::wstring& face, BYTE charSet) {
        const std::vector<ControlFacts> facts = ProbeControls(window);
        ASSERT_FALSE(facts.empty());
        ASSERT_TRUE(facts.front().hasFont) << "the window answers no WM_GETFONT";
        int withFont = 0;
        for (const ControlFacts& control : facts) {
            if (!control.hasFont) continue;
            ++withFont;
            EXPECT_EQ(control.font.lfFaceName, face) << "control " << control.id;
            EXPECT_EQ(control.font.lfCharSet, charSet) << "control " << control.id;
        }
        EXPECT_GT(withFont, 3);
    }
    // The main window and then each dialog.
    void ExpectFontEverywhere(const std::wstring& face, BYTE charSet) {
        ASSERT_NO_FATAL_FAILURE(ExpectFont(dhsu->Window(), face, charSet));
        for (DhsuDialog which :
             {DhsuDialog::kNewFolder, DhsuDialog::kFileName, DhsuDialog::kShutterKey}) {
            const HWND dialog = OpenDialog(*dhsu, which);
            ASSERT_NE(dialog, nullptr);
            SCOPED_TRACE(WindowText(dialog));
            ExpectFont(dialog, face, charSet);
            PostClick(GetDlgItem(dialog, IDCANCEL));
            ASSERT_TRUE(WaitForClosed(dialog));
        }
    }
};

TEST_F(LocaleTest, JapaneseLocaleGivesEveryWindowTheShiftJisGothic) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_JAPANESE);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectFontEverywhere(kJapaneseFace, SHIFTJIS_CHARSET);
}

TEST_F(LocaleTest, CzechLocaleKeepsArial) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_CZECH);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectFontEverywhere(L"Arial", DEFAULT_CHARSET);
}

// The list's font is checked above; here its texts.
TEST_F(LocaleTest, JapaneseLocaleShowsTheJapaneseKeyNames) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_JAPANESE);
    ASSERT_NO_FATAL_FAILURE(Start());
    const HWND dialog = OpenDialog(*dhsu, DhsuDialog::kShutterKey);
    ASSERT_NE(dialog, nullptr);
    const HWND keys = GetDlgItem(dialog, dhsu::TForm_KeyAssign::ComboBox_Keys);
    const auto table = dhsu::KeyTable();
    ASSERT_EQ(SendMessageW(keys, CB_GETCOUNT, 0, 0), LRESULT(table.size()));
    for (std::size_t row = 0; row < table.size(); ++row) {
        wchar_t wide[64] = {};
        SendMessageW(keys, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(wide));
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wide)),
                  dhsu::Utf16FromUtf8(table[row].name))
            << "row " << row;
    }
    PostClick(GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(WaitForClosed(dialog));
}

}  // namespace
}  // namespace e2e
