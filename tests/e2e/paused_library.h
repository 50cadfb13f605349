#pragma once
// The named events through which a test holds the paused NviewLib.dll between its load and its
// save. The library pauses only while both exist.

namespace e2e {

constexpr wchar_t kLibraryLoadedEvent[] = L"Local\\DhsuE2eNviewLibLoaded";
constexpr wchar_t kLibraryResumeEvent[] = L"Local\\DhsuE2eNviewLibResume";

}  // namespace e2e
