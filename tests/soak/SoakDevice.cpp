#include "tests/soak/SoakDevice.h"

#include <fstream>
#include <functional>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

#include "catalogue/SettingsFormat.h"

namespace fs = std::filesystem;

namespace {

using Random = std::mt19937_64;

int Uniform(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}
void WriteBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    Write(file, std::string(bytes.begin(), bytes.end()));
}
void Fifo(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::error_code ec;
    fs::remove(file, ec);
    ::mkfifo(file.c_str(), 0644);
}
void Program(const fs::path& file) {
    // Started by taps: it does nothing and ends.
    Write(file, "#!/bin/sh\nexit 0\n");
    fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s.push_back(char((v >> (8 * i)) & 0xFF));
}
void Put16(std::string& s, std::uint16_t v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8));
}

// A 24-bit BMP of w x h in one colour; `height` may lie about its size.
std::string Bmp(int w, int h, std::uint32_t colour, std::int32_t claimedHeight = 0) {
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string s = "BM";
    Put32(s, std::uint32_t(54 + stride * h));
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, std::uint32_t(w));
    Put32(s, std::uint32_t(claimedHeight ? claimedHeight : h));
    Put16(s, 1);
    Put16(s, 24);
    for (int i = 0; i < 6; ++i)
        Put32(s, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            s.push_back(char(colour & 0xFF));
            s.push_back(char((colour >> 8) & 0xFF));
            s.push_back(char((colour >> 16) & 0xFF));
        }
        s.append(std::size_t(stride - w * 3), '\0');
    }
    return s;
}

// An .ico holding one 16 x 16 32-bit image.
std::string Ico(std::uint32_t colour) {
    std::string dib;
    Put32(dib, 40);
    Put32(dib, 16);
    Put32(dib, 32);
    Put16(dib, 1);
    Put16(dib, 32);
    for (int i = 0; i < 6; ++i)
        Put32(dib, 0);
    for (int i = 0; i < 256; ++i)
        Put32(dib, colour);
    dib.append(64, '\0'); // the mask
    std::string s;
    Put16(s, 0);
    Put16(s, 1);
    Put16(s, 1);
    s += std::string("\x10\x10\0\0", 4);
    Put16(s, 1);
    Put16(s, 32);
    Put32(s, std::uint32_t(dib.size()));
    Put32(s, 22);
    return s + dib;
}

std::string Garbage(Random& random, std::size_t size) {
    std::string s(size, '\0');
    for (char& c : s)
        c = char(Uniform(random, 0, 255));
    return s;
}

std::u16string RandomName(Random& random) {
    static const std::u16string kNames[] = {
        u"Mail",  u"Notes",     u"Terminal and more text", u"Ünïcödé", u"日本語", u"a", u"",
        u"x.lnk", u"\\Windows", u"名前が長い名前です"};
    std::u16string name = kNames[std::size_t(Uniform(random, 0, 9))];
    if (Uniform(random, 0, 3) == 0)
        name += std::u16string(std::size_t(Uniform(random, 1, 300)), u'n');
    return name;
}

// --- Hostile kinds -------------------------------------------------------

struct HostileKind {
    SoakHostileKind kind;
    std::function<void(const SoakDevice&, Random&)> make;
};

