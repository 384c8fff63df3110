#include "explorer/copy_operations.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "explorer/new_folder.h"
#include "explorer_fixture.h"
#include "platform/file_times.h"
#include "shell/message_table.h"

namespace tesmora::explorer {
namespace {

using tesmora::testing::EntriesIn;
using tesmora::testing::ReadBytes;
using testing::ExplorerFixture;

class CopyTest : public ExplorerFixture {
 protected:
  void SetUp() override {
    from = home + "/From";
    to = home + "/To";
    MakeFolder(from);
    MakeFolder(to);
    for (const char* name : {"a.312", "b.312", "c.312"}) {
      MakeFile(from + "/" + name, std::string("new ") + name);
    }
  }
  std::string Replace(const std::string& name) const {
    return name + ". " + MessageUtf8(msg::kReplaceFile, english);
  }
  std::string NotCopied(const std::string& name) const {
    return name + ". " + MessageUtf8(msg::kFileNotCopied, english);
  }
  std::string NotAFile(const std::string& name) const {
    return name + ". " + MessageUtf8(msg::kNotAFile, english);
  }
  std::string ReadOnlyReplace(const std::string& name) const {
    return name + ". " + MessageUtf8(msg::kReadOnlyFile, english) +
           MessageUtf8(msg::kReplaceFile, english);
  }
  // A named pipe and a link to a device among the files: listed in the
  // display-all-files mode, never to be opened.
  void MakeSpecialFiles() {
    ASSERT_EQ(::mkfifo((from + "/pipe.312").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", from + "/device.312");
  }
  std::string from, to;
  const std::vector<std::string> names{"a.312", "b.312", "c.312"};
};

TEST_F(CopyTest, PasteAndDropLeaveOutPipesAndDevicesAndNameThem) {
  MakeSpecialFiles();
  const std::vector<std::string> mixed{"pipe.312", "a.312", "device.312"};
  const TransferOutcome pasted = PasteFiles(Context(), CopyPcSelection(from, mixed), to + "/");
  EXPECT_EQ(pasted.done, std::vector<std::string>{"a.312"});
  EXPECT_EQ(EntriesIn(to), 1);
  const TransferOutcome moved = MoveByDrop(Context(), from + "/", mixed, to + "/");
  // The copy pasted before is asked about; the pipe and the device stay
  // where they are, even where a rename would have moved them.
  EXPECT_EQ(moved.done, std::vector<std::string>{"a.312"});
  EXPECT_TRUE(Exists(from + "/pipe.312"));
  EXPECT_TRUE(Exists(from + "/device.312"));
  EXPECT_EQ(EntriesIn(to), 1);
  EXPECT_EQ(prompter.questions(), std::vector<std::string>{Replace("a.312")});
  EXPECT_EQ(prompter.messages(),
            (std::vector<std::string>{NotAFile("pipe.312"), NotAFile("device.312"),
                                      NotAFile("pipe.312"), NotAFile("device.312")}));
}

// A write-protected file is asked about before it is replaced, as before it
// is deleted; Cancel keeps it and the paste goes on with the next file.
TEST_F(CopyTest, AWriteProtectedTargetIsAskedAboutBeforeItIsReplaced) {
  for (const char* name : {"a.312", "b.312"}) {
    MakeFile(to + "/" + name, std::string("old ") + name);
    MakeReadOnly(to + "/" + name);
  }
  MakeFile(to + "/c.312", "old c");
  prompter.Script({PromptAnswer::Yes, PromptAnswer::Cancel, PromptAnswer::Yes, PromptAnswer::Ok,
                   PromptAnswer::Yes});
  const TransferOutcome outcome = PasteFiles(Context(), CopyPcSelection(from, names), to + "/");
  EXPECT_EQ(outcome.done, (std::vector<std::string>{"b.312", "c.312"}));
  EXPECT_FALSE(outcome.cancelled);
  EXPECT_EQ(ReadBytes(to + "/a.312"), "old a.312");
  EXPECT_EQ(ReadBytes(to + "/b.312"), "new b.312");
  EXPECT_EQ(prompter.questions(),
            (std::vector<std::string>{Replace("a.312"), ReadOnlyReplace("a.312"), Replace("b.312"),
                                      ReadOnlyReplace("b.312"), Replace("c.312")}));

  // A drop asks the same.
  MakeReadOnly(to + "/c.312");
  prompter.Script({PromptAnswer::Yes, PromptAnswer::Cancel});
  EXPECT_TRUE(MoveByDrop(Context(), from + "/", {"c.312"}, to + "/").done.empty());
  EXPECT_EQ(prompter.questions().back(), ReadOnlyReplace("c.312"));
  EXPECT_TRUE(Exists(from + "/c.312"));
}

TEST_F(CopyTest, PasteAsksAboutExistingFilesYesNoAndCancel) {
  MakeFile(to + "/a.312", "old a");
  MakeFile(to + "/b.312", "old b");
  MakeFile(to + "/c.312", "old c");
  const PcClipboard clipboard = CopyPcSelection(from, names);
  EXPECT_EQ(clipboard.ClipboardFolder, from + "/");
  prompter.Script({PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel});
  const TransferOutcome outcome = PasteFiles(Context(), clipboard, to + "/");
  EXPECT_EQ(outcome.done, std::vector<std::string>{"a.312"});
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(ReadBytes(to + "/a.312"), "new a.312");
  EXPECT_EQ(ReadBytes(to + "/b.312"), "old b");
  EXPECT_EQ(ReadBytes(to + "/c.312"), "old c");
  EXPECT_EQ(prompter.questions(),
            (std::vector<std::string>{Replace("a.312"), Replace("b.312"), Replace("c.312")}));
  EXPECT_EQ(ReadBytes(from + "/a.312"), "new a.312");  // the source stays
}

TEST_F(CopyTest, PasteCopiesWithoutAskingAndKeepsTheDate) {
  ASSERT_TRUE(platform::SetFileCreationDate(from + "/a.312", {2003, 3, 15}));
  MakeFile(to + "/b.312", "old b");
  fs.refuseCopyTo.insert(to + "/b.312");
  const TransferOutcome outcome = PasteFiles(Context(), CopyPcSelection(from, names), to + "/");
  // b answered Yes (the default) but failed: reported, and c still goes.
  EXPECT_EQ(outcome.done, (std::vector<std::string>{"a.312", "c.312"}));
  EXPECT_FALSE(outcome.cancelled);
  EXPECT_EQ(prompter.questions(), std::vector<std::string>{Replace("b.312")});
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{NotCopied("b.312")});
  EXPECT_EQ(ReadBytes(to + "/b.312"), "old b");
  EXPECT_EQ(platform::ReadFileDate(to + "/a.312", platform::FileTimeKind::Creation),
            (platform::CalendarDate{2003, 3, 15}));
}

TEST_F(CopyTest, APasteOntoAFullDiskKeepsTheOlderFileWhole) {
  MakeFile(from + "/big.312", std::string(1 << 20, 'n'));
  MakeFile(to + "/big.312", "older, whole");
  fs.diskFullAfter = 4096;
  const TransferOutcome outcome =
      PasteFiles(Context(), CopyPcSelection(from, {"big.312"}), to + "/");
  EXPECT_TRUE(outcome.done.empty());
  EXPECT_EQ(ReadBytes(to + "/big.312"), "older, whole");
  EXPECT_EQ(EntriesIn(to), 1);  // no partial file beside it
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{NotCopied("big.312")});
}

TEST_F(CopyTest, ADropMovesTheFilesAndNoSkipsOnlyThatOne) {
  MakeFile(to + "/a.312", "old a");
  prompter.Script({PromptAnswer::No});
  const TransferOutcome outcome = MoveByDrop(Context(), from + "/", names, to + "/");
  EXPECT_EQ(outcome.done, (std::vector<std::string>{"b.312", "c.312"}));
  EXPECT_EQ(ReadBytes(to + "/a.312"), "old a");
  EXPECT_TRUE(Exists(from + "/a.312"));
  EXPECT_FALSE(Exists(from + "/b.312"));
  EXPECT_EQ(ReadBytes(to + "/c.312"), "new c.312");
  EXPECT_EQ(prompter.questions(), std::vector<std::string>{Replace("a.312")});
}

TEST_F(CopyTest, CancelStopsTheDrop) {
  MakeFile(to + "/b.312", "old b");
  prompter.Script({PromptAnswer::Cancel});
  const TransferOutcome outcome = MoveByDrop(Context(), from + "/", names, to + "/");
  EXPECT_EQ(outcome.done, std::vector<std::string>{"a.312"});
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_TRUE(Exists(from + "/c.312"));
  EXPECT_FALSE(Exists(to + "/c.312"));
}

TEST_F(CopyTest, AcrossFileSystemsTheSourceGoesOnlyAfterAWholeCopy) {
  fs.renamesCrossDevice = true;
  ASSERT_TRUE(platform::SetFileCreationDate(from + "/a.312", {1998, 12, 31}));
  // The second copy fails halfway, the third source cannot be deleted.
  fs.diskFullAfter = std::string::npos;
  fs.refuseCopyTo.insert(to + "/b.312");
  fs.refuseRemove.insert(from + "/c.312");
  const TransferOutcome outcome = MoveByDrop(Context(), from + "/", names, to + "/");
  EXPECT_EQ(outcome.done, std::vector<std::string>{"a.312"});
  EXPECT_FALSE(Exists(from + "/a.312"));
  EXPECT_EQ(ReadBytes(to + "/a.312"), "new a.312");
  EXPECT_EQ(platform::ReadFileDate(to + "/a.312", platform::FileTimeKind::Creation),
            (platform::CalendarDate{1998, 12, 31}));
  EXPECT_EQ(ReadBytes(from + "/b.312"), "new b.312");
  EXPECT_FALSE(Exists(to + "/b.312"));
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{NotCopied("b.312")});
  // In both folders, whole in each.
  EXPECT_EQ(ReadBytes(from + "/c.312"), "new c.312");
  EXPECT_EQ(ReadBytes(to + "/c.312"), "new c.312");
}

TEST_F(CopyTest, AcrossFileSystemsAFullDiskLeavesTheSourceAndTheOlderTarget) {
  fs.renamesCrossDevice = true;
  MakeFile(from + "/big.312", std::string(1 << 20, 'n'));
  MakeFile(to + "/big.312", "older");
  fs.diskFullAfter = 1000;
  EXPECT_TRUE(MoveByDrop(Context(), from + "/", {"big.312"}, to + "/").done.empty());
  EXPECT_EQ(ReadBytes(from + "/big.312").size(), 1u << 20);
  EXPECT_EQ(ReadBytes(to + "/big.312"), "older");
  EXPECT_EQ(EntriesIn(to), 1);
}

TEST_F(CopyTest, DroppingFilesOnTheirOwnFolderKeepsThem) {
  const TransferOutcome outcome = MoveByDrop(Context(), from + "/", names, from + "/");
  EXPECT_TRUE(outcome.done.empty());
  EXPECT_EQ(ReadBytes(from + "/a.312"), "new a.312");
  // Also when the same folder is named another way.
  std::filesystem::create_directory_symlink(from, home + "/Alias");
  EXPECT_TRUE(MoveByDrop(Context(), from + "/", names, home + "/Alias/").done.empty());
  // The listed folder reached through the link, spelled as the list holds
  // it (no separator at its end), dropped on the folder itself.
  EXPECT_TRUE(MoveByDrop(Context(), home + "/Alias", names, from + "/").done.empty());
  EXPECT_TRUE(MoveByDrop(Context(), home + "/Alias", names, from).done.empty());
  EXPECT_EQ(EntriesIn(from), 3);
  EXPECT_TRUE(prompter.questions().empty());
  // A link to another folder is that other folder.
  std::filesystem::create_directory_symlink(to, home + "/ToAlias");
  EXPECT_EQ(MoveByDrop(Context(), home + "/Alias", {"a.312"}, home + "/ToAlias").done,
            std::vector<std::string>{"a.312"});
  EXPECT_EQ(ReadBytes(to + "/a.312"), "new a.312");
}

class NewFolderTest : public ExplorerFixture {};

TEST_F(NewFolderTest, UnderADriveTheFolderIsMadeAtTheDrivesPath) {
  FolderTree tree;
  tree.Fill(fs);
  const NodeId drive = tree.FindChild(kNoNode, "LAB STICK");
  const NewFolderNodeOutcome outcome = CreateNewFolderNode(Context(), tree, drive, "Tests");
  EXPECT_FALSE(outcome.folder.failed);
  EXPECT_EQ(outcome.folder.path, usb + "/Tests");
  EXPECT_TRUE(std::filesystem::is_directory(usb + "/Tests"));
  ASSERT_NE(outcome.added, kNoNode);
  EXPECT_EQ(tree.Node(outcome.added).state, kNodeFolder);
  EXPECT_EQ(tree.Node(outcome.added).parent, drive);
  EXPECT_EQ(outcome.change.childrenChanged, std::vector<NodeId>{drive});
  // A parent path ending with a separator gets no second one.
  EXPECT_EQ(CreateNewFolder(Context(), usb + "/", "More").path, usb + "/More");
  // No folder under a CD-ROM, the network root or a server.
  EXPECT_TRUE(
      CreateNewFolderNode(Context(), tree, tree.FindChild(kNoNode, "cdrom"), "X").folder.failed);
  EXPECT_TRUE(CreateNewFolderNode(Context(), tree, tree.FindChild(kNoNode, kNetworkRootText), "X")
                  .folder.failed);
  EXPECT_FALSE(Exists(cdrom + "/X"));
  EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(NewFolderTest, BadEmptyAndExistingNamesMakeNoFolder) {
  struct Case {
    std::string name;
    std::vector<std::string> messages;
  };
  MakeFolder(home + "/Tests");
  const Case cases[] = {
      {"a\\b", {MessageUtf8(msg::kIncorrectCharacter, english)}},
      {"a/b", {MessageUtf8(msg::kIncorrectCharacter, english)}},
      {"..", {MessageUtf8(msg::kIncorrectCharacter, english)}},
      {"", {}},
      {"Tests", {MessageUtf8(msg::kCannotCreateFolder, english)}},
  };
  for (const Case& c : cases) {
    tesmora::testing::FakePrompter own;
    const NewFolderOutcome outcome = CreateNewFolder({fs, own, english}, home, c.name);
    EXPECT_TRUE(outcome.failed) << c.name;
    EXPECT_EQ(own.messages(), c.messages) << c.name;
  }
  EXPECT_EQ(EntriesIn(home), 1);
  // Without a parent folder nothing lands in the working directory.
  EXPECT_TRUE(CreateNewFolder(Context(), "", "Stray").failed);
  EXPECT_FALSE(Exists("Stray"));
}

// A file that takes a target's name after the question was not needed (no
// file was there) is never written over unasked, by a paste or by a move:
// it is asked about then, and No keeps it.
TEST_F(CopyTest, AFileThatAppearsDuringAPasteOrMoveIsAskedAboutThen) {
  for (const bool move : {false, true}) {
    SCOPED_TRACE(move ? "move" : "paste");
    const std::string target = to + (move ? "/moved" : "/pasted");
    MakeFolder(target);
    fs.appearing[target + "/a.312"] = "appeared meanwhile";
    fs.appearing[target + "/b.312"] = "appeared meanwhile";
    const std::size_t askedBefore = prompter.questions().size();
    prompter.Script({PromptAnswer::No, PromptAnswer::Yes});
    const TransferOutcome outcome =
        move ? MoveByDrop(Context(), from, {"a.312", "b.312"}, target + "/")
             : PasteFiles(Context(), CopyPcSelection(from, {"a.312", "b.312"}), target + "/");
    EXPECT_EQ(outcome.done, std::vector<std::string>{"b.312"});
    const std::vector<std::string> questions = prompter.questions();
    EXPECT_EQ(std::vector<std::string>(questions.begin() + askedBefore, questions.end()),
              (std::vector<std::string>{Replace("a.312"), Replace("b.312")}));
    EXPECT_EQ(ReadBytes(target + "/a.312"), "appeared meanwhile");
    EXPECT_EQ(ReadBytes(target + "/b.312"), "new b.312");
    EXPECT_EQ(EntriesIn(target), 2);
  }
  EXPECT_TRUE(Exists(from + "/a.312"));
  EXPECT_FALSE(Exists(from + "/b.312"));
  EXPECT_TRUE(prompter.messages().empty());
}

// The owner of the message boxes may decide for every file at once: Never
// keeps what is there without a word, Always replaces it unasked.
TEST_F(CopyTest, APolicyOtherThanAskDecidesWithoutAQuestion) {
  MakeFile(to + "/a.312", "older a");
  OperationContext keep = Context();
  keep.overwrite = platform::OverwritePolicy::Never;
  EXPECT_EQ(PasteFiles(keep, CopyPcSelection(from, names), to + "/").done,
            (std::vector<std::string>{"b.312", "c.312"}));
  EXPECT_EQ(ReadBytes(to + "/a.312"), "older a");
  OperationContext replace = Context();
  replace.overwrite = platform::OverwritePolicy::Always;
  EXPECT_EQ(PasteFiles(replace, CopyPcSelection(from, names), to + "/").done, names);
  EXPECT_EQ(ReadBytes(to + "/a.312"), "new a.312");
  EXPECT_TRUE(prompter.questions().empty());
}

}  // namespace
}  // namespace tesmora::explorer
