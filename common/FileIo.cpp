#include "common/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "common/CodePage.h"
#include "common/UiPort.h"

namespace morvane {

bool ReadWholeFile(std::string_view sPath, std::string& sText) {
    sText.clear();
    std::ifstream in(ToPath(sPath), std::ios::binary);
    if (!in) {
        return false;
    }
    std::string s;
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        s.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return false;
    }
    sText = std::move(s);
    return true;
}

std::optional<KeyedCollection> ReadFileLines(std::string_view sPath) {
    std::string sText;
    if (!ReadWholeFile(sPath, sText) || sText.empty()) {
        return std::nullopt;
    }
    KeyedCollection lines;
    std::size_t from = 0;
    while (from < sText.size()) {
        std::size_t lf = sText.find('\n', from);
        const bool bLast = lf == std::string::npos;
        std::size_t end = bLast ? sText.size() : lf;
        std::size_t cut = end;
        if (cut > from && sText[cut - 1] == '\r') {
            --cut;
        }
        lines.Add(sText.substr(from, cut - from));
        if (bLast) {
            break;
        }
        from = lf + 1;
    }
    return lines;
}

bool ReplaceFileAtomically(std::string_view sPath, std::string_view sBytes, std::string* psError) {
    const std::filesystem::path target = ToPath(sPath);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    auto fail = [&](const std::string& sWhat) {
        if (psError) {
            *psError = sWhat + ": " + Utf8ToCp1252(std::strerror(errno));
        }
        return false;
    };
    if (IsReadOnly(sPath)) {
        errno = EACCES;
        return fail(FromPath(target));
    }
    int fd = mkstemp(tmpl.data());
    if (fd < 0) {
        return fail(FromPath(target));
    }
    std::size_t done = 0;
    while (done < sBytes.size()) {
        ssize_t n = ::write(fd, sBytes.data() + done, sBytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            ::unlink(tmpl.c_str());
            errno = err;
            return fail(FromPath(target));
        }
        done += static_cast<std::size_t>(n);
    }
    struct stat st {};
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmpl.c_str());
        errno = err;
        return fail(FromPath(target));
    }
    if (::close(fd) != 0 || ::rename(tmpl.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        errno = err;
        return fail(FromPath(target));
    }
    return true;
}

bool WriteWholeFile(std::string_view sPath, std::string_view sText) {
    std::string sBytes(sText);
    sBytes += "\r\n";
    std::string sError;
    if (!ReplaceFileAtomically(sPath, sBytes, &sError)) {
        MsgBox(sError, MsgButtons::OK, MsgIcon::Error, MsgAnswer::OK);
        return false;
    }
    return true;
}

bool FileExists(std::string_view sPath) {
    std::error_code ec;
    return std::filesystem::exists(ToPath(sPath), ec);
}

bool IsReadOnly(std::string_view sPath) {
    struct stat st {};
    if (::stat(ToPath(sPath).c_str(), &st) != 0) {
        return false;
    }
    return (st.st_mode & S_IWUSR) == 0;
}

} // namespace morvane
