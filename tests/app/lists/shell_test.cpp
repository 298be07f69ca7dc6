// Opening a listed file and the output folder through the real shell: for the
// test the prefix's associations send both to a probe that notes its command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/lists/lists_fixture.h"

using namespace testing_support;

namespace {

// Points HKEY_CLASSES_ROOT keys at the probe while it lives, then puts back
// what was there.
class ShellAssociations {
public:
    explicit ShellAssociations(const std::wstring& command) {
        Set(L".mp4", L"VistrelListsTest.File");
        Set(L".png", L"VistrelListsTest.File");
        Set(L"VistrelListsTest.File\\shell\\open\\command", command);
        Set(L"Directory\\shell\\open\\command", command);
        Set(L"Folder\\shell\\open\\command", command);
    }
    ~ShellAssociations() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (!it->existed) {
                RegDeleteTreeW(HKEY_CLASSES_ROOT, it->createdFrom.c_str());
                continue;
            }
            HKEY key;
            if (RegOpenKeyExW(HKEY_CLASSES_ROOT, it->key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
            if (it->hadValue)
                WriteDefault(key, it->value);
            else
                RegDeleteValueW(key, nullptr);
            RegCloseKey(key);
        }
    }

private:
    struct Saved {
        std::wstring key;
        bool existed = false, hadValue = false;
        std::wstring value;
        std::wstring createdFrom;  // the outermost key the test made
    };

    static bool KeyExists(const std::wstring& path) {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    static std::wstring FirstMissing(const std::wstring& path) {
        for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
            std::wstring prefix = path.substr(0, end);
            if (!KeyExists(prefix) || end == std::wstring::npos) return prefix;
        }
    }

    static void WriteDefault(HKEY key, const std::wstring& value) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    void Set(const std::wstring& path, const std::wstring& value) {
        Saved saved{path};
        HKEY key;
        saved.existed = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (saved.existed) {
            wchar_t buffer[1024] = {};
            DWORD bytes = sizeof buffer - sizeof(wchar_t);
            saved.hadValue = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                              &bytes) == ERROR_SUCCESS;
            saved.value = buffer;
            RegCloseKey(key);
        }
        if (!saved.existed) saved.createdFrom = FirstMissing(path);
        saved_.push_back(saved);
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        WriteDefault(key, value);
        RegCloseKey(key);
    }

    std::vector<Saved> saved_;
};

std::wstring BesideTheProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\') + 1) + name;
}

// The command lines the probe noted.
std::vector<std::wstring> Opened() {
    std::string bytes = ReadFileBytes(BesideTheProgram(L"opened.txt"));
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool WaitForOpened(size_t count) {
    return ui_test::PumpUntil([count] { return Opened().size() >= count; }, 10000);
}

}  // namespace

TEST_F(ListsFixture, OpensTheSelectedFileAndTheOutputFolderThroughTheShell) {
    DeleteFileW(BesideTheProgram(L"opened.txt").c_str());
    ShellAssociations associations(L"\"" + BesideTheProgram(L"shell_open_probe.exe") + L"\" \"%1\"");
    const std::wstring video = AddRecordingFile(L"录屏 一.mp4");
    AddRecordingFile(L"b.mp4");
    WriteList(L"videolist.txt", {L"录屏 一.mp4", L"b.mp4"});
    lists->LoadVideoList();
    const std::wstring shot = AddPlainFile(L"截图.png", 2000);
    lists->AddScreenshot(shot);

    videos()->SelectItem(1);  // "录屏 一.mp4" sorts after "b.mp4"
    lists->OpenSelected();
    ASSERT_TRUE(WaitForOpened(1));
    EXPECT_NE(Opened()[0].find(L"\"" + video + L"\""), std::wstring::npos) << ui_test::Narrow(Opened()[0]);

    ShowPictures(true);
    lists->OpenSelected();
    ASSERT_TRUE(WaitForOpened(2));
    EXPECT_NE(Opened()[1].find(L"\"" + shot + L"\""), std::wstring::npos) << "the list in use is the screenshots'";

    lists->OpenOutputFolder();
    ASSERT_TRUE(WaitForOpened(3));
    std::wstring folderPath = folder.path();
    folderPath.pop_back();  // the shell names a folder without its last backslash
    EXPECT_NE(Opened()[2].find(folderPath), std::wstring::npos) << ui_test::Narrow(Opened()[2]);
}
