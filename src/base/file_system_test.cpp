#include "base/file_system.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>
#include <vector>

#include "base/memory_file_system.h"
#include "util/trap_disk_test_util.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class DiskFileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("bm_fs_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string name(const char* leaf) const { return (folder_ / leaf).string(); }
  // Every entry of the folder, links and all, by name.
  std::set<std::string> entries() const {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      found.insert(entry.path().filename().string());
    }
    return found;
  }
  static std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path folder_;
};

TEST_F(DiskFileSystemTest, ReplacesALongerEarlierFileEntirelyAndLeavesNoTemporary) {
  FileSystem& disk = disk_file_system();
  ASSERT_TRUE(disk.ReplaceFile(name("f.txt"), std::string(1000, 'x')).ok());
  ASSERT_TRUE(disk.ReplaceFile(name("f.txt"), std::string("ab\r\n\xB0", 5)).ok());
  EXPECT_EQ(slurp(name("f.txt")), std::string("ab\r\n\xB0", 5));
  EXPECT_EQ(entries(), std::set<std::string>{"f.txt"});

  std::string read;
  ASSERT_TRUE(disk.ReadFile(name("f.txt"), &read).ok());
  EXPECT_EQ(read, std::string("ab\r\n\xB0", 5));
}

TEST_F(DiskFileSystemTest, AFolderInTheWayIsReportedAndNothingIsLeftBehind) {
  FileSystem& disk = disk_file_system();
  fs::create_directory(name("taken"));
  const Status status = disk.ReplaceFile(name("taken"), "content");
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find(name("taken")), std::string::npos) << status.message();
  EXPECT_TRUE(fs::is_directory(name("taken")));
  EXPECT_EQ(entries(), std::set<std::string>{"taken"});
  EXPECT_FALSE(disk.Exists(name("taken")));  // a folder is not a file
}

TEST_F(DiskFileSystemTest, MissingFolderAndMissingFileAreReportedWithTheSystemsReason) {
  FileSystem& disk = disk_file_system();
  const Status write = disk.ReplaceFile(name("no/such/f.txt"), "x");
  ASSERT_FALSE(write.ok());
  // The file acted on is the temporary one, and the reason is the system's
  // own words ("Path not found" on Windows).
  EXPECT_EQ(write.operazione(), Operazione::kCreazione);
  EXPECT_TRUE(write.file().starts_with(name("no/such/f.txt.")) && write.file().ends_with(".part"))
      << write.file();
#ifndef _WIN32
  EXPECT_EQ(write.motivo(), "No such file or directory");
#else
  EXPECT_FALSE(write.motivo().empty());
#endif

  std::string read;
  EXPECT_FALSE(disk.ReadFile(name("absent.txt"), &read).ok());
  EXPECT_FALSE(disk.Exists(name("absent.txt")));
  EXPECT_TRUE(disk.RemoveFile(name("absent.txt")).ok());
}

TEST_F(DiskFileSystemTest, AStreamedFileArrivesWholeAndAFailedOneLeavesTheEarlierFile) {
  FileSystem& disk = disk_file_system();
  ASSERT_TRUE(disk.ReplaceFileWith(name("f.dat"),
                                   [](ByteSink& sink) {
                                     for (int i = 0; i < 1000; ++i) {
                                       if (Status s =
                                               sink.Append(std::string(100, static_cast<char>(i)));
                                           !s.ok()) {
                                         return s;
                                       }
                                     }
                                     return Status::OK();
                                   })
                  .ok());
  const std::string whole = slurp(name("f.dat"));
  ASSERT_EQ(whole.size(), 100000u);
  EXPECT_EQ(whole[99999], static_cast<char>(999));

  const Status failed = disk.ReplaceFileWith(name("f.dat"), [](ByteSink& sink) {
    (void)sink.Append("half");
    return Status::Error("the encoder gave up");
  });
  EXPECT_EQ(failed.message(), "the encoder gave up");
  EXPECT_EQ(slurp(name("f.dat")), whole);
  EXPECT_EQ(entries(), std::set<std::string>{"f.dat"});
}

