#include "tests/support/TestSupport.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace morvane::test {

std::filesystem::path SourceDir() {
    return MORVANE_SOURCE_DIR;
}

TempDir::TempDir() {
    static std::atomic<int> nCounter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("morvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(nCounter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests make files read-only; give write permission back so the folder can go.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempDir::Write(const std::string& sRelative,
                                     const std::string& sBytes) const {
    const std::filesystem::path p = m_path / sRelative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << sBytes;
    return p;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void UiTest::TearDown() {
    for (const std::string& s : ui.unexpected) {
        ADD_FAILURE() << "unscripted " << s;
    }
    EXPECT_EQ(ui.nPendingAnswers(), 0) << "scripted answers were left over";
}

} // namespace morvane::test
