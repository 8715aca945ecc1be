// Build tool: creates the version database from its SQL script, so the installation carries a
// database file without a command-line database program.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <sqlite3.h>

namespace {

bool RunScript(const std::string& sDatabase, const std::string& sScript) {
    sqlite3* pDb = nullptr;
    if (sqlite3_open(sDatabase.c_str(), &pDb) != SQLITE_OK) {
        std::cerr << "cannot create " << sDatabase << ": " << sqlite3_errmsg(pDb) << "\n";
        sqlite3_close(pDb);
        return false;
    }
    char* pError = nullptr;
    const bool bOk = sqlite3_exec(pDb, sScript.c_str(), nullptr, nullptr, &pError) == SQLITE_OK;
    if (!bOk) {
        std::cerr << sDatabase << ": " << (pError ? pError : "unknown error") << "\n";
    }
    sqlite3_free(pError);
    return sqlite3_close(pDb) == SQLITE_OK && bOk;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: MakeVersionDb SCRIPT.sql DATABASE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream script;
    script << in.rdbuf();
    // Built beside the target and renamed over it: a failed run leaves no half-made database.
    const std::filesystem::path target(argv[2]);
    std::filesystem::path temp = target;
    temp += ".tmp";
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    if (!RunScript(temp.string(), script.str())) {
        std::filesystem::remove(temp, ec);
        return 1;
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::cerr << "cannot write " << target << ": " << ec.message() << "\n";
        std::filesystem::remove(temp, ec);
        return 1;
    }
    return 0;
}