// What every system can plant at a temporary name (a folder, another run's
// file) is passed by: the write takes a fresh name, and the sweep keeps the
// folder. The links and FIFOs of Linux are tried below.
TEST_F(DiskFileSystemTest, AFolderOrAFileAtTheTemporaryNameIsPassedBy) {
  constexpr uint64_t kPiantato = 0x00000000deadbeefull;
  const std::string target = name("f.sim");
  const std::string cartella = temporary_name_for(target, kPiantato);
  const std::string altrui = temporary_name_for(target, kPiantato + 1);
  fs::create_directory(cartella);
  std::ofstream(altrui, std::ios::binary) << "another run's";
  uint64_t prossimo = kPiantato;
  auto disk = disk_file_system_with_ids([&prossimo] { return prossimo++; });
  ASSERT_TRUE(disk->ReplaceFile(target, "compiled").ok());
  EXPECT_EQ(slurp(target), "compiled");
  EXPECT_EQ(slurp(altrui), "another run's");
  EXPECT_TRUE(fs::is_directory(cartella));

  ASSERT_TRUE(disk->RemoveLeftovers({target}).ok());
  EXPECT_EQ(entries(), (std::set<std::string>{"f.sim", fs::path(cartella).filename().string()}));
}

TEST_F(DiskFileSystemTest, OnlyARegularFileWithinTheLimitIsRead) {
  FileSystem& disk = disk_file_system();
  ASSERT_TRUE(disk.ReplaceFile(name("f.dat"), std::string(100, 'x')).ok());
  std::string read;
  EXPECT_TRUE(disk.ReadFileUpTo(name("f.dat"), 100, &read).ok());
  EXPECT_EQ(read.size(), 100u);
  const Status larger = disk.ReadFileUpTo(name("f.dat"), 99, &read);
  EXPECT_FALSE(larger.ok());
  EXPECT_TRUE(read.empty());
  fs::create_directory(name("folder"));
  EXPECT_FALSE(disk.ReadFile(name("folder"), &read).ok());
}

// A listing holds the regular files, by name alone and in order; what is
// no file (a folder, on Linux a FIFO) is left out, a link to a file counts.
TEST_F(DiskFileSystemTest, ListsTheRegularFilesOfAFolderByName) {
  FileSystem& disk = disk_file_system();
  // Joined as text: a path object would take the UTF-8 name in the ANSI
  // code page on Windows.
  for (const char* leaf : {"b_linea.txt", "a b_1-.txt", "\xC3\xA8.txt"}) {
    ASSERT_TRUE(disk.ReplaceFile(folder_.string() + "/" + leaf, "x").ok());
  }
  fs::create_directory(name("a folder_linea.txt"));
  std::vector<std::string> expected = {"a b_1-.txt", "b_linea.txt", "\xC3\xA8.txt"};
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(name("fifo_linea.txt").c_str(), 0600), 0);
  fs::create_symlink(name("b_linea.txt"), name("link_linea.txt"));
  fs::create_symlink(name("nowhere"), name("dangling_linea.txt"));
  expected.insert(expected.begin() + 2, "link_linea.txt");
#endif
  std::vector<std::string> listed = {"left over"};
  ASSERT_TRUE(disk.ListFiles(folder_.string(), &listed).ok());
  EXPECT_EQ(listed, expected);

  const Status missing = disk.ListFiles(name("missing"), &listed);
  EXPECT_EQ(missing.operazione(), Operazione::kElenco);
  EXPECT_EQ(missing.file(), name("missing"));
  EXPECT_TRUE(listed.empty());
}

// Folders are made level by level as "mkdir -p" makes them; one that exists
// is no failure, and a file standing where a level should be is named.
TEST_F(DiskFileSystemTest, MakesEveryMissingLevelOfAFolderAndNamesAFileInTheWay) {
  FileSystem& disk = disk_file_system();
  const std::string deep = (folder_ / "out" / "km 12" / "x").string();
  ASSERT_TRUE(disk.CreateFolders(deep).ok());
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_TRUE(disk.CreateFolders(deep).ok()) << "made already";
  EXPECT_TRUE(disk.CreateFolders(folder_.string() + "/out//y/").ok()) << "doubled separators";
  EXPECT_TRUE(fs::is_directory(folder_ / "out" / "y"));
  EXPECT_TRUE(disk.ReplaceFile(deep + "/f.txt", "written").ok());

  ASSERT_TRUE(disk.ReplaceFile(name("file"), "x").ok());
  const Status blocked = disk.CreateFolders((folder_ / "file" / "below").string());
  ASSERT_FALSE(blocked.ok());
  EXPECT_EQ(blocked.operazione(), Operazione::kCartella);
  EXPECT_EQ(blocked.file(), name("file")) << blocked.message();
  EXPECT_FALSE(fs::exists(folder_ / "file" / "below"));
}

