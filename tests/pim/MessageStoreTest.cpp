// Inbox counts from Maildir folders: fixtures built here and the conformance
// trees of the shared corpora.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/Corpora.h"
#include <string>

#include "platform/pim/MessageStore.h"

namespace fs = std::filesystem;

namespace {

class MaildirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-maildir-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        zorun::SetMaildirFolder(root_);
    }
    void TearDown() override {
        zorun::SetMaildirFolder({});
        fs::remove_all(root_);
    }
    void Make(std::initializer_list<const char*> dirs) {
        for (const char* d : dirs)
            fs::create_directories(root_ / d);
    }
    void Message(const std::string& relative) {
        std::ofstream(root_ / relative) << "Subject: x\n\nx\n";
    }
    std::string Counts() {
        const auto c = store_.ReadInbox();
        return c ? std::to_string(c->unread) + " / " + std::to_string(c->total) : "none";
    }
    fs::path root_;
    zorun::MessageStore store_;
};

} // namespace

TEST_F(MaildirTest, CountsNewAndUnseenMessages) {
    Make({"new", "cur", "tmp"});
    EXPECT_EQ(Counts(), "0 / 0");
    Message("cur/1.host:2,S");
    Message("cur/2.host:2,FRS");
    Message("new/3.host");
    EXPECT_EQ(Counts(), "1 / 3");

    // Flags other than S leave a message unread; an S before ":2," is no flag;
    // the '!' separator of tools that cannot write ':' is understood.
    Message("cur/4.host:2,FR");
    Message("cur/5S.host:2,");
    Message("cur/6.host!2,S");
    Message("cur/7.host");
    EXPECT_EQ(Counts(), "4 / 7");

    // Not messages: dot files, folders, anything in tmp/.
    Message("cur/.hidden:2,");
    Message("new/.dotfile");
    Make({"cur/folder", "new/folder"});
    Message("tmp/8.host");
    EXPECT_EQ(Counts(), "4 / 7");

    // Reading a message renames it; the counts follow at the next read.
    fs::rename(root_ / "new/3.host", root_ / "cur/3.host:2,S");
    fs::remove(root_ / "cur/7.host");
    EXPECT_EQ(Counts(), "2 / 6");
}

TEST_F(MaildirTest, ChangesAreCountedFromTheirReportsWithoutListingAgain) {
    Make({"new", "cur", "tmp"});
    Message("new/1.host");
    Message("cur/2.host:2,S");
    Message("cur/3.host:2,");
    EXPECT_EQ(Counts(), "2 / 3");
    const auto listed = store_.Listings();

    // Delivery through tmp/, reading (new/ to cur/ with S), a flag taken
    // back, a deletion: what a mail program does.
    Message("tmp/4.host");
    fs::rename(root_ / "tmp/4.host", root_ / "new/4.host");
    EXPECT_EQ(Counts(), "3 / 4");
    fs::rename(root_ / "new/1.host", root_ / "cur/1.host:2,S");
    EXPECT_EQ(Counts(), "2 / 4");
    fs::rename(root_ / "cur/2.host:2,S", root_ / "cur/2.host:2,");
    EXPECT_EQ(Counts(), "3 / 4");
    fs::remove(root_ / "cur/3.host:2,");
    EXPECT_EQ(Counts(), "2 / 3");

    // A rename over an existing name (reported as a move only), a name
    // made and gone between two readings, folders and dot files.
    Message("cur/5.host:2,");
    fs::rename(root_ / "cur/5.host:2,", root_ / "cur/1.host:2,S");
    Message("new/6.host");
    fs::remove(root_ / "new/6.host");
    Make({"new/folder"});
    Message("cur/.7.host:2,");
    fs::rename(root_ / "cur/.7.host:2,", root_ / "cur/.8.host:2,");
    EXPECT_EQ(Counts(), "2 / 3");
    EXPECT_EQ(store_.Listings(), listed) << "nothing was listed again";

    // cur/ replaced by another folder: its own messages count.
    fs::rename(root_ / "cur", root_ / "old-cur");
    Make({"cur"});
    Message("cur/9.host:2,S");
    EXPECT_EQ(Counts(), "1 / 2");
    fs::remove_all(root_ / "cur");
    EXPECT_EQ(Counts(), "none");
    Make({"cur"});
    EXPECT_EQ(Counts(), "1 / 1");
}

TEST_F(MaildirTest, LostReportsMeanAFreshListing) {
    // More renames than the kernel queues: the first ones arrive, the rest
    // are lost. One message, read at the last rename.
    std::ifstream limitFile("/proc/sys/fs/inotify/max_queued_events");
    int limit = 0;
    if (!(limitFile >> limit) || limit > 100000)
        GTEST_SKIP() << "the kernel's queue is too long to overflow here";
    Make({"new", "cur"});
    Message("cur/0.host:2,");
    EXPECT_EQ(Counts(), "1 / 1");
    const int renames = limit / 2 + 100;
    for (int i = 0; i < renames; ++i)
        fs::rename(
            root_ / ("cur/" + std::to_string(i) + ".host:2,"),
            root_ / ("cur/" + std::to_string(i + 1) + ".host:2," + (i + 1 == renames ? "S" : "")));
    EXPECT_EQ(Counts(), "0 / 1");
}

TEST_F(MaildirTest, AnythingButAMaildirIsUnavailable) {
    EXPECT_EQ(Counts(), "none") << "no new/ or cur/";
    Make({"cur"});
    EXPECT_EQ(Counts(), "none") << "no new/";
    std::ofstream(root_ / "new") << "a file, not a folder";
    EXPECT_EQ(Counts(), "none");
    fs::remove(root_ / "new");
    Make({"new"});
    EXPECT_EQ(Counts(), "0 / 0") << "tmp/ is not required";
    zorun::SetMaildirFolder(root_ / "missing");
    EXPECT_EQ(Counts(), "none");
}

TEST(MaildirConformance, CountsOfTheSharedTrees) {
    const char* corpora = std::getenv("ZORUN_CORPORA");
    const fs::path base = corpora ? fs::path(corpora) / "maildir" : fs::path();
    if (base.empty() || !fs::exists(base))
        SKIP_WITHOUT_CORPUS("maildir corpus");
    zorun::MessageStore store;
    zorun::SetMaildirFolder(base / "laminas-mail" / "test.maildir");
    auto counts = store.ReadInbox();
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->unread, 1);
    EXPECT_EQ(counts->total, 5);
    zorun::SetMaildirFolder(base / "rust-maildir" / "testdata" / "maildir");
    counts = store.ReadInbox();
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->unread, 1);
    EXPECT_EQ(counts->total, 2);
    zorun::SetMaildirFolder({});
}
