#include "app/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace morvane {

namespace {

int g_nLockFd = -1;

std::string EnvOr(const char* sName, const std::string& sFallback) {
    const char* sValue = std::getenv(sName);
    return sValue && *sValue ? std::string(sValue) : sFallback;
}

} // namespace

std::string DefaultLockFile() {
    const std::string sRuntime = EnvOr("XDG_RUNTIME_DIR", "");
    if (!sRuntime.empty()) {
        return sRuntime + "/morvane.lock";
    }
    const std::string sCache = EnvOr("XDG_CACHE_HOME", EnvOr("HOME", "/tmp") + "/.cache");
    return sCache + "/morvane/morvane.lock";
}

bool AcquireSingleInstance(const std::string& sLockFile) {
    if (g_nLockFd >= 0) {
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(sLockFile).parent_path(), error);
    const int fd = ::open(sLockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool bHeldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return !bHeldElsewhere;
    }
    g_nLockFd = fd;
    return true;
}

void ReleaseSingleInstance() {
    if (g_nLockFd >= 0) {
        ::flock(g_nLockFd, LOCK_UN);
        ::close(g_nLockFd);
        g_nLockFd = -1;
    }
}

} // namespace morvane