TEST(TemporaryNames, CarryTheRunsNumberAndAreKnownOnlyInTheirOwnPattern) {
  EXPECT_EQ(temporary_name_for("d/f.sim", 0x0123456789abcdefull), "d/f.sim.0123456789abcdef.part");
  EXPECT_EQ(temporary_name_for("f", 7), "f.0000000000000007.part");
  const struct {
    const char* entry;
    bool ours;
  } cases[] = {
      {"f.sim.0123456789abcdef.part", true},
      {"f.sim.part", true},  // the fixed name of old
      {"f.sim.0123456789ABCDEF.part", false},
      {"f.sim.0123456789abcde.part", false},
      {"f.sim.0123456789abcdefa.part", false},
      {"f.sim.x123456789abcdef.part", false},
      {"f.sim.0123456789abcdef.parts", false},
      {"g.sim.0123456789abcdef.part", false},
      {"f.sim", false},
      {"f.sim_0123456789abcdef.part", false},
      {"xf.sim.part", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_temporary_name_of(c.entry, "f.sim"), c.ours) << c.entry;
}

TEST(Status, AFailedFileOperationKeepsItsPartsAndReadsInEnglish) {
  const Status status = Status::IOError(Operazione::kSostituzione, "a/b.sim", "Is a directory");
  EXPECT_EQ(status.message(), "replacing \"a/b.sim\": Is a directory");
  EXPECT_EQ(status.operazione(), Operazione::kSostituzione);
  EXPECT_EQ(status.file(), "a/b.sim");
  EXPECT_EQ(status.motivo(), "Is a directory");
  EXPECT_EQ(verbo_italiano(status.operazione()), "sostituire");
  EXPECT_EQ(Status::Error("x").operazione(), Operazione::kNessuna);
}

TEST(MemoryFileSystem, SweepsOnlyTheTemporaryFilesOfTheNamesGivenAndLocksAFolderOnce) {
  MemoryFileSystem memory;
  memory.files() = {{"d/a.sim", "a"},
                    {"d/a.sim.part", "old"},
                    {"d/a.sim.0123456789abcdef.part", "killed"},
                    {"d/b.sim.part", "another name"},
                    {"e/a.sim.part", "another folder"}};
  ASSERT_TRUE(memory.RemoveLeftovers({"d/a.sim"}).ok());
  EXPECT_EQ(
      memory.files(),
      (std::map<std::string, std::string>{
          {"d/a.sim", "a"}, {"d/b.sim.part", "another name"}, {"e/a.sim.part", "another folder"}}));

  FolderLockResult first = memory.LockFolder("d", std::chrono::milliseconds(0));
  ASSERT_EQ(first.outcome, LockOutcome::kTaken);
  EXPECT_EQ(memory.LockFolder("d", std::chrono::milliseconds(0)).outcome, LockOutcome::kBusy);
  EXPECT_EQ(memory.LockFolder("e", std::chrono::milliseconds(0)).outcome, LockOutcome::kTaken);
  first.lock.reset();
  EXPECT_EQ(memory.LockFolder("d", std::chrono::milliseconds(0)).outcome, LockOutcome::kTaken);
}

TEST(MemoryFileSystem, ListsTheFilesOfOneFolderAndNotesTheFoldersMade) {
  MemoryFileSystem memory;
  memory.files() = {{"d/b", ""}, {"d/a", ""}, {"d/e/c", ""}, {"dd/x", ""}, {"top", ""}};
  std::vector<std::string> listed;
  ASSERT_TRUE(memory.ListFiles("d", &listed).ok());
  EXPECT_EQ(listed, (std::vector<std::string>{"a", "b"}));
  ASSERT_TRUE(memory.ListFiles(".", &listed).ok());
  EXPECT_EQ(listed, std::vector<std::string>{"top"});
  ASSERT_TRUE(memory.CreateFolders("out/x").ok());
  memory.FailWritesTo("locked");
  EXPECT_EQ(memory.CreateFolders("locked").operazione(), Operazione::kCartella);
  EXPECT_EQ(memory.folders(), std::set<std::string>{"out/x"});
}

TEST(MemoryFileSystem, AFailingWriteKeepsTheEarlierFile) {
  MemoryFileSystem memory;
  ASSERT_TRUE(memory.ReplaceFile("f", "old").ok());
  memory.FailWritesTo("f");
  EXPECT_FALSE(memory.ReplaceFile("f", "new").ok());
  std::string read;
  ASSERT_TRUE(memory.ReadFile("f", &read).ok());
  EXPECT_EQ(read, "old");
}

#ifndef _WIN32
using test::Esca;
using test::kEsche;

class DiskHostileTest : public DiskFileSystemTest {
 protected:
  void SetUp() override {
    DiskFileSystemTest::SetUp();
    outside_ = folder_.string() + "-outside";
    std::ofstream(outside_, std::ios::binary) << "the player's own file";
  }
  void TearDown() override {
    fs::remove(outside_);
    fs::remove(outside_.string() + "-assente");
    DiskFileSystemTest::TearDown();
  }
  void ExpectOutsideUntouched() const {
    EXPECT_EQ(slurp(outside_.string()), "the player's own file");
    EXPECT_FALSE(fs::exists(outside_.string() + "-assente"));
  }
  fs::path outside_;
};

TEST_F(DiskHostileTest, WhateverStandsAtTheTemporaryNameIsNeverWrittenThrough) {
  constexpr uint64_t kPiantato = 0x00000000deadbeefull;
  for (const Esca esca : kEsche) {
    SCOPED_TRACE(static_cast<int>(esca));
    const std::string target = name("f.sim");
    const std::string planted = temporary_name_for(target, kPiantato);
    test::pianta(esca, planted, outside_);

    // The planted name is drawn first; the write moves on to a fresh one.
    int drawn = 0;
    auto disk = disk_file_system_with_ids([&drawn] { return drawn++ == 0 ? kPiantato : 0x42u; });
    ASSERT_TRUE(disk->ReplaceFile(target, "compiled").ok());
    EXPECT_EQ(slurp(target), "compiled");
    ExpectOutsideUntouched();
    EXPECT_EQ(entries(), (std::set<std::string>{"f.sim", fs::path(planted).filename().string()}));

    // A generator stuck on the planted name: the write fails, naming it.
    auto stuck = disk_file_system_with_ids([] { return kPiantato; });
    const Status failed = stuck->ReplaceFile(target, "other");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.operazione(), Operazione::kCreazione);
    EXPECT_EQ(failed.file(), planted);
    EXPECT_EQ(failed.motivo(), "File exists");
    EXPECT_EQ(slurp(target), "compiled");
    ExpectOutsideUntouched();
    fs::remove_all(planted);
    fs::remove(target);
  }
}