std::vector<HostileKind>& Kinds() {
    static std::vector<HostileKind> kinds = {
        {{"fifo-shortcut", true},
         [](const SoakDevice& d, Random&) { Fifo(d.root / "Windows/Start Menu/pipe.lnk"); }},
        {{"folder-shortcut", true},
         [](const SoakDevice& d, Random&) {
             fs::create_directories(d.root / "Windows/Start Menu/folder.lnk");
         }},
        {{"huge-shortcut", true},
         [](const SoakDevice& d, Random& r) {
             Write(d.root / "Windows/Start Menu/huge.lnk",
                   "9#\\Windows\\p0.exe " + std::string(std::size_t(Uniform(r, 1, 3)) << 20, 'a'));
         }},
        {{"garbage-shortcut", true},
         [](const SoakDevice& d, Random& r) {
             Write(d.root / "Windows/Start Menu/garbage.lnk", Garbage(r, 300));
             Write(d.root / "Windows/Start Menu/self.lnk", "30#\\Windows\\Start Menu\\self.lnk");
         }},
        {{"fifo-icon", true},
         [](const SoakDevice& d, Random&) {
             Fifo(d.root / "Windows/pipe.ico");
             Fifo(d.root / "Windows/pipe.png");
             Write(d.root / "Windows/Start Menu/pipeicon.lnk",
                   "18#\\Windows\\p1.exe?\\Windows\\pipe.ico,-1");
         }},
        {{"garbage-icon", true},
         [](const SoakDevice& d, Random& r) {
             Write(d.root / "Windows/bad.ico", Garbage(r, 2000));
             Write(d.root / "Windows/cut.ico", Ico(0xFF0000FF).substr(0, 100));
         }},
        // The picture loader reads through the bounded reader once its mend lands.
        {{"fifo-picture", false},
         [](const SoakDevice& d, Random&) { Fifo(d.root / "Windows/pipe.bmp"); }},
        {{"bad-picture", true},
         [](const SoakDevice& d, Random&) {
             Write(d.root / "Windows/cut.bmp", Bmp(50, 50, 0x336699).substr(0, 300));
             Write(d.root / "Windows/liar.bmp", Bmp(4, 4, 0x336699, 30000));
             fs::create_directories(d.root / "Windows/folder.bmp");
         }},
        {{"garbage-settings", true},
         [](const SoakDevice& d, Random& r) {
             Write(d.settings, Garbage(r, std::size_t(Uniform(r, 0, 4000))));
         }},
        {{"fifo-settings", true}, [](const SoakDevice& d, Random&) { Fifo(d.settings); }},
        {{"folder-settings", true},
         [](const SoakDevice& d, Random&) {
             fs::remove(d.settings);
             fs::create_directories(d.settings);
         }},
        {{"linked-settings", true},
         [](const SoakDevice& d, Random& r) {
             // A link to a file outside the root (in the run's own folder).
             const fs::path outside = d.folder / "outside.qkt";
             Write(outside, Garbage(r, 100));
             fs::remove(d.settings);
             fs::create_symlink(outside, d.settings);
         }},
        {{"garbage-registry", true},
         [](const SoakDevice& d, Random& r) {
             Write(d.root / "registry.reg",
                   Uniform(r, 0, 1) ? Garbage(r, 5000) : std::string(5u << 20, '['));
         }},
        {{"fifo-registry", true},
         [](const SoakDevice& d, Random&) { Fifo(d.root / "registry.reg"); }},
        {{"link-loops", true},
         [](const SoakDevice& d, Random&) {
             fs::create_symlink("loop", d.root / "Windows/loop");
             fs::create_symlink("nowhere", d.root / "Windows/dangling.exe");
             fs::create_symlink("/", d.root / "Windows/rootlink");
         }},
        {{"odd-names", true},
         [](const SoakDevice& d, Random&) {
             Write(d.root / "Windows/Start Menu/new\nline.lnk", "9#\\Windows\\p0.exe");
             Write(d.root / "Windows/Start Menu/\xff\xfe bad utf8.lnk", "9#\\Windows\\p0.exe");
             fs::create_directories(d.root / "Windows/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p");
         }},
        {{"many-files", true},
         [](const SoakDevice& d, Random&) {
             for (int i = 0; i < 2000; ++i)
                 Write(d.root / "Windows/Start Menu/Many" / ("f" + std::to_string(i) + ".lnk"),
                       "9#\\Windows\\p0.exe");
         }},
        // The power-supply reader computes in a wide type once its mend lands.
        {{"huge-battery", false},
         [](const SoakDevice& d, Random&) {
             Write(d.folder / "host/power/BAT1/type", "Battery\n");
             Write(d.folder / "host/power/BAT1/energy_now", "9223372036854775807\n");
             Write(d.folder / "host/power/BAT1/energy_full", "1\n");
         }},
        {{"fifo-panel", false},
         [](const SoakDevice& d, Random&) {
             Fifo(d.folder / "host/calendar.ics");
             Fifo(d.folder / "host/power/BAT0/capacity");
         }},
    };
    return kinds;
}

} // namespace

