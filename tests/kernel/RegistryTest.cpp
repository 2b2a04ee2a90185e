#include "platform/kernel/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/Corpora.h"
#include "tests/support/Fifo.h"
#include <sys/stat.h>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"

namespace fs = std::filesystem;
using zorun::FromUtf8;
using zorun::RegistryFile;
using zorun::RegistryValue;
using zorun::ToUtf8;

namespace {

std::string CUnescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            out.push_back(n == 'n' ? '\n' : n == 't' ? '\t' : n);
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& s, const std::string& sep) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        auto end = s.find(sep, start);
        out.push_back(s.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return out;
        start = end + sep.size();
    }
}

std::string Text(const RegistryValue& v) {
    std::string out;
    if (v.type == REG_SZ) {
        for (std::size_t i = 0; i + 1 < v.data.size(); i += 2)
            out += ToUtf8(std::u16string(1, static_cast<char16_t>(v.data[i] | v.data[i + 1] << 8)));
    } else {
        out.assign(v.data.begin(), v.data.end());
    }
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

constexpr const char16_t* kKey = u"HKEY_CURRENT_USER\\Software\\Wine\\reg_test";

} // namespace

// The registry editor's import rules, case by case, as observed on the device
// family's desktop relative: which values a file really defines.
TEST(RegistryFileCorpus, EveryCaseImportsWhatTheEditorImports) {
    std::ifstream in(Corpus("regfile/cases.tsv"));
    if (!in)
        SKIP_WITHOUT_CORPUS("registry corpus");
    int cases = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto cols = Split(line, "\t");
        ASSERT_GE(cols.size(), 4u);
        const auto& id = cols[0];
        const auto file = RegistryFile::Parse(CUnescape(cols[1]));
        ++cases;
        if (cols[3].empty())
            continue;
        for (const auto& fact : Split(cols[3], " | ")) {
            if (fact.size() > 7 && fact.ends_with("=absent")) {
                const auto name = fact.substr(0, fact.size() - 7);
                EXPECT_EQ(file.Find(kKey, FromUtf8(name)), nullptr) << id << " " << name;
                continue;
            }
            const auto eq = fact.find("=REG_");
            ASSERT_NE(eq, std::string::npos) << id << " " << fact;
            const auto name = fact.substr(0, eq);
            const auto colon = fact.find(':', eq);
            const auto type = fact.substr(eq + 1, colon - eq - 1);
            auto data = fact.substr(colon + 1);
            const auto* value = file.Find(kKey, FromUtf8(name));
            ASSERT_NE(value, nullptr) << id << " " << name;
            if (type == "REG_DWORD") {
                ASSERT_EQ(value->type, REG_DWORD) << id;
                ASSERT_EQ(value->data.size(), 4u);
                const DWORD n = value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                                static_cast<DWORD>(value->data[3]) << 24;
                EXPECT_EQ(n, std::stoul(data, nullptr, 16)) << id << " " << name;
            } else {
                const DWORD expectedType = type == "REG_SZ"          ? REG_SZ
                                           : type == "REG_EXPAND_SZ" ? REG_EXPAND_SZ
                                                                     : REG_MULTI_SZ;
                EXPECT_EQ(value->type, expectedType) << id << " " << name;
                // "text\0 (20 bytes)": the text, then notes on the raw size.
                if (auto note = data.find(" (");
                    note != std::string::npos && expectedType != REG_SZ)
                    data = data.substr(0, note);
                if (auto nul = data.find("\\0"); nul != std::string::npos)
                    data = data.substr(0, nul);
                EXPECT_EQ(Text(*value), data) << id << " " << name;
            }
        }
    }
    EXPECT_EQ(cases, 68);
}

TEST(RegistryFileFormat, ContinuedHexKeepsEveryByteAndTheFileRoundTrips) {
    auto file = RegistryFile::Parse("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n"
                                    "\"Multi\"=hex(7):4c,69,6e,65,20,\\\n"
                                    "  63,6f,6e,\\;c\n\n  63,61,74,00,00\n");
    const auto* multi = file.Find(u"hkcu\\a", u"MULTI");
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->data.size(), 13u);

    file.SetValue(u"HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell", u"ClearType",
                  RegistryValue::Dword(1));
    file.SetValue(u"HKEY_CURRENT_USER\\A", u"", RegistryValue::String(u"say \"hi\" \\ é"));
    const auto again = RegistryFile::Parse(file.Serialize());
    ASSERT_TRUE(again.HeaderAccepted());
    for (auto [key, name] : {std::pair{u"HKCU\\A", u"Multi"},
                             {u"HKCU\\A", u"@"},
                             {u"HKCU\\software\\microsoft\\shell", u"cleartype"}}) {
        const auto* a = file.Find(key, name);
        const auto* b = again.Find(key, name);
        ASSERT_TRUE(a && b) << ToUtf8(name);
        EXPECT_EQ(a->type, b->type);
        EXPECT_EQ(a->data, b->data);
    }
    // UTF-16LE with a byte-order mark, as the desktop editor writes it.
    std::string wide = "\xFF\xFE";
    for (char c :
         std::string("Windows Registry Editor Version 5.00\r\n[HKCU\\B]\r\n\"V\"=dword:2\r\n")) {
        wide.push_back(c);
        wide.push_back('\0');
    }
    const auto wideFile = RegistryFile::Parse(wide);
    const auto* v = wideFile.Find(u"HKEY_CURRENT_USER\\B", u"v");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->data, RegistryValue::Dword(2).data);
}

