#include "base/rename_over.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace scenario {
namespace {

namespace fs = std::filesystem;

class RenameOverTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("bm_rename_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path write(const char* leaf, const std::string& contents) const {
    std::ofstream(folder_ / leaf, std::ios::binary) << contents;
    return folder_ / leaf;
  }
  static std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path folder_;
};

TEST_F(RenameOverTest, ReplacesAnExistingFileOrCreatesTheName) {
  const fs::path target = write("target", std::string(100, 'x'));
  EXPECT_FALSE(rename_over(write("new", "ab"), target));
  EXPECT_EQ(slurp(target), "ab");
  EXPECT_FALSE(fs::exists(folder_ / "new"));

  EXPECT_FALSE(rename_over(write("other", "cd"), folder_ / "fresh"));
  EXPECT_EQ(slurp(folder_ / "fresh"), "cd");
}

TEST_F(RenameOverTest, AMissingSourceIsReportedAsMissing) {
  const std::error_code ec = rename_over(folder_ / "absent", folder_ / "target");
  ASSERT_TRUE(ec);
  EXPECT_EQ(ec, std::errc::no_such_file_or_directory) << ec.message();
}

#ifdef _WIN32
TEST_F(RenameOverTest, ATargetHeldOpenByAnotherProgramIsReportedWithTheSystemsReason) {
  const fs::path target = write("target", "old");
  const HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::error_code ec = rename_over(write("new", "new"), target);
  CloseHandle(held);
  ASSERT_TRUE(ec);
  // Which of the two depends on the Windows version; either way the system's own words.
  EXPECT_TRUE(ec.value() == ERROR_ACCESS_DENIED || ec.value() == ERROR_SHARING_VIOLATION)
      << ec.value() << " " << ec.message();
  EXPECT_EQ(&ec.category(), &std::system_category());
  EXPECT_EQ(slurp(target), "old");
  EXPECT_TRUE(fs::exists(folder_ / "new"));
}
#endif

}  // namespace
}  // namespace scenario