const std::vector<SoakHostileKind>& SoakHostileKinds() {
    static std::vector<SoakHostileKind> names;
    names.clear();
    for (const auto& k : Kinds())
        names.push_back(k.kind);
    return names;
}

bool SetSoakHostileKind(const std::string& name, bool on) {
    for (auto& k : Kinds())
        if (name == k.kind.name) {
            k.kind.on = on;
            return true;
        }
    return false;
}

CatalogueContents RandomSoakCatalogue(Random& random, int groups, int perGroup,
                                      const std::vector<std::u16string>& targets) {
    CatalogueContents c;
    c.sysInfoMode = Uniform(random, 0, 3);
    if (Uniform(random, 0, 4) == 0)
        for (int i = Uniform(random, 1, 3); i > 0; --i) {
            c.reservedPairs.first.push_back(RandomName(random));
            c.reservedPairs.second.push_back(RandomName(random));
        }
    std::vector<std::uint8_t> order(static_cast<std::size_t>(groups));
    std::iota(order.begin(), order.end(), std::uint8_t{0});
    std::shuffle(order.begin(), order.end(), random);
    c.groupOrder = order;
    static const std::u16string kPictures[] = {
        u"\\Windows\\b0.bmp",      u"\\Windows\\b1.bmp",  u"",
        u"\\Windows\\missing.bmp", u"\\Windows\\cut.bmp", u"\\Windows\\liar.bmp",
        u"\\Windows\\folder.bmp",  u"\\Windows\\pipe.bmp"};
    for (int g = 0; g < groups; ++g) {
        c.groupNames.push_back(g < 4 ? std::u16string(1, u'A' + g) + u" group"
                                     : RandomName(random) + std::u16string(1, u'0' + g % 10));
        c.backgroundPaths.push_back(kPictures[std::size_t(Uniform(random, 0, 7))]);
        GroupRecord group;
        for (int n = Uniform(random, 0, perGroup); n > 0; --n) {
            static const std::u16string kIcons[] = {u"0", u"0", u"133", u"149", u"99999", u"12"};
            group.Append({targets[std::size_t(Uniform(random, 0, int(targets.size()) - 1))],
                          RandomName(random), kIcons[std::size_t(Uniform(random, 0, 5))]});
        }
        c.groupList.push_back(std::move(group));
    }
    return c;
}