TEST_F(DiskHostileTest, TheSweepRemovesOnlyPlainTemporaryFilesAndFollowsNoLink) {
  std::ofstream(name("f.sim.part")) << "an old run's";
  std::ofstream(name("f.sim.00000000000000aa.part")) << "a killed run's";
  std::ofstream(name("g.sim.part")) << "not a name of this run";
  std::ofstream(name("f.sim.00000000000000AA.part")) << "not the pattern";
  test::pianta(Esca::kLinkFisso, name("f.sim.00000000000000bb.part"), outside_);
  test::pianta(Esca::kLinkEsterno, name("f.dat.part"), outside_);
  test::pianta(Esca::kLinkSospeso, name("f.dat.00000000000000cc.part"), outside_);
  test::pianta(Esca::kCartella, name("f.sim.00000000000000dd.part"), outside_);
  test::pianta(Esca::kFifo, name("f.dat.00000000000000ee.part"), outside_);

  ASSERT_TRUE(disk_file_system().RemoveLeftovers({name("f.sim"), name("f.dat")}).ok());
  // A hard link is a plain file of its own name: the name goes, the file it
  // shares its bytes with stays.
  EXPECT_EQ(entries(),
            (std::set<std::string>{"g.sim.part", "f.sim.00000000000000AA.part", "f.dat.part",
                                   "f.dat.00000000000000cc.part", "f.sim.00000000000000dd.part",
                                   "f.dat.00000000000000ee.part"}));
  ExpectOutsideUntouched();
  EXPECT_TRUE(fs::is_symlink(name("f.dat.part")));
  EXPECT_TRUE(disk_file_system().RemoveLeftovers({name("absent/f.sim")}).ok());
}