TEST(RegistryFileFormat, WhatIsWrittenReadsBackToTheSameText) {
    // Found by the fuzzer: "[\\]" was kept as a key with no name, written
    // as "[]", which reading skips.
    const auto file =
        RegistryFile::Parse("REGEDIT4\n[\\]\n\"M\"=dword:1\n[HKCU\\A]\n\"N\"=\"x\"\n");
    EXPECT_FALSE(file.HasKey(u""));
    const std::string text = file.Serialize();
    EXPECT_EQ(RegistryFile::Parse(text).Serialize(), text);
    EXPECT_EQ(text.find("[]"), std::string::npos) << text;
    ASSERT_NE(file.Find(u"HKCU\\A", u"N"), nullptr);
    // Also found by the fuzzer: "[  -B]" was kept as the key "-B", written
    // as "[-B]", which reading takes for deleting a key. Blanks before the
    // '-' make no key either.
    const auto dashed = RegistryFile::Parse("REGEDIT4\n[  -B]\n\"V\"=dword:2\n[ C]\n@=\"c\"\n");
    EXPECT_FALSE(dashed.HasKey(u"-B"));
    EXPECT_TRUE(dashed.HasKey(u"C"));
    const std::string dashedText = dashed.Serialize();
    EXPECT_EQ(RegistryFile::Parse(dashedText).Serialize(), dashedText);
}

class RegistryApi : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-registry-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        zorun::SetDeviceRoot(root_);
    }
    void TearDown() override {
        chmod(root_.c_str(), 0755);
        fs::remove_all(root_);
    }
    void Write(const std::string& text) { std::ofstream(root_ / "registry.reg") << text; }

    // The frame's question: is "ClearType" under Software\MicroSoft\Shell exactly 1?
    static bool ClearType() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\MicroSoft\\Shell", 0, 0, &key) !=
            ERROR_SUCCESS)
            return false;
        DWORD value = 0, size = sizeof value;
        const LONG r = RegQueryValueExW(key, u"ClearType", nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        return r == ERROR_SUCCESS && value == 1;
    }

    fs::path root_;
};

TEST_F(RegistryApi, ClearTypeIsOnOnlyForExactlyOne) {
    EXPECT_FALSE(ClearType()); // no file
    Write("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\microsoft\\"
          "shell]\n\"cleartype\"=dword:00000001\n");
    EXPECT_TRUE(ClearType());
    Write("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\n"
          "\"ClearType\"=dword:00000002\n");
    EXPECT_FALSE(ClearType());
    Write("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\n"
          "\"Other\"=dword:00000001\n");
    EXPECT_FALSE(ClearType());
    Write("REGEDIT5\n[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\n\"ClearType\"=dword:1\n");
    EXPECT_FALSE(ClearType());
}

TEST_F(RegistryApi, QueriesReportTypesSizesAndShortBuffers) {
    Write("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Zorun]\n\"Maildir\"=\"/home/u/Mail\"\n"
          "\"Count\"=dword:0000000a\n");
    HKEY software = nullptr, key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"software", 0, 0, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExW(software, u"ZORUN", 0, 0, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"maildir", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 26u); // 12 characters and the terminator, two bytes each
    char16_t small[4];
    DWORD smallSize = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, u"Maildir", nullptr, nullptr, reinterpret_cast<BYTE*>(small),
                               &smallSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, 26u);
    char16_t text[13];
    ASSERT_EQ(
        RegQueryValueExW(key, u"Maildir", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), u"/home/u/Mail");
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Nothing", 0, 0, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(software), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(software), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(software, u"x", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, FirstRunWriterCreatesTheFileAndNeverClobbersAForeignOne) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\MicroSoft\\Shell", 0, nullptr, 0, 0,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    ASSERT_EQ(RegSetValueExW(key, u"ClearType", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                             sizeof one),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(ClearType());
    EXPECT_FALSE(fs::exists(root_ / "registry.reg.tmp"));

    // A file this reader does not accept is left as it is.
    Write("not a registry file\n");
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"", 0, 0, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\X", 0, nullptr, 0, 0, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    std::ifstream in(root_ / "registry.reg");
    std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "not a registry file\n");
}

TEST_F(RegistryApi, AFifoForTheFileReadsAsNoRegistryAndNeverBlocks) {
    MakeFifo(root_ / "registry.reg");
    bool on = true;
    EXPECT_TRUE(ReturnsDespiteFifos(root_, [&] { on = ClearType(); }));
    EXPECT_FALSE(on);
    EXPECT_TRUE(fs::is_fifo(root_ / "registry.reg"));
}