SoakDevice MakeSoakDevice(const fs::path& folder, Random& random, bool hostile) {
    SoakDevice d;
    d.folder = folder;
    d.root = folder / "device";
    d.settings = d.root / "Windows" / "ZorunSetting.qkt";
    for (const char* sub : {"device/Windows/Start Menu/Programs", "device/My Documents", "state",
                            "home", "host/Maildir/new", "host/Maildir/cur", "host/Maildir/tmp"})
        fs::create_directories(folder / sub);

    // Programs, shortcut files, icons and pictures of a plain device.
    for (int i = 0; i < 6; ++i)
        Program(d.root / "Windows" / ("p" + std::to_string(i) + ".exe"));
    Write(d.root / "Windows/Start Menu/Programs/Tool.lnk", "18#\\Windows\\p2.exe -x \"a b\"");
    Write(d.root / "Windows/Start Menu/Icon.lnk", "40#\\Windows\\p3.exe?\\Windows\\i0.ico,-1");
    Write(d.root / "Windows/Start Menu/Long.lnk",
          "9#\\Windows\\p4.exe " + std::string(std::size_t(Uniform(random, 100, 500)), 'L'));
    Write(d.root / "Windows/i0.ico", Ico(0xFFFF0000));
    Write(d.root / "Windows/b0.bmp", Bmp(24, 16, 0x2060A0));
    Write(d.root / "Windows/b1.bmp", Bmp(240, 150, 0xA06020));
    Write(d.root / "registry.reg", Uniform(random, 0, 1)
                                       ? "Windows Registry Editor Version 5.00\n\n"
                                         "[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\n"
                                         "\"ClearType\"=dword:00000001\n"
                                       : "REGEDIT4\n");

    // The panel's sources.
    for (int i = Uniform(random, 0, 5); i > 0; --i)
        Write(folder / "host/Maildir/new" / (std::to_string(i) + ".mail"), "Subject: x\n\n");
    for (int i = Uniform(random, 0, 5); i > 0; --i)
        Write(folder / "host/Maildir/cur" / (std::to_string(i) + ".mail:2,S"), "Subject: y\n\n");
    Write(folder / "host/calendar.ics",
          "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTART:20300101T100000Z\r\n"
          "DTEND:20300101T110000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    Write(folder / "host/tasks.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:2\r\nEND:VTODO\r\n"
                                     "END:VCALENDAR\r\n");
    Write(folder / "host/power/BAT0/type", "Battery\n");
    Write(folder / "host/power/BAT0/capacity", std::to_string(Uniform(random, 0, 100)) + "\n");

    const std::vector<std::u16string> targets = {u"\\Windows\\p0.exe",
                                                 u"\\Windows\\p1.exe",
                                                 u"\\windows\\P5.EXE",
                                                 u"\\Windows\\Start Menu\\Programs\\Tool.lnk",
                                                 u"\\Windows\\Start Menu\\Icon.lnk",
                                                 u"\\Windows\\Start Menu\\Long.lnk",
                                                 u"\\windows\\shell32.exe",
                                                 u"\\Windows\\missing.exe",
                                                 u"",
                                                 u"\\Windows\\Start Menu\\pipe.lnk",
                                                 u"\\Windows\\Start Menu\\folder.lnk",
                                                 u"\\Windows\\Start Menu\\huge.lnk",
                                                 u"\\Windows\\Start Menu\\garbage.lnk",
                                                 u"\\Windows\\Start Menu\\self.lnk",
                                                 u"\\Windows\\Start Menu\\pipeicon.lnk",
                                                 u"\\Windows\\bad.ico",
                                                 u"\\Windows\\i0.ico",
                                                 u"\\Windows\\a.lnkdir\\p0.exe",
                                                 u"\\Windows\\calendar.exe",
                                                 u"\\..\\..\\..\\bin\\true",
                                                 u"\\Windows\\" + std::u16string(300, u'x') +
                                                     u".exe"};
    // The settings file: mostly a valid catalogue, else none or garbage.
    const int kind = Uniform(random, 0, 9);
    if (kind < 7) {
        const CatalogueContents contents =
            RandomSoakCatalogue(random, Uniform(random, 4, 12), 15, targets);
        if (auto bytes = SerializeSettings(contents)) {
            WriteBytes(d.settings, *bytes);
            d.initial = contents;
        }
    } else if (kind == 7) {
        std::string bytes = Garbage(random, std::size_t(Uniform(random, 1, 3000)));
        Write(d.settings, bytes);
        d.refusedBytes = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }

    if (hostile) {
        for (auto& k : Kinds()) {
            if (!k.kind.on || Uniform(random, 0, 2) != 0)
                continue;
            k.make(d, random);
            d.hostile.push_back(k.kind.name);
        }
        // What the settings kinds did to the file decides what to expect of it.
        for (const auto& name : d.hostile)
            if (name.ends_with("-settings")) {
                d.initial.reset();
                d.refusedBytes.reset();
                std::error_code ec;
                if (fs::is_regular_file(fs::symlink_status(d.settings, ec))) {
                    std::ifstream in(d.settings, std::ios::binary);
                    d.refusedBytes = std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                                               std::istreambuf_iterator<char>());
                }
            }
    }
    return d;
}