TEST_F(DiskHostileTest, OnlyRegularFilesAreReadAndNothingWaits) {
  ASSERT_EQ(mkfifo(name("fifo").c_str(), 0600), 0);
  fs::create_directory(name("folder"));
  // A sparse gigabyte: refused by its size before a byte is read.
  {
    const int fd = ::open(name("big").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{1} << 30), 0);
    ::close(fd);
  }
  const struct {
    std::string file;
    uint64_t limite;
    const char* motivo;
  } cases[] = {
      {name("fifo"), FileSystem::kSenzaLimite, "is a FIFO (named pipe), not a file"},
      {"/dev/zero", FileSystem::kSenzaLimite, "is a device, not a file"},
      {name("folder"), FileSystem::kSenzaLimite, "is a folder, not a file"},
      {name("big"), 1 << 20, "larger than the 1048576 bytes expected"},
      {name("absent"), FileSystem::kSenzaLimite, "No such file or directory"},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const auto& c : cases) {
    std::string read = "stale";
    const Status status = disk_file_system().ReadFileUpTo(c.file, c.limite, &read);
    EXPECT_EQ(status.motivo(), c.motivo) << c.file;
    EXPECT_EQ(status.file(), c.file);
    EXPECT_TRUE(read.empty());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Runs `check` in a child process as the unprivileged user when the test
// runs as root, so that permissions count; returns its exit status.
template <typename Check>
int as_unprivileged_user(Check check) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    _exit(check());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST_F(DiskHostileTest, AFolderThatIsNotOneIsSaidAsSuch) {
  std::ofstream(name("file")) << "x";
  fs::create_directories(name("closed/inner"));
  fs::permissions(folder_, fs::perms::all);
  fs::permissions(name("closed"), fs::perms::none);
  const struct {
    std::string folder;
    const char* message;
  } cases[] = {
      {name("absent"), "does not exist"},
      {name("file"), "is not a folder"},
      {name("closed/inner"), "cannot be searched (Permission denied)"},
      {name(std::string(300, 'x').c_str()), "has a name too long for the system"},
      {folder_.string(), ""},
  };
  for (const auto& c : cases) {
    const int status = as_unprivileged_user([&] {
      const Status checked = disk_file_system().CheckFolder(c.folder);
      const std::string expected = std::string("the folder \"") + c.folder + "\" " + c.message;
      return (*c.message == '\0' ? checked.ok() : checked.message() == expected) ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << c.folder;
  }
  fs::permissions(name("closed"), fs::perms::owner_all);
}

TEST_F(DiskHostileTest, AFolderLockedByAnotherRunIsBusyUntilReleased) {
  FolderLockResult first = disk_file_system().LockFolder(folder_.string(), {});
  ASSERT_EQ(first.outcome, LockOutcome::kTaken);
  EXPECT_EQ(entries(), std::set<std::string>{});  // nothing is made in the folder

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(disk_file_system().LockFolder(folder_.string(), std::chrono::milliseconds(200)).outcome,
            LockOutcome::kBusy);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));

  // Released part way through the wait: the waiter takes it.
  std::thread release([&first] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    first.lock.reset();
  });
  const FolderLockResult second =
      disk_file_system().LockFolder(folder_.string(), std::chrono::seconds(5));
  release.join();
  EXPECT_EQ(second.outcome, LockOutcome::kTaken);

  const FolderLockResult missing = disk_file_system().LockFolder(name("absent"), {});
  EXPECT_EQ(missing.outcome, LockOutcome::kFailed);
  EXPECT_EQ(missing.status.message(),
            "locking \"" + name("absent") + "\": No such file or directory");
}
#endif

}  // namespace
}  // namespace scenario
