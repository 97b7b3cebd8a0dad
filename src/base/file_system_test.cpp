#include "base/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/memory_file_system.h"

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
  EXPECT_FALSE(fs::exists(temporary_name_for(name("f.txt"))));

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
  EXPECT_FALSE(fs::exists(temporary_name_for(name("taken"))));
  EXPECT_FALSE(disk.Exists(name("taken")));  // a folder is not a file
}

TEST_F(DiskFileSystemTest, MissingFolderAndMissingFileAreReportedWithTheSystemsReason) {
  FileSystem& disk = disk_file_system();
  const Status write = disk.ReplaceFile(name("no/such/f.txt"), "x");
  ASSERT_FALSE(write.ok());
  EXPECT_NE(write.message().find("creating"), std::string::npos) << write.message();
#ifndef _WIN32  // Windows words the reason itself: system_reason_test.cpp
  EXPECT_NE(write.message().find("No such file"), std::string::npos) << write.message();
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
  EXPECT_FALSE(fs::exists(temporary_name_for(name("f.dat"))));
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

TEST(Status, AFailedFileOperationKeepsItsPartsAndReadsInEnglish) {
  const Status status = Status::IOError(Operazione::kSostituzione, "a/b.sim", "Is a directory");
  EXPECT_EQ(status.message(), "replacing \"a/b.sim\": Is a directory");
  EXPECT_EQ(status.operazione(), Operazione::kSostituzione);
  EXPECT_EQ(status.file(), "a/b.sim");
  EXPECT_EQ(status.motivo(), "Is a directory");
  EXPECT_EQ(verbo_italiano(status.operazione()), "sostituire");
  EXPECT_EQ(Status::Error("x").operazione(), Operazione::kNessuna);
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

}  // namespace
}  // namespace scenario
